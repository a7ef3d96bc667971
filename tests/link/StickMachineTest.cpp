// The stick's reply machine against the simulated stick: read, write, firmware update, caption and log box.

#include "StickRig.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace nolt;
using namespace nolt::test;

namespace {

const QString readyCaption = QStringLiteral("USB Stick, Device Nr. 12345678, FW 1.72            Ready...");

struct StickMachineTest : ::testing::Test, StickRig {
    // The addresses of the Read Memory, Write Memory or write EE frames sent since frame `from`.
    std::vector<int> addressesOf(std::size_t from, int cmd) const
    {
        std::vector<int> out;
        for (std::size_t i = from; i < device.written.size(); ++i)
            if (device.written[i][2] == cmd)
                out.push_back(device.written[i][cmd == stick::stickReadMem ? 3 : 5]);
        return out;
    }
};

} // namespace

// "ReRead" only when identified; a reply with a wrong CRC is dropped and the read stands until the stick announces
// itself again. Replies given by hand: StickFaultsTest.
TEST_F(StickMachineTest, IdentityAndRereadReadAll256Bytes)
{
    for (int s : {0, 2})
        machine.frames().stickState = s, machine.bRereadClick();
    EXPECT_TRUE(device.written.empty());
    model.badCrcReplies = 1;
    state.eeBlock.assign(128, 0x77);
    platform.busyCursor = true; // start-up's hourglass
    model.announce();
    machine.start();
    platform.advance(200);
    EXPECT_FALSE(platform.busyCursor) << "the identity restores the arrow";
    EXPECT_GE(platform.nowMs, 1200) << "the window waits a second before the first read";
    settle();
    EXPECT_EQ(addressesOf(0, stick::stickReadMem), std::vector<int>{0});
    EXPECT_EQ(std::count(state.eeBlock.begin(), state.eeBlock.end(), 0), 128) << "256 bytes: 128 added as zeros";
    EXPECT_EQ(state.eeBlock[127], 0x77);
    EXPECT_TRUE(view.busy);
    model.announce();
    settle();
    EXPECT_EQ(addressesOf(1, stick::stickReadMem), (std::vector<int>{0, 26, 52, 78, 104, 130, 156, 182, 208, 234}));
    EXPECT_EQ(state.eeBlock, memory());
    EXPECT_FALSE(view.busy);
    EXPECT_FALSE(view.log) << "no log box without -showLog";
    const qsizetype dump = view.lines.lastIndexOf("------------------ Memory dump --------------------");
    ASSERT_GE(dump, 0);
    ASSERT_EQ(view.lines.size(), dump + 18) << "16 rows of 16 bytes and the closing line";
    EXPECT_EQ(view.lines[dump + 1], "00: 03 0A 11 18 1F 26 2D 34 3B 42 49 50 57 5E 65 6C ");
    EXPECT_EQ(view.lines[dump + 16], "F0: 93 9A A1 A8 AF B6 BD C4 CB D2 D9 E0 E7 EE F5 FC ");
    EXPECT_EQ(view.lines[dump + 17], "----------------------------------------------------");
    const std::size_t sent = device.written.size(); // a second identity only updates the id
    reply({0xB2, '_', 0xAA, 0xBB, 0xCC, 0xDD, 1, 73});
    EXPECT_EQ(device.written.size(), sent);
    EXPECT_EQ(machine.stickId(), (StickId{0xAA, 0xBB, 0xCC, 0xDD, 1, 73}));
    // Announced anew, the stick is a new one: until its read completes the window stays busy, "ReRead" offered.
    model.badCrcReplies = 1;
    model.announce();
    settle();
    EXPECT_TRUE(view.busy);
    EXPECT_EQ(view.disables, 3) << "the transfer buttons hidden at each of the three idle reports";
    EXPECT_EQ(view.rereadOffers, 2);
    EXPECT_EQ(view.captions.mid(view.captions.size() - 1), QStringList{"USB Stick"});
}

// Bytes 0..249, then the EE area; a refused frame goes out again, the sixth refusal ends the write.
TEST_F(StickMachineTest, WriteRepeatsRefusedFramesAndTheSixthRefusalEndsIt)
{
    identify();
    state.eeBlock.assign(256, 0x42);
    model.refuseWrites = model.refuseEeWrites = 5;
    machine.storeUSBStick();
    settle();
    EXPECT_EQ(addressesOf(10, stick::stickWriteMem),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 25, 50, 75, 100, 125, 150, 175, 200, 225}));
    EXPECT_EQ(addressesOf(10, stick::stickWriteEE),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 12, 24, 36, 48, 60, 72, 84, 96, 108}));
    EXPECT_EQ(view.lines.count("EE Write Repeat"), 5);
    EXPECT_EQ(model.memory[250], 217) << "250..255 not written";
    EXPECT_TRUE(view.lines.contains("EE Write OK"));
    machine.bRereadClick();
    EXPECT_EQ(model.pending(), 0u) << "no ReRead after a write until the stick identifies itself";
    for (bool ee : {false, true}) {
        (ee ? model.refuseEeWrites : model.refuseWrites) = 6;
        const int enables = view.enables;
        const qsizetype eeRepeats = view.lines.count("EE Write Repeat");
        const std::size_t start = device.written.size();
        platform.busyCursor = true;
        machine.storeUSBStick();
        settle();
        EXPECT_EQ(addressesOf(start, ee ? stick::stickWriteEE : stick::stickWriteMem), std::vector<int>(6, 0));
        EXPECT_EQ(view.captionText, "Transfer Error!");
        EXPECT_EQ(machine.stickState(), 0);
        EXPECT_EQ(view.enables, enables + 1);
        EXPECT_EQ(view.lines.count("EE Write Repeat"), eeRepeats + (ee ? 5 : 0)) << "only write EE repeats are logged";
        EXPECT_FALSE(platform.busyCursor);
    }
    model.refuseWrites = 5; // the next write gets its own six tries
    machine.storeUSBStick();
    settle();
    EXPECT_EQ(view.lines.count("EE Write OK"), 2);
    // Each frame has its own six tries: five refusals of the first write EE frame, then five of the second.
    model.refuseEeWrites = 5;
    const int eeTaken = model.eeFrames;
    machine.storeUSBStick();
    for (int t = 0; t < 10000 && model.eeFrames == eeTaken; t += 10)
        platform.advance(10);
    model.refuseEeWrites = 5;
    settle();
    EXPECT_EQ(view.lines.count("EE Write OK"), 3);
}

// One operation at a time, each ending whole, whatever is pressed or loaded meanwhile: a read reaches the image
// only once complete (one that stands at a wrong CRC leaves it as it was), a write and an update send what was
// there when their button was pressed. "Transfer", "Update FW" and "ReRead" beep while another operation runs.
TEST_F(StickMachineTest, OneOperationAtATimeAndEachEndsWhole)
{
    enum Op { read, write, update };
    enum Act { load, transfer, updateFw, reread, badCrc };
    const struct { Op op; int after; Act act; bool beeps; } rows[] = {
        {read, 3, transfer, true}, {read, 3, load, false}, {read, 3, reread, true}, {read, 3, badCrc, false},
        {write, 3, load, false}, {write, 13, load, false}, {write, 3, updateFw, true}, {write, 3, reread, true},
        {update, 3, load, false}, {update, 3, transfer, true}, {update, 3, reread, true}};
    Bytes pressed(256);
    std::iota(pressed.rbegin(), pressed.rend(), 0);
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "operation " << r.op << ", action " << r.act);
        identify();
        model.firmware.clear();
        const int frames = model.writeFrames + model.eeFrames, beeps = platform.beeps, displays = view.displays;
        const std::size_t sent = device.written.size();
        const auto taken = [&] {
            return r.op == read    ? static_cast<int>(addressesOf(sent, stick::stickReadMem).size())
                   : r.op == write ? model.writeFrames + model.eeFrames - frames
                                   : static_cast<int>(model.firmware.size() / 72);
        };
        state.eeBlock = pressed;
        state.firmware.fwImage.assign(12288, 0x17);
        state.firmware.fwLength = 5 * 72;
        r.op == read ? machine.bRereadClick() : r.op == write ? machine.storeUSBStick() : machine.bUpdateFwClick();
        for (int t = 0; t < 10000 && taken() < r.after; t += 100)
            platform.advance(100);
        ASSERT_EQ(taken(), r.after);
        if (r.act == load) {
            std::fill_n(state.eeBlock.begin(), 128, 0x5A);
            state.firmware.fwImage.assign(12288, 0x99);
            state.firmware.fwLength = 72;
        }
        r.act == transfer ? machine.storeUSBStick() : r.act == updateFw ? machine.bUpdateFwClick()
            : r.act == reread ? machine.bRereadClick() : void(model.badCrcReplies = r.act == badCrc);
        settle();
        EXPECT_EQ(platform.beeps, beeps + r.beeps);
        EXPECT_EQ(model.writeFrames + model.eeFrames - frames, r.op == write ? 20 : 0);
        EXPECT_EQ(model.firmware, r.op == update ? Bytes(5 * 72, 0x17) : Bytes());
        if (r.op == read) {
            EXPECT_EQ(state.eeBlock, r.act == badCrc ? pressed : memory());
            EXPECT_EQ(view.displays, displays + (r.act != badCrc));
        } else if (r.op == write) {
            EXPECT_TRUE(std::equal(pressed.begin(), pressed.begin() + 250, model.memory.begin()));
            EXPECT_TRUE(r.act != load || state.eeBlock[127] == 0x5A) << "the loaded image stays on screen";
        } else {
            EXPECT_TRUE(r.act != load || state.firmware.fwImage[0] == 0x99);
        }
        if (r.act == badCrc) { // a read that stands blocks nothing
            machine.storeUSBStick();
            settle();
            EXPECT_EQ(view.captionText, readyCaption + "->Transfer finished.");
        }
    }
}

// Pages of 72 bytes in three CRC-checked parts, then the reset frame; the stick announces itself and is read.
// The caption shows the stick's firmware version; the log box needs firmware 1.72 or later and "-showLog", and a
// stick with older firmware read after it hides the box.
TEST_F(StickMachineTest, FirmwarePagesByLengthAndCaptionByVersion)
{
    Bytes fw(12288);
    std::iota(fw.begin(), fw.end(), 0);
    state.firmware.fwImage = fw;
    const std::uint8_t log[] = {0x10, 0x27, 0x00, 0x05, 0x00, 0x04, 0x00, 0x55};
    std::copy(std::begin(log), std::end(log), model.memory.begin() + img::logOpTime);
    state.sw.showLog = true;
    const struct { int length, pages, progress; std::uint8_t version; const char* shown; bool logBox; } rows[] = {
        {0, 1, 0, 72, "1.72", true}, {144, 2, 2, 0xFF, "???", false}, {145, 3, 3, 71, "1.71", false}};
    for (auto r : rows) {
        SCOPED_TRACE(r.length);
        model.fwVersion = r.version;
        identify();
        const QString ready = QStringLiteral("USB Stick, Device Nr. 12345678, FW %1            Ready...").arg(r.shown);
        EXPECT_EQ(view.captionText, ready);
        EXPECT_EQ(view.log.has_value(), r.logBox);
        if (r.logBox)
            EXPECT_EQ(QStringList({view.log->lOp, view.log->lSwCnt, view.log->lOverT, view.log->lMaxT}),
                      QStringList({"10000 min", "5", "60 min", "85 °C"}));
        model.firmware.clear();
        state.firmware.fwLength = r.length;
        machine.bUpdateFwClick();
        settle();
        EXPECT_EQ(model.firmware, Bytes(fw.begin(), fw.begin() + r.pages * 72));
        EXPECT_EQ(view.position, r.progress);
        EXPECT_TRUE(view.lines.contains("FW Update done."));
        EXPECT_EQ(view.captions.count(ready + "->FW Update finished."), 1);
        EXPECT_EQ(view.captionText, ready) << "reset, announced and read again";
    }
    // Once the update ended, a late page answer moves nothing and "ReRead" works (here the stick does not answer
    // the reset).
    state.firmware.fwLength = 72;
    model.silentAfter = model.frames + 3;
    machine.bUpdateFwClick();
    settle();
    ASSERT_EQ(device.written.back()[2], 0x0E) << "the reset went out";
    const std::size_t sent = device.written.size();
    reply({0xB2, 'Z'});
    EXPECT_EQ(device.written.size(), sent);
    EXPECT_EQ(view.lines.back(), "RET: 5A");
    const int beeps = platform.beeps;
    machine.bRereadClick();
    EXPECT_EQ(platform.beeps, beeps);
    EXPECT_EQ(device.written.back()[2], stick::stickReadMem);
}
