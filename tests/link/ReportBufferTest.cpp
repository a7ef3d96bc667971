// Reports longer than the part of them the program keeps.

#include "link/DriverLink.h"
#include "sim/SimDevice.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

using namespace nolt;

namespace {

// Echoes every output report back as an input report.
struct Echo final : sim::DeviceModel {
    void received(sim::SimDevice& d, const sim::Report& r) override { d.queueReply(r); }
};

} // namespace

TEST(ReportBuffer, LongReportsNeverRunPastTheBuffer)
{
    test::ScriptedPlatform platform;
    sim::SimDevice device(std::make_unique<Echo>(), 1024, 1024);
    DriverLink link(platform, &device);
    link.readReportLengths();
    EXPECT_EQ(link.inputReportLength(), 0) << "the low byte of 1024";

    link.dataBuffer.fill(0x5A);
    link.sendReport();
    ASSERT_EQ(device.written.size(), 1u);
    EXPECT_EQ(device.written[0].size(), 1024u);
    EXPECT_EQ(device.written[0][255], 0x5A);
    EXPECT_EQ(device.written[0][256], 0x00) << "beyond the buffer the report is padded";

    link.dataBuffer.fill(0);
    EXPECT_TRUE(link.receiveReport());
    EXPECT_EQ(link.dataBuffer[255], 0x5A);
}

namespace {

// A library that claims absurd report lengths and would write that much.
struct AbsurdLengths final : HidDevice {
    int reads = 0, writes = 0;
    bool findHidDevice(unsigned, unsigned) override { return true; }
    void closeDevice() override {}
    bool readData(std::uint8_t*) override { return ++reads, true; }
    bool writeData(const std::uint8_t*) override { return ++writes, true; }
    bool setFeature(const std::uint8_t*) override { return true; }
    int getInputReportLength() override { return 1 << 30; }
    int getOutputReportLength() override { return 1 << 30; }
    int getFeatureReportLength() override { return 0; }
};

} // namespace

TEST(ReportBuffer, AbsurdReportLengthsAreNeitherReadNorWritten)
{
    test::ScriptedPlatform platform;
    AbsurdLengths device;
    DriverLink link(platform, &device);
    link.readReportLengths();
    link.sendReport();
    EXPECT_FALSE(link.receiveReport());
    EXPECT_EQ(device.reads + device.writes, 0);
}
