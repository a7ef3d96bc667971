#pragma once
// The one-byte time code of delays, fades and the hold time, and the text
// forms in which the editors show and read durations, times of day, ISD
// offsets and night lengths. Pure functions; integer divisions truncate
// toward zero.
//
// Each parser checks only the length of its text. A text of any other
// length gives the parser's neutral value (0, or 128 for getTime3 and
// getTime4); that is how an edit showing "0" is read.

#include <QString>

#include <optional>

namespace nolt {

// Duration (seconds or thousandths) -> time code. Below 64 the code is the
// value; below 631 units of 10; below 3781 units of 60; else units of 900.
// Not clamped: callers keep the low 8 bits.
int convertTime(int t);

// Time code -> duration. Exact for all 256 codes.
int DecodeTime(int b);

// Seconds as HH:MM:SS ("0" for 0; 100 hours and more give three digits).
QString displayTime(int x);
// HH:MM:SS (exactly 8 characters) -> seconds.
int getTime(const QString& s);

// Thousandths as SS,mmm ("0" for 0).
QString displayTime2(int x);
// SS,mmm (6 characters or more) -> thousandths.
int getTime2(const QString& s);

// timeOfDay byte 0..255 as HH:MM:00; 128 (not set) gives "00:00:00".
QString displayTime4(int b);
// HH:MM:SS time of day (exactly 8 characters; seconds ignored) -> 256 + the
// signed 5-minute count from midnight (its low 8 bits are the timeOfDay
// byte); 128 for any other length.
int getTime3(const QString& s);

// Signed minutes as [-]HH:MM:SS ("0" for 0).
QString displayTime3(int x);
// [-]HH:MM:SS offset -> 128 + signed 2-minute count. Shorter than 8
// characters gives 128; exactly 9 characters is negative whatever the first
// character; 8 or 10 and more read the first eight positions as positive.
int getTime4(const QString& s);

// Seconds as HH:MM, seconds dropped ("0" for 0).
QString displayTimeHM(int x);
// HH:MM (exactly 5 characters) -> minutes; 0 for any other length. The user
// can type this text, so a text of 5 characters whose hour or minute field
// is not a plain decimal number gives no value: the caller then writes
// nothing.
std::optional<int> getTimeHM(const QString& s);

} // namespace nolt
