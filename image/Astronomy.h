#pragma once
// The sun's declination by a low-precision model (good to about an arc
// minute over this century) and the length of the night derived from it:
// the time the sun spends below a chosen elevation on a given date and
// latitude. Angles are handled in radians; the inputs are in degrees.

#include <QString>

namespace nolt {

// Julian Day Number of a Gregorian date (Fliegel-Van Flandern, integer
// divisions truncating toward zero). 0 for a date before 15 October 1582 or
// a year after 9999.
long julianDay(int day, int month, int year);

// Obliquity of the ecliptic in radians, T in Julian centuries from J2000.0.
double obliquity(double T);

// An angle brought into 0..2pi.
double normAngle(double a);

// The sun's declination in radians, T in Julian centuries from J2000.0.
double sunDeclination(double T);

// Hours of the day jd (its noon) during which the sun stands below the
// elevation (degrees) at the latitude (degrees, north positive). When the
// sun never sinks to that elevation the night is 0 hours; when it never
// rises to it, 24 hours.
double nightLength(long jd, double latitude, double elevation);

// Hours as HH:MM, the minutes rounded to the nearest (halves to even):
// 9.9999 gives "10:00".
QString showHoursMinutes(double hours);

// A count of half units as a number in its shortest form with the given
// decimal separator: 15 gives "7.5", -6 gives "-3", 360 gives "180".
QString halfUnitsText(int halves, const QString& decimalPoint);

} // namespace nolt
