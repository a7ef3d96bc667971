// Driver-mode requests against the simulated driver: the 50 ms collector,
// verified page writes and their acknowledgements.

#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;
using nolt::sim::Report;

namespace {

Report packet(std::uint8_t fill)
{
    return Report(8, fill);
}

void ticks(DriverRig& rig, int n)
{
    for (int i = 0; i < n; ++i)
        rig.link.timer1Tick();
}

} // namespace

TEST(DriverLink, ReadCollectsHeaderAndSixteenPacketsThenStops)
{
    DriverRig rig;
    std::vector<std::uint8_t> page(128);
    for (int i = 0; i < 128; ++i)
        page[i] = static_cast<std::uint8_t>(i * 3);
    rig.driver().setBytes(0x4000, page);

    rig.link.readDataBlock(0x4000);
    EXPECT_EQ(rig.device.written.back(), (Report{0xAA, 0x55, 0xF2, 0x10, 0x00, 0x40, 0, 0}));
    EXPECT_TRUE(rig.link.dataFlag);
    EXPECT_FALSE(rig.link.controlFlag);
    EXPECT_TRUE(rig.link.timer1().isActive());
    ticks(rig, 16);
    EXPECT_TRUE(rig.link.dataFlag) << "header and 15 packets are not a block";
    rig.link.timer1Tick();
    EXPECT_FALSE(rig.link.dataFlag);
    EXPECT_FALSE(rig.link.timer1().isActive());
    EXPECT_EQ(rig.link.sendBlock, page);
}

TEST(DriverLink, PacketsBeforeTheHeaderAreDroppedAndAfterItEveryReportIsAPacket)
{
    DriverRig rig;
    rig.device.setModel(nullptr); // replies come from the test alone
    rig.link.readControlBlock();
    rig.device.queueReply(packet(0x11)); // before any header
    rig.device.queueReply({0xC0, 0x44, 0x80, 0xFF, 0x80});
    for (int i = 0; i < 13; ++i)
        rig.device.queueReply(packet(static_cast<std::uint8_t>(i)));
    rig.device.queueReply({0xC0, 0x44, 0x80, 0xFF, 0x08}); // block bytes, not a header
    rig.device.queueReply({0xB2, 0x50});
    rig.device.queueReply({0xB2, 0x51});
    ticks(rig, 1 + 1 + 16);
    EXPECT_FALSE(rig.link.controlFlag);
    EXPECT_FALSE(rig.link.usbStick);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(rig.link.controlBlock[i * 8], i) << "packet " << i;
    EXPECT_EQ(Bytes(rig.link.controlBlock.begin() + 104, rig.link.controlBlock.end()),
              (Bytes{0xC0, 0x44, 0x80, 0xFF, 0x08, 0, 0, 0, 0xB2, 0x50, 0, 0, 0, 0, 0, 0, 0xB2, 0x51, 0, 0, 0, 0, 0, 0}));
}

TEST(DriverLink, HeaderCountAboveOnePageIsCutToThePage)
{
    DriverRig rig;
    rig.device.setModel(nullptr);
    rig.link.readDataBlock(0);
    rig.device.queueReply({0xC0, 0x44, 0, 0, 0xF8}); // 31 packets announced
    for (int i = 0; i < 31; ++i)
        rig.device.queueReply(packet(static_cast<std::uint8_t>(i)));
    ticks(rig, 17);
    EXPECT_FALSE(rig.link.dataFlag) << "the block is complete after one page";
    EXPECT_FALSE(rig.link.timer1().isActive());
    EXPECT_EQ(rig.link.sendBlock.size(), 128u);
    EXPECT_EQ(rig.link.sendBlock[0], 0);
    EXPECT_EQ(rig.link.sendBlock[120], 15);
    EXPECT_EQ(rig.device.pendingReplies(), 15u) << "the rest is left unread";
}

TEST(DriverLink, LongerInputReportsFillOnlyTheirEightBytePlace)
{
    DriverRig rig;
    sim::SimDevice wide(nullptr, 64, 8);
    DriverLink link(rig.platform, &wide);
    link.readReportLengths();
    link.readDataBlock(0);
    wide.queueReply({0xC0, 0x44, 0, 0, 0x80});
    for (int i = 0; i < 16; ++i)
        wide.queueReply(Report(64, static_cast<std::uint8_t>(i + 1)));
    for (int i = 0; i < 17; ++i)
        link.timer1Tick();
    for (int i = 0; i < 128; ++i)
        ASSERT_EQ(link.sendBlock[i], i / 8 + 1) << "byte " << i;
}

TEST(DriverLink, StickAnnouncementStopsTheCollectorAndKeepsTheFlag)
{
    DriverRig rig;
    rig.device.setModel(nullptr);
    rig.link.readControlBlock();
    rig.device.queueReply({0xB2, 0x51});
    rig.link.timer1Tick();
    EXPECT_TRUE(rig.link.usbStick);
    EXPECT_TRUE(rig.link.controlFlag);
    EXPECT_FALSE(rig.link.timer1().isActive());
}

TEST(DriverLink, PageWriteSendsRequestPacketsAndIsAcknowledged)
{
    DriverRig rig;
    std::vector<std::uint8_t> page(128);
    for (int i = 0; i < 128; ++i)
        page[i] = static_cast<std::uint8_t>(255 - i);
    EXPECT_FALSE(rig.link.writePage(0xC000, page.data()));
    ASSERT_EQ(rig.device.written.size(), 17u);
    EXPECT_EQ(rig.device.written[0], (Report{0xAA, 0x55, 0xF1, 0x10, 0x00, 0xC0, 0, 0}));
    EXPECT_EQ(rig.at(0xC000, 128), page);
    rig.link.readDataBlock(0xC000);
    ticks(rig, 17);
    EXPECT_EQ(rig.link.sendBlock, page);
    EXPECT_EQ(rig.device.lengthQueries, 3) << "the report lengths are asked once, when the link starts";
}

TEST(DriverLink, EightBytePacketsCarryZerosInALongerOutputReport)
{
    DriverRig rig;
    sim::SimDevice wide(nullptr, 8, 16);
    DriverLink link(rig.platform, &wide);
    link.readReportLengths();
    link.dataBuffer.fill(0x77); // what an earlier, longer report left
    std::vector<std::uint8_t> page(128, 0x01);
    link.writePage(0x0000, page.data());
    for (const Report& r : wide.written)
        EXPECT_EQ(Report(r.begin() + 8, r.end()), Report(8, 0));
}

TEST(DriverLink, TransferCheckTakesTheFirstAcknowledgementOnly)
{
    struct Case {
        const char* what;
        std::vector<Report> replies;
        int address;
        bool failed;
    };
    const std::vector<Case> cases = {
        {"good", {{0xC0, 0x33, 0x00, 0x40, 0x01}}, 0x4000, false},
        {"other reports skipped", {{0x12, 0x34}, {0xC0, 0x44}, {0xC0, 0x33, 0x80, 0xFF, 0x01}}, 0xFF80, false},
        {"status 0 decides at once", {{0xC0, 0x33, 0x00, 0x40, 0x00}, {0xC0, 0x33, 0x00, 0x40, 0x01}}, 0x4000, true},
        {"other address", {{0xC0, 0x33, 0x00, 0x80, 0x01}, {0xC0, 0x33, 0x00, 0x40, 0x01}}, 0x4000, true},
        {"control block needs 80 FF", {{0xC0, 0x33, 0x80, 0x00, 0x01}}, 0xFF80, true},
    };
    for (const Case& c : cases) {
        DriverRig rig;
        rig.device.setModel(nullptr);
        for (const Report& r : c.replies)
            rig.device.queueReply(r);
        EXPECT_EQ(rig.link.transferCheck(c.address), c.failed) << c.what;
    }
}

TEST(DriverLink, TransferCheckGivesUpAfter201Polls)
{
    DriverRig rig;
    rig.device.setModel(nullptr);
    EXPECT_TRUE(rig.link.transferCheck(0x0000));
    EXPECT_EQ(rig.device.emptyReads, 201);
    EXPECT_EQ(rig.platform.nowMs, 201 * 5);
}
