#pragma once
// The configuration image: its size in each context, the field map with the
// encodings, the factory configuration and the single-bit helpers.
//
// Every feature of the driver is a byte or a bit of one image. Editors read
// and write it in place through the named offsets and bits below; nothing
// else in the program spells an image offset as a bare number.

#include <array>
#include <cstdint>
#include <vector>

namespace nolt {

using Bytes = std::vector<std::uint8_t>;

namespace img {

// Image sizes.
inline constexpr int imageSize = 128;       // driver mode, files, demo mode
inline constexpr int stickImageSize = 256;  // the whole driver memory behind a USB stick
inline constexpr int storedBytes = 96;      // bytes 0..95: what slots and files hold
inline constexpr int eeAreaBytes = 120;     // bytes 0..119: sent with the stick's write-EE frames
inline constexpr int stickWriteBytes = 250; // bytes 0..249: sent with the stick's write-memory frames

// Byte 0: feature switches.
inline constexpr int featureFlags = 0;
inline constexpr int outputModeMask = 0x03; // bits 1..0
inline constexpr std::uint8_t output1To10V = 0x00;
inline constexpr std::uint8_t outputDaliLog = 0x01;
inline constexpr std::uint8_t outputPwm = 0x02;
inline constexpr std::uint8_t outputDaliLinear = 0x03;
inline constexpr int bitOutputDali = 0;   // set in both DALI modes
inline constexpr int bitOutputLinear = 1; // PWM, or DALI linear
inline constexpr int bitIsdEnable = 2;
inline constexpr int bitLstEnable = 3;
inline constexpr int bitLstInvert = 4;
inline constexpr int bitRemoteMains = 5;
inline constexpr int bitRemoteLst = 6;
inline constexpr int bitTmEnable = 7;

inline constexpr int blockTime = 1; // 5-second units, 0 = off
inline constexpr int minLevel = 2;  // percent
inline constexpr int poLevel = 3;   // percent
inline constexpr int poDelay = 4;   // timeCode, seconds; 0xFF = random
inline constexpr std::uint8_t poDelayRandom = 0xFF;
inline constexpr int poFade = 5;    // timeCode, thousandths of a second per percent
inline constexpr int holdTime = 6;  // timeCode, seconds; 0 = off
inline constexpr int isdOffset = 7; // signed, 2-minute units

// Dimming steps: ten steps of three bytes each.
inline constexpr int dimStepCount = 10;
inline constexpr int dimStepSize = 3;
inline constexpr int dimStepsBytes = dimStepCount * dimStepSize; // 30
inline constexpr int dim2Steps = 8;  // engine 2: delay, fade, level
inline constexpr int dim1Steps = 38; // engine 1: time of day, fade, level
inline constexpr int stepDelay = 0;  // engine 2: timeCode seconds
inline constexpr int stepTime = 0;   // engine 1: timeOfDay
inline constexpr int stepFade = 1;   // timeCode ms per percent
inline constexpr int stepLevel = 2;  // levelByte
inline constexpr int dim2FirstLevel = dim2Steps + stepLevel; // byte 10
inline constexpr int dim1FirstLevel = dim1Steps + stepLevel; // byte 40

// levelByte: bits 0..6 level, bit 7 relay off, 0xFF unused step.
inline constexpr int bitRelayOff = 7;
inline constexpr std::uint8_t levelMask = 0x7F;
inline constexpr std::uint8_t unusedStep = 0xFF;
// timeOfDay: signed 5-minute count from midnight, 0x80 = not set.
inline constexpr std::uint8_t timeNotSet = 0x80;

// Byte 68: options.
inline constexpr int optionFlags = 68;
inline constexpr int bitDstOff = 0;
inline constexpr int bitDpcEnable = 1;
inline constexpr int bitStorePol = 2;
inline constexpr int bitResetOpHours = 3;
inline constexpr std::uint8_t remoteFunctionMask = 0xF0;
inline constexpr std::uint8_t remoteNone = 0x00;
inline constexpr std::uint8_t remoteMidNight = 0x10;
inline constexpr std::uint8_t remoteDimFunction = 0x20;
inline constexpr std::uint8_t remoteMidNightProtect = 0x30;

// MFF and burn-in.
inline constexpr int mffStart = 69; // percent; 0xFF = not set
inline constexpr std::uint8_t mffStartNotSet = 0xFF;
inline constexpr int mffL1 = 70;
inline constexpr int mffL2 = 71;
inline constexpr int mffL3 = 72;
inline constexpr int mffStop = 73;
inline constexpr int burnInTime = 74;  // hours, 0 = off
inline constexpr int mffLifetime = 75; // 500-hour units, 0 = MFF off

inline constexpr int astroData = 76; // 9 bytes, not interpreted
inline constexpr int astroDataLength = 9;
inline constexpr int adstAux = 85;   // always written 0
inline constexpr int adstW2S = 86;   // 5-minute units, 60..216, 0 = off
inline constexpr int adstS2W = 87;

// Byte 88: relay.
inline constexpr int relayFlags = 88;
inline constexpr int bitZcSwitch = 0;

// Thermal management.
inline constexpr int tmT1 = 89; // degrees C 30..85, 0 = none
inline constexpr int tmL1 = 90;
inline constexpr int tmT2 = 91;
inline constexpr int tmL2 = 92;
inline constexpr int tmT3 = 93;
inline constexpr int tmL3 = 94;
inline constexpr int bitTmOutputOff = 7; // in tmL1..tmL3
inline constexpr int tmCal = 95;         // round(C * 65536 / 52800), 0xFF = none
inline constexpr std::uint8_t tmCalNone = 0xFF;

// Stick mode only: the driver's operating log.
inline constexpr int logOpTime = 247;      // 24-bit little-endian, minutes
inline constexpr int logSwitchCount = 250; // 16-bit little-endian
inline constexpr int logOverTemp = 252;    // 16-bit little-endian, 15-minute units
inline constexpr int logMaxTemp = 254;     // degrees C

} // namespace img

// The factory configuration.
extern const std::array<std::uint8_t, img::imageSize> defaultImage;

// Copies the factory configuration into bytes 0..127 of an image of at
// least 128 bytes; bytes beyond 127 keep their values.
void loadDefaultImage(Bytes& image);

constexpr std::uint8_t ClearBit(std::uint8_t value, int bit)
{
    return static_cast<std::uint8_t>(value & ~(1u << (bit & 31)));
}

constexpr std::uint8_t SetBit(std::uint8_t value, int bit)
{
    return static_cast<std::uint8_t>(value | (1u << (bit & 31)));
}

constexpr bool TestBit(std::uint32_t value, std::uint8_t bit)
{
    return (value >> (bit & 31)) & 1u;
}

// Sets the bit when on, clears it otherwise; the other bits stay.
constexpr void putBit(std::uint8_t& value, int bit, bool on)
{
    value = on ? SetBit(value, bit) : ClearBit(value, bit);
}

inline constexpr std::array<int, 2> boolToInt = {0, 1};

} // namespace nolt
