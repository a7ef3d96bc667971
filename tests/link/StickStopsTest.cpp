// A stick that stops answering, answers out of turn or is pulled out: every operation ends, as a refused write
// does (a read ends standing), and the next press works.

#include "StickRig.h"

#include <gtest/gtest.h>

using namespace nolt;
using namespace nolt::test;

namespace {

enum Op { firstRead, reread, writing, update };

struct OpRig : StickRig {
    explicit OpRig(Op op) : op(op)
    {
        if (op != firstRead)
            identify();
        for (int i = 0; i < 256; ++i) // what the stick holds now differs from what the screen shows
            model.memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 5 + 1);
        state.eeBlock.assign(256, 0x42);
        state.firmware.fwImage.assign(12288, 0x17);
        state.firmware.fwLength = 3 * 72;
        platform.busyCursor = true;
    }
    void press()
    {
        op == firstRead ? model.announce(), machine.start() : op == reread ? machine.bRereadClick()
            : op == writing                                   ? machine.storeUSBStick()
                                                            : machine.bUpdateFwClick();
    }
    bool running() const { return state.stickReading || (machine.stickState() >= 2 && machine.stickState() <= 5); }
    // Lets time pass until the stick has had this many frames in all.
    void untilFrames(int frames)
    {
        for (int t = 0; t < 5000 && model.frames < frames; t += 10)
            platform.advance(10);
        ASSERT_EQ(model.frames, frames);
    }
    // The operation ended as it should: a write or an update as a refused write, a read standing.
    void expectEnded(const Bytes& shown)
    {
        EXPECT_FALSE(running());
        if (op == writing || op == update) {
            EXPECT_EQ(view.captionText, "Transfer Error!");
            EXPECT_EQ(machine.stickState(), 0);
            EXPECT_EQ(view.enables, 2) << "one from the read after the identity";
            EXPECT_FALSE(view.busy || platform.busyCursor || view.progressShown);
        } else {
            EXPECT_EQ(Bytes(state.eeBlock.begin(), state.eeBlock.begin() + 128),
                      Bytes(shown.begin(), shown.begin() + 128));
            EXPECT_EQ(view.busy, op == firstRead) << "the window stays busy until a first read completes";
            EXPECT_EQ(view.rereadOffers, op == firstRead ? 1 : 0);
        }
        EXPECT_FALSE(view.captions.join('|').contains("finished"));
    }
    // The next press sends everything whole.
    void expectWholeAgain()
    {
        model.firmware.clear();
        op == firstRead ? machine.bRereadClick() : press();
        settle();
        if (op == writing) {
            EXPECT_EQ(Bytes(model.memory.begin(), model.memory.begin() + 250), Bytes(250, 0x42));
            EXPECT_TRUE(view.captionText.endsWith("->Transfer finished."));
        } else if (op == update) {
            EXPECT_EQ(model.firmware, Bytes(3 * 72, 0x17));
        } else {
            EXPECT_EQ(state.eeBlock, memory());
            EXPECT_FALSE(view.busy);
        }
    }
    Op op;
};

} // namespace

// The stick goes silent after some frames of an operation, or answers one of them out of turn (a 'V' to Write
// Memory 100, a 'W' to Write Memory 0, a 'Z' to part 1, an 'X' to part 3): nothing moves on, the reply shows as
// unexpected, and 3 s after the last frame the operation ends. The progress bar counts the pages whose last part
// went out.
TEST(StickStops, AnOperationWithoutItsAnswerEndsAfterThreeSeconds)
{
    // frames: the operation's frames up to the one that waits in vain.
    const struct { Op op; int frames; std::uint8_t outOfTurn; const char* shown; } rows[] = {
        {firstRead, 3, 0, ""},       {reread, 3, 0, ""},          {writing, 2, 0, ""},
        {update, 4, 0, ""},          {update, 2, 0, ""},           {writing, 5, 'V', "RET: 56"},
        {writing, 1, 'W', "RET: 57"},
        {update, 1, 'Z', "RET: 5A"}, {update, 3, 'X', "RET: 58"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "operation " << r.op << ", frames " << r.frames);
        OpRig rig(r.op);
        const Bytes shown = rig.state.eeBlock;
        const int before = rig.model.frames;
        if (r.outOfTurn)
            rig.model.outOfTurn[before + r.frames] = r.outOfTurn;
        else
            rig.model.silentAfter = before + r.frames - 1;
        rig.press();
        rig.untilFrames(before + r.frames);
        rig.platform.advance(2905);
        EXPECT_TRUE(rig.running()) << "not yet at 2.9 s";
        rig.platform.advance(100);
        EXPECT_EQ(rig.model.frames, before + r.frames) << "nothing more was sent";
        rig.expectEnded(shown);
        EXPECT_TRUE(!r.outOfTurn || rig.view.lines.contains(r.shown));
        EXPECT_TRUE(r.op != update || rig.view.position == r.frames / 3) << rig.view.position;
        rig.model.silentAfter = -1;
        rig.expectWholeAgain();
    }
}

// Pulled out as the answer to a frame is read: the next frame cannot be written and the operation ends at once;
// pulled out while an answer is awaited: it ends after 3 s. Until the stick is plugged back "ReRead" and "Update FW"
// report the device missing and start nothing; then they (and "Transfer", whose store handler looks for the device)
// find it again.
TEST(StickStops, AStickPulledOutEndsTheOperationAndWorksOncePluggedBack)
{
    const struct { Op op; int frames; bool whileAwaited; int endsWithinMs; } rows[] = {
        {writing, 2, false, 200}, {update, 4, false, 200}, {reread, 3, false, 200}, {writing, 2, true, 3100}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "operation " << r.op << ", frames " << r.frames);
        OpRig rig(r.op);
        const Bytes shown = rig.state.eeBlock;
        const int before = rig.model.frames;
        if (!r.whileAwaited)
            rig.model.unplugAfter = before + r.frames;
        rig.press();
        rig.untilFrames(before + r.frames);
        if (r.whileAwaited)
            rig.device.unplug();
        rig.platform.advance(r.endsWithinMs);
        rig.expectEnded(shown);
        rig.platform.advance(1500);
        for (auto button : {&StickMachine::bRereadClick, &StickMachine::bUpdateFwClick})
            (rig.machine.*button)();
        EXPECT_EQ(rig.platform.messages, QStringList(r.op == reread ? 2 : 1, "   USB Error!   "))
            << "\"ReRead\" only where a read stands";
        rig.device.plugIn();
        if (r.op == writing)
            rig.link.checkHID();
        rig.expectWholeAgain();
    }
}

// A stick plugged back in whose reports have other lengths: an output report too short for the longest frame
// refuses "Transfer" and "Update FW" with "Transfer Error!" and sends no frame cut short; longer reports than the
// first stick's carry everything whole.
TEST(StickStops, AStickPluggedBackWithOtherReportLengthsIsSpokenToInThem)
{
    const struct { int input, output; bool refused; } rows[] = {{64, 16, true}, {300, 300, false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "reports " << r.input << "/" << r.output);
        OpRig rig(writing);
        rig.device.unplug();
        rig.device.setReportLengths(r.input, r.output);
        rig.device.plugIn();
        const int before = rig.model.frames;
        rig.link.checkHID(); // the store handler's look for the device
        rig.machine.storeUSBStick();
        rig.settle();
        rig.machine.bUpdateFwClick();
        rig.settle();
        if (r.refused) {
            EXPECT_EQ(rig.model.frames, before);
            EXPECT_EQ(rig.view.captionText, "Transfer Error!");
        } else {
            EXPECT_EQ(Bytes(rig.model.memory.begin(), rig.model.memory.begin() + 250), Bytes(250, 0x42));
            EXPECT_EQ(rig.model.firmware, Bytes(3 * 72, 0x17));
        }
    }
}

// A data reply for an address the read did not ask for is dropped and the read goes on; once the read has ended,
// at its timeout or at the stick's idle report, a late reply moves nothing.
TEST(StickStops, DataForAnotherAddressOrAfterTheReadIsDropped)
{
    StickRig rig;
    rig.identify();
    const Bytes shown = rig.state.eeBlock;
    rig.machine.bRereadClick();
    rig.model.clearOutbox(); // the stick's replies by hand
    rig.model.silentAfter = rig.model.frames;
    const std::size_t sent = rig.device.written.size();
    rig.reply(dataReply(26, 26, 0x99));
    EXPECT_EQ(rig.device.written.size(), sent);
    EXPECT_EQ(rig.view.lines.back(), "RET: 52");
    rig.reply(dataReply(0, 26, 0x44));
    EXPECT_EQ(rig.device.written.back()[3], 26) << "the read goes on";
    rig.platform.advance(3000);
    EXPECT_FALSE(rig.state.stickReading);
    rig.reply(dataReply(26, 26, 0x44));
    EXPECT_EQ(rig.device.written.size(), sent + 1);
    EXPECT_EQ(rig.state.eeBlock, shown);
    rig.machine.bRereadClick();
    rig.reply(dataReply(0, 26, 0x44));
    ASSERT_EQ(rig.device.written.size(), sent + 3);
    rig.reply({0xB2, 'Q'});
    EXPECT_FALSE(rig.state.stickReading) << "the idle report ends the read";
    rig.reply(dataReply(26, 26, 0x44));
    EXPECT_EQ(rig.device.written.size(), sent + 3);
    EXPECT_EQ(rig.state.eeBlock, shown);
}
