#include "AtUsbHid.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// No length, nothing read into the buffer, nothing written, null buffers refused.
void expectNothingOpen()
{
    unsigned char buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), 0x5A);
    EXPECT_EQ(readData(buffer), 0);
    EXPECT_EQ(buffer[0], 0x5A) << "readData wrote without a report";
    EXPECT_EQ(std::tuple(getInputReportLength(), getOutputReportLength(), getFeatureReportLength(), readData(nullptr),
                         writeData(buffer), writeData(nullptr), setFeature(buffer), setFeature(nullptr)),
              std::tuple(0, 0, 0, 0, 0, 0, 0, 0));
}

} // namespace

// The entries as the program calls them: before any probe, after closing twice, after probes with ids wider than
// 16 bits (no USB device has them), after repeated probes for an absent driver (once a second while it waits).
TEST(NoDevice, EveryCallReturnsZeroWhileNoDeviceIsOpen)
{
    expectNothingOpen();
    closeDevice();
    closeDevice();
    expectNothingOpen();
    EXPECT_EQ(findHidDevice(0x103EB, 0x2013), 0);
    EXPECT_EQ(findHidDevice(0x03EB, 0x12013), 0);
    expectNothingOpen();
    for (int i = 0; i < 20; ++i) {
        if (findHidDevice(0x03EB, 0x2013) != 0)
            GTEST_SKIP() << "an LED driver is attached to this machine";
    }
    expectNothingOpen();
}
