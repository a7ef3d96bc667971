// Stick frames byte for byte: Read Memory, Write Memory, write EE, the firmware parts and the debug lines.

#include "StickRig.h"

#include "image/Crc16.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

namespace {

sim::Report bytes(std::initializer_list<int> v)
{
    sim::Report r;
    for (int b : v)
        r.push_back(static_cast<std::uint8_t>(b));
    return r;
}

struct StickFrames : ::testing::Test, StickRig {
    StickFrames()
    {
        Bytes& image = frames().writeImage;
        image.assign(256, 0);
        loadDefaultImage(image);
        for (int i = 128; i < 256; ++i)
            image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    }
    sim::Report sent(int cmd, int address, std::size_t n)
    {
        frames().stickAddr = address;
        const std::size_t before = device.written.size();
        EXPECT_TRUE(frames().stickCmd(cmd));
        EXPECT_EQ(device.written.size(), before + 1);
        EXPECT_EQ(frames().stickAddr, address) << "the reply moves the address on, not the frame";
        return framesFrom(before, n).front();
    }
    StickLink& frames() { return machine.frames(); }
};

} // namespace

TEST_F(StickFrames, ReadMemoryNeverAsksPastByte255)
{
    EXPECT_EQ(sent(stick::stickReadMem, 0, 5), bytes({0xCA, 0xC5, 0x02, 0x00, 0x1A}));
    EXPECT_EQ(sent(stick::stickReadMem, 230, 5), bytes({0xCA, 0xC5, 0x02, 0xE6, 0x1A}));
    EXPECT_EQ(sent(stick::stickReadMem, 234, 5), bytes({0xCA, 0xC5, 0x02, 0xEA, 0x16}));
    EXPECT_EQ(view.lines, QStringList({"Send: Read Memory 0x00", "Send: Read Memory 0xE6",
                                       "Send: Read Memory 0xEA"}));
}

TEST_F(StickFrames, WriteMemoryAndWriteEeOfTheDefaultImage)
{
    EXPECT_EQ(sent(stick::stickWriteMem, 0, 33),
              bytes({0xCA, 0xC5, 0x04, 0x1B, 0x75, 0x00, 0x19, 0x0C, 0x00, 0x00, 0x64, 0xFF, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00,
                     0x00, 0xFF, 0x00, 0x00, 0x00}));
    EXPECT_EQ(sent(stick::stickWriteEE, 0, 19),
              bytes({0xCA, 0xC5, 0x05, 0xA8, 0x13, 0x00, 0x0C, 0x0C, 0x00, 0x00, 0x64, 0xFF, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x32, 0x00}));
    EXPECT_EQ(view.lines, QStringList({"Send: Write Memory 0x00", "Send: Write Memory 0x00 write EE"}));
}

TEST_F(StickFrames, WriteMemoryEndsWithAZeroWhateverTheBufferHeld)
{
    link.dataBuffer.fill(0xAB);
    const sim::Report frame = sent(stick::stickWriteMem, 25, 33);
    EXPECT_TRUE(std::equal(frame.begin() + 7, frame.begin() + 32, frames().writeImage.begin() + 25));
    EXPECT_EQ(frame[32], 0);
}

TEST_F(StickFrames, LastPageOfALongFirmwareReadsNothingPastTheImage)
{
    frames().fwImage.assign(12288, 0xAB);
    frames().stickAddr = 170 * 72; // the 171st page: bytes 12240..12311
    const std::size_t before = device.written.size();
    for (int s = 3; s <= 5; ++s) {
        frames().stickState = s;
        frames().stickCmd(stick::stickFwBlock);
    }
    const auto parts = framesFrom(before, 32);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(sim::Report(parts[1].begin() + 6, parts[1].end()),
              [] { sim::Report r(22, 0xAB); r.resize(26, 0xFF); return r; }());
    EXPECT_EQ(sim::Report(parts[2].begin() + 6, parts[2].begin() + 26), sim::Report(20, 0xFF));
}

TEST_F(StickFrames, CommandsThatSendNothing)
{
    frames().stickAddr = 40;
    for (int state : {-1, 0, 1, 2}) {
        frames().stickState = state;
        EXPECT_FALSE(frames().stickCmd(stick::stickFwBlock));
    }
    for (int cmd : {0, 1, 3, 6, 7, 9, 0x0E, 255})
        EXPECT_FALSE(frames().stickCmd(cmd)) << cmd;
    const std::uint8_t one[] = {'R'};
    EXPECT_FALSE(frames().send2Stick("lonely", one));
    EXPECT_EQ(frames().stickAddr, 40);
    EXPECT_TRUE(device.written.empty());
    EXPECT_TRUE(view.lines.isEmpty());

    view.debugTicked = false; // "Debug" unticked, or "Stop" ticked: sent, not logged
    EXPECT_TRUE(frames().stickCmd(stick::stickReadMem));
    EXPECT_TRUE(view.lines.isEmpty());
}

TEST_F(StickFrames, WriteFramesStayInsideTheImageAndTheStickMemory)
{
    EXPECT_FALSE(frames().stickCmd((frames().stickAddr = 232, stick::stickWriteMem)));
    frames().writeImage.resize(128);
    EXPECT_FALSE(frames().stickCmd((frames().stickAddr = 110, stick::stickWriteMem)));
    EXPECT_TRUE(frames().stickCmd((frames().stickAddr = 103, stick::stickWriteMem)));
    EXPECT_EQ(device.written.size(), 1u);
}
