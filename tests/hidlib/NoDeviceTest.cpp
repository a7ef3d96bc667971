#include "AtUsbHid.h"

#include <gtest/gtest.h>

#include <tuple>

// The entries as the program calls them, after closing twice, probes with ids wider than 16 bits (no USB device
// has them) and repeated probes for an absent driver (once a second while it waits): no length, nothing read into
// the buffer, nothing written, null buffers refused. The QEMU test checks the same after an unplug.
TEST(NoDevice, EveryCallReturnsZeroWhileNoDeviceIsOpen)
{
    closeDevice();
    closeDevice();
    EXPECT_EQ(findHidDevice(0x103EB, 0x2013), 0);
    EXPECT_EQ(findHidDevice(0x03EB, 0x12013), 0);
    for (int i = 0; i < 20; ++i)
        if (findHidDevice(0x03EB, 0x2013) != 0)
            GTEST_SKIP() << "an LED driver is attached to this machine";
    unsigned char buffer[64];
    std::fill(std::begin(buffer), std::end(buffer), 0x5A);
    EXPECT_EQ(readData(buffer), 0);
    EXPECT_EQ(buffer[0], 0x5A) << "readData wrote without a report";
    EXPECT_EQ(std::tuple(getInputReportLength(), getOutputReportLength(), getFeatureReportLength(), readData(nullptr),
                         writeData(buffer), writeData(nullptr), setFeature(buffer), setFeature(nullptr)),
              std::tuple(0, 0, 0, 0, 0, 0, 0, 0));
}
