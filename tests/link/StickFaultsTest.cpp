// An untrusted stick: data replies that do not fit, short output reports, replies that belong to no operation,
// frames the stick does not check, and random replies (the sanitizers show any access outside a buffer).

#include "StickRig.h"

#include <gtest/gtest.h>

#include <random>

using namespace nolt;
using namespace nolt::test;

namespace {

struct StickFaults : ::testing::Test, StickRig {};

// Random bytes, mostly with the stick's tag; every reply code and some unknown ones; mostly well-formed data
// replies, so that reads get far.
sim::Report randomReply(const auto& below, int length)
{
    sim::Report r(static_cast<std::size_t>(length));
    std::ranges::generate(r, [&] { return static_cast<std::uint8_t>(below(256)); });
    r[0] = below(16) ? 0xB2 : r[0];
    r[1] = static_cast<std::uint8_t>('P' + below(16));
    if (r[1] == 'R' && below(4) && length > 6) {
        r = dataReply(r[4], below(std::min(length - 5, 40)), r[6]);
        r.resize(static_cast<std::size_t>(length));
    }
    return r;
}

} // namespace

// A 32-byte report holds 26 data bytes: 27 are dropped even when their CRC is right (the 27th byte, report byte 32,
// reads as zero); so is data past byte 255, which the read at 234 ends with. The read then stands, like one at a
// wrong CRC, and the image keeps what it held; the same data when no read runs is dropped too. Data that fits
// reaches the image once the read is complete.
TEST(StickFaultsSmallReport, DataPastTheMemoryOrTheReportIsDropped)
{
    StickRig rig(32, 64);
    rig.identify();
    const Bytes before = rig.state.eeBlock;
    const auto readUpTo = [&rig](int address) { // "ReRead", then the stick's replies by hand up to this address
        rig.machine.bRereadClick();
        rig.model.clearOutbox();
        rig.device.clearReplies();
        for (int a = 0; a < address; a += 26)
            rig.reply(dataReply(a, 26, 0x44));
        return rig.device.written.size();
    };
    for (auto [reading, address, length, value] :
         {std::tuple{false, 0, 26, 0x44}, {true, 0, 27, 0x44}, {true, 0, 27, 0x00}, {true, 234, 26, 0x99}}) {
        const std::size_t sent = reading ? readUpTo(address) : rig.device.written.size();
        rig.reply(dataReply(address, length, static_cast<std::uint8_t>(value)));
        EXPECT_EQ(rig.device.written.size(), sent);
        EXPECT_FALSE(rig.state.stickReading);
        EXPECT_EQ(rig.state.eeBlock, before);
    }
    readUpTo(234);
    EXPECT_EQ(rig.device.written.back()[3], 234);
    EXPECT_EQ(rig.state.eeBlock, before) << "nothing reaches the image before the read is complete";
    rig.reply(dataReply(234, 22, 0x99)); // exactly up to byte 255: taken, and the read is complete
    EXPECT_EQ(rig.state.eeBlock[233], 0x44);
    EXPECT_EQ(rig.state.eeBlock[255], 0x99);
    // Output reports too short for a frame: Read Memory fits in 32 bytes, Write Memory and firmware parts do not;
    // in 4 bytes nothing fits. No frame is sent cut.
    for (int length : {32, 4}) {
        StickRig rig(64, length);
        rig.identify();
        rig.machine.storeUSBStick();
        EXPECT_EQ(rig.view.captionText, "Transfer Error!");
        rig.view.captionText.clear();
        rig.state.firmware.fwImage.assign(12288, 1);
        rig.machine.bUpdateFwClick();
        EXPECT_EQ(rig.view.captionText, "Transfer Error!");
        EXPECT_EQ(rig.device.written.size(), length == 32 ? 10u : 0u) << "the read's frames, none cut";
    }
}

// Write and firmware replies outside their operation and unknown codes (both shown in the debug memo as unexpected
// replies) and beep codes change nothing; "Update FW" without firmware beeps and sends nothing; nor does a write of an image too short.
TEST_F(StickFaults, RepliesOutsideTheirOperationChangeNothing)
{
    identify();
    const std::size_t sent = device.written.size();
    view.lines.clear();
    for (sim::Report r : {sim::Report{0xB2, 'T'}, {0xB2, 'U'}, {0xB2, 'V'}, {0xB2, 'W'}, {0xB2, 'X'}, {0xB2, 'Z'},
                          {0xB2, 0x50}, {0xB2, 0x53}, {0x00, 0x51}, {0xB2, 'Y'}, {0xB2, '['}})
        reply(r);
    EXPECT_EQ(view.lines, QStringList({"RET: 54", "RET: 55", "RET: 56", "RET: 57", "RET: 58", "RET: 5A", "RET: 50",
                                       "RET: 53", "?: 00"}));
    state.firmware.fwLength = 144;
    machine.bUpdateFwClick();
    EXPECT_EQ(platform.beeps, 3);
    EXPECT_EQ(machine.stickState(), 1);
    const Bytes image = state.eeBlock;
    state.eeBlock.resize(128); // an image too short for a whole write is refused before its first frame
    machine.storeUSBStick();
    EXPECT_EQ(view.captionText, "Transfer Error!");
    EXPECT_EQ(device.written.size(), sent);
    state.eeBlock = image;
    machine.storeUSBStick(); // a data reply during a write leaves the image being written alone
    model.clearOutbox();
    reply(dataReply(0, 26, 0x99));
    EXPECT_EQ(state.eeBlock, image);
    EXPECT_EQ(device.written.size(), sent + 1) << "only the first Write Memory";
}

// The first Write Memory and write EE frames of the factory image, byte for byte. Frames the stick's checks do not
// see: the length of the last read, the zero closing Write Memory whatever the buffer held, firmware bytes past the
// image (0xFF); and the guards: one refused frame each.
TEST_F(StickFaults, FramesStayInsideTheImageAndTheStickMemory)
{
    StickLink& f = machine.frames();
    f.writeImage.assign(defaultImage.begin(), defaultImage.end());
    for (int cmd : {stick::stickWriteMem, stick::stickWriteEE})
        EXPECT_TRUE(f.stickCmd((f.stickAddr = 0, cmd)));
    EXPECT_EQ(sim::Report(device.written[0].begin(), device.written[0].begin() + 33),
              (sim::Report{0xCA, 0xC5, 0x04, 0x1B, 0x75, 0x00, 0x19, 0x0C, 0x00, 0x00, 0x64, 0xFF, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0x32, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF,
                           0x00, 0x00, 0x00}));
    EXPECT_EQ(sim::Report(device.written[1].begin(), device.written[1].begin() + 19),
              (sim::Report{0xCA, 0xC5, 0x05, 0xA8, 0x13, 0x00, 0x0C, 0x0C, 0x00, 0x00, 0x64, 0xFF, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0x32, 0x00}));
    EXPECT_EQ(view.lines.back(), "Send: Write Memory 0x00 write EE");
    device.written.clear();
    f.writeImage.assign(128, 0x21);
    f.fwImage.assign(12288, 0xAB);
    link.dataBuffer.fill(0xAB);
    EXPECT_TRUE(f.stickCmd((f.stickAddr = 234, stick::stickReadMem)));
    EXPECT_EQ(view.lines.back(), "Send: Read Memory 0xEA");
    EXPECT_TRUE(f.stickCmd((f.stickAddr = 103, stick::stickWriteMem)));
    f.stickState = 4;
    EXPECT_TRUE(f.stickCmd((f.stickAddr = 12287, stick::stickFwBlock)));
    ASSERT_EQ(device.written.size(), 3u);
    EXPECT_EQ(sim::Report(device.written[0].begin(), device.written[0].begin() + 5),
              (sim::Report{0xCA, 0xC5, 0x02, 0xEA, 0x16}));
    EXPECT_EQ(device.written[1][32], 0);
    EXPECT_EQ(device.written[2][6], 0xAB);
    EXPECT_EQ(sim::Report(device.written[2].begin() + 7, device.written[2].begin() + 32), sim::Report(25, 0xFF));
    device.written.clear();
    view.lines.clear();
    // Firmware parts outside states 3..5, an unknown command, reads outside the memory, a write past the image.
    for (auto [state, address, cmd] : {std::tuple{2, 0, 8}, {6, 0, 8}, {1, 0, 14}, {1, 256, 2}, {1, 104, 4}}) {
        f.stickState = state;
        EXPECT_FALSE(f.stickCmd((f.stickAddr = address, cmd))) << state << " " << address << " " << cmd;
    }
    const std::uint8_t one[] = {'R'};
    EXPECT_FALSE(f.send2Stick("lonely", one));
    EXPECT_TRUE(device.written.empty());
    EXPECT_TRUE(view.lines.isEmpty());
}

// Random replies amid random actions, at report lengths of every kind: the sanitizers show any access outside a
// buffer; the machine stays in its states and keeps Timer3 running.
TEST(StickFuzz, RandomRepliesNeverLeaveTheBuffers)
{
    unsigned seed = 1;
    for (auto [in, out] : {std::pair{64, 64}, {8, 16}, {32, 33}, {255, 255}, {7, 5}}) {
        SCOPED_TRACE(seed);
        StickRig rig(in, out);
        rig.view.debugTicked = seed % 2 == 0;
        rig.state.sw.showLog = true;
        rig.machine.start();
        std::mt19937 rng(seed++);
        const auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        FirmwareState& fw = rig.state.firmware;
        for (int step = 0; step < 2500; ++step) {
            switch (const int r = below(100); r < 8 ? r : r < 70 ? 8 : 9) { // buttons, loads cut short, the stick
            case 0: rig.machine.storeUSBStick(); break;
            case 1: rig.machine.bUpdateFwClick(); break;
            case 2: rig.machine.bRereadClick(); break;
            case 3: rig.state.eeBlock.resize(below(2) ? 128 : 256, 0xFF); break;
            case 4: fw.fwLength = below(12288); break;
            case 5: fw.fwImage.assign(fw.fwImage.empty() ? 12288 : 0, 0x5A); break;
            case 6: rig.model.announce(); break;
            case 7: rig.model.refuseWrites = below(8); break;
            case 8: rig.device.queueReply(randomReply(below, in)); break;
            }
            rig.machine.Timer3Timer();
            ASSERT_TRUE(rig.machine.stickState() >= 0 && rig.machine.stickState() <= 5) << rig.machine.stickState();
            ASSERT_TRUE(rig.state.eeBlock.size() == 128 || rig.state.eeBlock.size() == 256);
            ASSERT_LE(rig.machine.frames().fwPosition, std::max(rig.machine.frames().fwPages, 0));
            ASSERT_TRUE(rig.timer3->isActive());
        }
        for (const auto& f : rig.device.written)
            ASSERT_EQ(sim::Report(f.begin(), f.begin() + 2), (sim::Report{0xCA, 0xC5}));
        EXPECT_GT(rig.device.written.size(), 100u) << "the protocol got somewhere";
    }
}
