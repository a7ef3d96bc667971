// Driver-mode requests: the 50 ms collector, page writes and their acknowledgements, reports of other lengths.

#include "support/DriverRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;
using nolt::sim::Report;

// Header and sixteen packets make a block. Before the header a stick's greeting stops the collector and anything
// else is dropped; a header repeated before the first packet starts the count again; after the first packet every
// report is a packet. A count above one page is cut to the page.
TEST(DriverLink, ReadCollectsHeaderAndSixteenPacketsThenStops)
{
    DriverRig rig;
    rig.device.setModel(nullptr); // replies come from the test alone
    rig.link.readControlBlock();
    rig.device.queueReply(Report(8, 0x11));
    rig.device.queueReply({0xC0, 0x44, 0x80, 0xFF, 0x08});
    rig.device.queueReply({0xC0, 0x44, 0x80, 0xFF, 0xF8}); // 31 packets announced
    for (int i = 0; i < 13; ++i)
        rig.device.queueReply(Report(8, static_cast<std::uint8_t>(i)));
    for (const Report& r : {Report{0xC0, 0x44, 0x80, 0xFF, 0x08}, {0xB2, 0x50}, {0xB2, 0x51}, Report(8, 0x77)})
        rig.device.queueReply(r); // block bytes, even when they look like a header or a greeting
    for (int i = 0; i < 18; ++i)
        rig.link.timer1Tick();
    EXPECT_TRUE(rig.link.controlFlag) << "header and 15 packets are not a block";
    rig.link.timer1Tick();
    EXPECT_FALSE(rig.link.controlFlag);
    EXPECT_FALSE(rig.link.usbStick);
    EXPECT_FALSE(rig.link.timer1().isActive());
    EXPECT_EQ(rig.link.controlBlock[12 * 8], 12);
    EXPECT_EQ(Bytes(rig.link.controlBlock.begin() + 104, rig.link.controlBlock.begin() + 120),
              (Bytes{0xC0, 0x44, 0x80, 0xFF, 0x08, 0, 0, 0, 0xB2, 0x50, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rig.device.pendingReplies(), 1u) << "the rest is left unread";
    for (std::uint8_t code : {0x50, 0x51}) { // after a read cut short, a stick announces itself: the collector
        rig.device.clearReplies();           // stops, the flag stays
        rig.link.readDataBlock(0);
        rig.device.queueReply({0xC0, 0x44, 0, 0, 0x80});
        rig.device.queueReply({0xB2, code});
        rig.link.timer1Tick();
        rig.link.readControlBlock();
        rig.link.timer1Tick();
        EXPECT_TRUE(rig.link.usbStick && rig.link.controlFlag) << code;
        EXPECT_FALSE(rig.link.timer1().isActive());
        rig.link.usbStick = false;
    }
}

// Sent packets carry zeros after their eight bytes, whatever the buffer held (long input reports: HidLibraryTest).
// Lengths no HID device has move no report at all.
TEST(DriverLink, LongReportsNeverRunPastTheBuffer)
{
    ScriptedPlatform platform;
    sim::SimDevice wide(nullptr, 64, 16), absurd(nullptr, 1 << 30, 1 << 30);
    DriverLink link(platform, &wide), refusing(platform, &absurd);
    link.readReportLengths();
    link.dataBuffer.fill(0x77);
    link.readDataBlock(0x1234);
    EXPECT_EQ(wide.written.at(0), (Report{0xAA, 0x55, 0xF2, 0x10, 0x34, 0x12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    refusing.readReportLengths();
    EXPECT_EQ(refusing.inputReportLength(), 0) << "the low byte";
    EXPECT_FALSE(refusing.sendReport()) << "a frame not sent is told";
    EXPECT_FALSE(refusing.receiveReport());
    EXPECT_TRUE(absurd.written.empty());
    EXPECT_EQ(absurd.emptyReads, 0);
}

// The first acknowledgement decides; other reports are skipped; 201 polls 5 ms apart find none.
TEST(DriverLink, TransferCheckTakesTheFirstAcknowledgementOnly)
{
    const struct { std::vector<Report> replies; int address; bool failed; int polls; } cases[] = {
        {{{0x12, 0x34}, {0xC0, 0x44}, {0xC0, 0x33, 0x80, 0xFF, 0x01}}, 0xFF80, false, 3},
        {{{0xC0, 0x33, 0x00, 0x40, 0x00}, {0xC0, 0x33, 0x00, 0x40, 0x01}}, 0x4000, true, 1},
        {{{0xC0, 0x33, 0x00, 0x80, 0x01}, {0xC0, 0x33, 0x00, 0x40, 0x01}}, 0x4000, true, 1},
        {{{0xC0, 0x33, 0x80, 0x00, 0x01}}, 0xFF80, true, 1},
        {{}, 0x0000, true, 201},
    };
    for (const auto& c : cases) {
        DriverRig rig;
        rig.device.setModel(nullptr);
        for (const Report& r : c.replies)
            rig.device.queueReply(r);
        EXPECT_EQ(rig.link.transferCheck(c.address), c.failed) << c.address;
        EXPECT_EQ(rig.platform.nowMs, 5 * c.polls);
    }
    // A page write reads and drops the one report the device may send after the request, even one that looks
    // like a refusal; the acknowledgement after the packets decides.
    DriverRig rig;
    rig.device.setModel(nullptr);
    rig.device.queueReply({0xC0, 0x33, 0x00, 0x40, 0x00});
    rig.device.queueReply({0xC0, 0x33, 0x00, 0x40, 0x01});
    const std::uint8_t page[128] = {};
    EXPECT_FALSE(rig.link.writePage(0x4000, page));
    ASSERT_EQ(rig.device.written.size(), 17u) << "the request and 16 packets";
    EXPECT_EQ(rig.device.written[0], (Report{0xAA, 0x55, 0xF1, 0x10, 0x00, 0x40, 0, 0}));
}
