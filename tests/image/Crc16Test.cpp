#include "image/Crc16.h"

#include <gtest/gtest.h>

#include <string_view>

namespace nolt {
namespace {

std::span<const std::uint8_t> ascii(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

TEST(Crc16, PublishedCheckValues)
{
    EXPECT_EQ(crc16(ascii("123456789")), 0xFEE8);
    EXPECT_EQ(crc16(ascii("")), 0x0000);
    EXPECT_EQ(crc16(ascii("abc")), 0xCADB);
}

TEST(Crc16, StartValueEqualsFeedingItFirst)
{
    for (const std::string_view s : {"", "abc", "123456789", "\xFF\x00\x80"}) {
        for (const int b : {0, 1, 0x7F, 0x80, 0xFF}) {
            std::string withStart(1, static_cast<char>(b));
            withStart += s;
            EXPECT_EQ(crc16(ascii(s), static_cast<std::uint16_t>(b)), crc16(ascii(withStart)))
                << b;
        }
    }
}

TEST(Crc16, DataFollowedByItsCrcLeavesZero)
{
    for (const std::string_view s : {"abc", "123456789", "\x01"}) {
        const std::uint16_t crc = crc16(ascii(s));
        std::uint16_t reg = 0;
        for (const std::uint8_t b : ascii(s))
            reg = crc16Step(b, reg);
        reg = crc16Step(static_cast<std::uint8_t>(crc >> 8), reg);
        reg = crc16Step(static_cast<std::uint8_t>(crc & 0xFF), reg);
        EXPECT_EQ(reg, 0) << s;
    }
}

} // namespace
} // namespace nolt
