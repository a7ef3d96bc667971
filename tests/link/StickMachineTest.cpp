// The stick's reply machine against the simulated stick: the read on the identity, the caption and log box, the
// write with its refusals, the firmware update, "ReRead" and the replies that only show or beep.

#include "StickRig.h"

#include "image/Crc16.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

namespace {

const QString readyCaption = QStringLiteral("USB Stick, Device Nr. 12345678, FW 1.72            Ready...");

// The addresses of the Read Memory, Write Memory or write EE frames among the frames sent.
std::vector<int> addressesOf(const std::vector<sim::Report>& frames, int cmd)
{
    std::vector<int> out;
    for (const auto& f : frames)
        if (f[2] == cmd)
            out.push_back(cmd == stick::stickReadMem ? f[3] : f[5]);
    return out;
}

struct StickMachineTest : ::testing::Test, StickRig {
    // The stick identifies itself and its memory is read.
    void readStick()
    {
        identify();
        ASSERT_EQ(view.captionText, readyCaption);
        ASSERT_EQ(machine.stickState(), 1);
    }
    void transfer()
    {
        machine.storeUSBStick();
        settle();
    }
};

} // namespace

TEST_F(StickMachineTest, IdentityStartsTheReadOfAll256Bytes)
{
    model.announce();
    machine.start();
    platform.advance(100);
    EXPECT_EQ(view.captionText, "USB Stick") << "the idle report";
    EXPECT_TRUE(view.busy);
    EXPECT_EQ(view.disables, 1);
    const long long before = platform.nowMs;
    platform.advance(100);
    EXPECT_GE(platform.nowMs - before, 1000) << "the window waits a second before the first read";
    settle();
    EXPECT_EQ(addressesOf(framesFrom(0), stick::stickReadMem),
              (std::vector<int>{0, 26, 52, 78, 104, 130, 156, 182, 208, 234}));
    EXPECT_EQ(state.eeBlock, memory());
    EXPECT_EQ(view.captionText, readyCaption);
    EXPECT_FALSE(view.busy);
    EXPECT_EQ(view.enables, 1);
    EXPECT_EQ(view.displays, 1);
    EXPECT_FALSE(view.log) << "no log box without -showLog";
    EXPECT_EQ(machine.stickId(), (StickId{0x12, 0x34, 0x56, 0x78, 0, 72}));
    // With debug on the image is dumped after the read.
    const qsizetype head = view.lines.indexOf("------------------ Memory dump --------------------");
    ASSERT_GE(head, 0);
    ASSERT_EQ(view.lines.size(), head + 18);
    EXPECT_EQ(view.lines[head + 1].left(13), "00: 03 0A 11 ");
    EXPECT_EQ(view.lines[head + 17], "----------------------------------------------------");

    const std::size_t sent = device.written.size(); // a second identity only updates the id
    reply({0xB2, '_', 0xAA, 0xBB, 0xCC, 0xDD, 1, 73});
    EXPECT_EQ(device.written.size(), sent);
    EXPECT_EQ(machine.stickId(), (StickId{0xAA, 0xBB, 0xCC, 0xDD, 1, 73}));
    EXPECT_EQ(machine.stickState(), 1);
}

// The log box needs firmware 1.72 or later and "-showLog".
TEST_F(StickMachineTest, CaptionAndLogBoxByFirmwareVersion)
{
    const std::uint8_t log[] = {0x10, 0x27, 0x00, 0x05, 0x00, 0x04, 0x00, 0x55};
    std::copy(std::begin(log), std::end(log), model.memory.begin() + img::logOpTime);
    state.sw.showLog = true;
    const struct { std::uint8_t version; const char* shown; bool logBox; } cases[] = {
        {0xFF, "???", false}, {71, "1.71", false}, {72, "1.72", true}};
    machine.start();
    for (auto c : cases) {
        model.fwVersion = c.version;
        model.announce();
        settle();
        EXPECT_EQ(view.captionText, QStringLiteral("USB Stick, Device Nr. 12345678, FW %1            Ready...").arg(c.shown));
        EXPECT_EQ(view.log.has_value(), c.logBox) << c.shown;
        EXPECT_EQ(machine.stickFwVersion(), c.version == 0xFF ? 0 : c.version);
    }
    ASSERT_TRUE(view.log);
    EXPECT_EQ(view.log->lOp, "10000 min");
    EXPECT_EQ(view.log->lSwCnt, "5");
    EXPECT_EQ(view.log->lOverT, "60 min");
    EXPECT_EQ(view.log->lMaxT, "85 °C");
}

// "ReRead" only when identified; a data reply moves the read on by its own address (208 + 26 asks for 234).
TEST_F(StickMachineTest, RereadOnlyWhenIdentifiedAndDataRepliesMoveTheRead)
{
    for (int s : {0, 2}) {
        machine.frames().stickState = s;
        machine.bRereadClick();
    }
    EXPECT_TRUE(device.written.empty());
    readStick();
    model.memory[100] = 0xEE;
    std::size_t sent = device.written.size();
    machine.bRereadClick();
    settle();
    EXPECT_EQ(addressesOf(framesFrom(sent), stick::stickReadMem).size(), 10u);
    EXPECT_EQ(state.eeBlock[100], 0xEE);

    machine.bRereadClick();
    model.clearOutbox();
    device.clearReplies();
    sent = device.written.size();
    sim::Report r = {0xB2, 'R', 0, 0, 208, 26};
    r.resize(32, 0x5A);
    const std::uint16_t crc = frameCrc(208, 26, r.data() + 6);
    r[2] = crc & 0xFF, r[3] = crc >> 8;
    reply(r);
    ASSERT_EQ(device.written.size(), sent + 1);
    EXPECT_EQ(device.written.back()[3], 234);
    EXPECT_EQ(state.eeBlock[208], 0x5A);
    EXPECT_EQ(state.eeBlock[233], 0x5A);
}

TEST_F(StickMachineTest, WrongCrcChangesNothingAndTheReadStands)
{
    model.badCrcReplies = 1;
    state.eeBlock.assign(128, 0x77);
    identify();
    EXPECT_EQ(addressesOf(framesFrom(0), stick::stickReadMem), std::vector<int>{0});
    EXPECT_EQ(state.eeBlock, [] { Bytes b(256, 0); std::fill_n(b.begin(), 128, 0x77); return b; }());
    EXPECT_EQ(view.captionText, "USB Stick");
    EXPECT_TRUE(view.busy);
    model.announce(); // the stick announces itself again and a fresh read succeeds
    settle();
    EXPECT_EQ(state.eeBlock, memory());
}

TEST_F(StickMachineTest, WriteSendsBytes0To249ThenTheEeArea)
{
    readStick();
    for (std::size_t i = 0; i < 256; ++i)
        state.eeBlock[i] = static_cast<std::uint8_t>(255 - i);
    const Bytes before = memory();
    const std::size_t from = device.written.size();
    transfer();
    const auto frames = framesFrom(from);
    EXPECT_EQ(addressesOf(frames, stick::stickWriteMem), (std::vector<int>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225}));
    EXPECT_EQ(addressesOf(frames, stick::stickWriteEE), (std::vector<int>{0, 12, 24, 36, 48, 60, 72, 84, 96, 108}));
    EXPECT_TRUE(std::equal(state.eeBlock.begin(), state.eeBlock.begin() + 250, model.memory.begin()));
    EXPECT_TRUE(std::equal(before.begin() + 250, before.end(), model.memory.begin() + 250)) << "250..255 not written";
    EXPECT_EQ(view.captionText, readyCaption + "->Transfer finished.");
    EXPECT_EQ(machine.stickState(), 0);
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(view.lines.contains("EE Write OK"));
    transfer();
    EXPECT_EQ(view.captionText, readyCaption + "->Transfer finished.->Transfer finished.");
    machine.bRereadClick();
    EXPECT_EQ(model.pending(), 0u) << "no ReRead after a write until the stick identifies itself";
}

// A load in the middle of a write or an update: the stick gets the image or firmware of the moment the button
// was pressed, whole; the loaded one stays on screen for the next operation.
TEST_F(StickMachineTest, LoadMidwayChangesNothingThatIsSent)
{
    const struct { const char* phase; int sim::StickModel::*taken; } cases[] = {
        {"Write Memory", &sim::StickModel::writeFrames},
        {"write EE", &sim::StickModel::eeFrames},
        {"firmware pages", nullptr},
    };
    Bytes pressed(256);
    for (std::size_t i = 0; i < 256; ++i)
        pressed[i] = static_cast<std::uint8_t>(255 - i);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phase);
        readStick();
        model.firmware.clear();
        // Frames taken, or firmware pages taken.
        const auto taken = [&] { return c.taken ? model.*c.taken : static_cast<int>(model.firmware.size() / 72); };
        const int base = taken();
        state.eeBlock = pressed;
        state.firmware.fwImage.assign(12288, 0x17);
        state.firmware.fwLength = 5 * 72;
        c.taken ? machine.storeUSBStick() : machine.bUpdateFwClick();
        for (int t = 0; t < 10000 && taken() < base + 3; t += 100)
            platform.advance(100);
        ASSERT_EQ(taken(), base + 3);
        std::fill_n(state.eeBlock.begin(), 128, 0x5A); // "Load" of a configuration
        state.firmware.fwImage.assign(12288, 0x99);    // or of a firmware
        state.firmware.fwLength = 72;
        settle();
        if (c.taken) {
            EXPECT_TRUE(std::equal(pressed.begin(), pressed.begin() + 250, model.memory.begin()));
            EXPECT_EQ(view.captionText, readyCaption + "->Transfer finished.");
            EXPECT_EQ(state.eeBlock[127], 0x5A) << "the loaded image stays on screen";
            EXPECT_EQ(state.eeBlock[128], 127);
        } else {
            EXPECT_EQ(model.firmware, Bytes(5 * 72, 0x17));
            EXPECT_EQ(state.firmware.fwImage[0], 0x99);
        }
    }
}

TEST_F(StickMachineTest, FiveRefusalsAreRepeatedTheSixthEndsTheWrite)
{
    readStick();
    model.refuseWrites = 5;
    model.refuseEeWrites = 5;
    const std::size_t from = device.written.size();
    transfer();
    const auto frames = framesFrom(from);
    const auto writes = addressesOf(frames, stick::stickWriteMem);
    EXPECT_EQ(std::count(writes.begin(), writes.end(), 0), 6) << "once and five repeats";
    EXPECT_EQ(writes.size(), 15u);
    EXPECT_EQ(addressesOf(frames, stick::stickWriteEE).size(), 15u);
    EXPECT_EQ(view.lines.count("EE Write Repeat"), 5);
    EXPECT_EQ(view.captionText, readyCaption + "->Transfer finished.");
    for (bool ee : {false, true}) {
        (ee ? model.refuseEeWrites : model.refuseWrites) = 6;
        const int enables = view.enables;
        const std::size_t start = device.written.size();
        transfer();
        const auto sent = framesFrom(start);
        const auto refused = addressesOf(sent, ee ? stick::stickWriteEE : stick::stickWriteMem);
        EXPECT_EQ(refused, std::vector<int>(6, 0)) << "the sixth refusal ends it";
        EXPECT_EQ(sent.size(), ee ? 16u : 6u);
        EXPECT_EQ(view.captionText, "Transfer Error!");
        EXPECT_EQ(machine.stickState(), 0);
        EXPECT_EQ(view.enables, enables + 1);
        EXPECT_FALSE(view.busy);
        EXPECT_FALSE(platform.busyCursor);
    }
}

TEST_F(StickMachineTest, FirmwarePagesByLength)
{
    Bytes fw(12288);
    for (std::size_t i = 0; i < fw.size(); ++i)
        fw[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    state.firmware.fwImage = fw;
    for (auto [length, pages, progress] : {std::tuple{144, 2, 2}, {145, 3, 3}, {0, 1, 0}}) {
        readStick();
        model.firmware.clear();
        state.firmware.fwLength = length;
        const int resets = model.resets;
        machine.bUpdateFwClick();
        EXPECT_TRUE(view.progressShown);
        settle();
        EXPECT_EQ(model.firmware, Bytes(fw.begin(), fw.begin() + pages * 72)) << length;
        EXPECT_EQ(model.refusedFwParts, 0) << "every part's CRC is right";
        EXPECT_EQ(view.position, progress);
        EXPECT_EQ(model.resets, resets + 1);
        EXPECT_TRUE(view.lines.contains("FW Update done."));
        EXPECT_FALSE(view.progressShown);
        EXPECT_EQ(view.lines.count("Send: Reset!"), resets + 1);
        EXPECT_EQ(view.captionText, readyCaption) << "the reset makes the stick announce itself; a read follows";
        EXPECT_EQ(machine.stickState(), 1);
    }
}

TEST_F(StickMachineTest, UpdateEndsWithTheResetFrame)
{
    readStick();
    state.firmware.fwImage.assign(12288, 0x42);
    state.firmware.fwLength = 10;
    view.captionText = "x";
    machine.bUpdateFwClick();
    model.clearOutbox();
    device.clearReplies();
    reply({0xB2, 'X'});
    reply({0xB2, 'X'});
    EXPECT_EQ(machine.stickState(), 5);
    const std::size_t sent = device.written.size();
    reply({0xB2, 'X'});
    EXPECT_EQ(device.written.size(), sent) << "'X' in state 5 sends nothing";
    reply({0xB2, 'Z'});
    ASSERT_EQ(device.written.size(), sent + 1);
    EXPECT_EQ(framesFrom(sent, 3).front(), (sim::Report{0xCA, 0xC5, 0x0E}));
    EXPECT_EQ(view.captionText, "x->FW Update finished.");
    EXPECT_EQ(machine.stickState(), 1);
}

TEST_F(StickMachineTest, UnknownRepliesShowInTheDebugMemoAndBeepsBeep)
{
    machine.start();
    for (sim::Report r : {sim::Report{0xB2, 0x50}, {0xB2, 0x53}, {0x00, 0x51}})
        reply(r);
    EXPECT_EQ(view.lines, QStringList({"RET: 50", "RET: 53", "?: 00"}));
    reply({0xB2, 'Y'});
    reply({0xB2, '['});
    EXPECT_EQ(platform.beeps, 2);
    EXPECT_EQ(machine.stickState(), 0);
    EXPECT_TRUE(device.written.empty());
}
