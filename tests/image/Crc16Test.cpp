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

// The stick frames start the register at their address byte.
TEST(Crc16, StartValueEqualsFeedingItFirst)
{
    for (const int b : {1, 0x7F, 0xFF})
        EXPECT_EQ(crc16(ascii("abc"), static_cast<std::uint16_t>(b)),
                  crc16(ascii(std::string(1, static_cast<char>(b)) + "abc")))
            << b;
}

} // namespace
} // namespace nolt
