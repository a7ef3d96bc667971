// An untrusted stick: data replies that do not fit the image or the report,
// replies before the identity, a short output report, replies that belong
// to no operation under way, and an update without firmware (a beep).

#include "StickFixture.h"

#include "image/Crc16.h"

using namespace nolt;
using namespace nolt::test;

namespace {

// A data reply with a right CRC over `length` bytes of `value`.
sim::Report dataReply(int address, int length, std::uint8_t value)
{
    sim::Report r = {0xB2, 'R', 0, 0, std::uint8_t(address), std::uint8_t(length)};
    r.resize(6 + static_cast<std::size_t>(length), value);
    const std::uint16_t crc = frameCrc(r[4], r[5], r.data() + 6);
    r[2] = crc & 0xFF, r[3] = crc >> 8;
    return r;
}

class StickFaults : public StickTest {
protected:
    // Identified and read; the stick then waits for the tool.
    void readAndHush()
    {
        identify();
        ASSERT_EQ(machine.stickState(), 1);
        model.clearOutbox();
    }
};

class SmallReportStick : public StickTest {
protected:
    SmallReportStick() : StickTest(32, 64) {}
};

class ShortOutputStick : public StickTest {
protected:
    ShortOutputStick() : StickTest(64, 32) {}
};

class TinyOutputStick : public StickTest {
protected:
    TinyOutputStick() : StickTest(64, 4) {}
};

} // namespace

TEST_F(StickFaults, DataReplyPastByte255IsDropped)
{
    readAndHush();
    const Bytes before = state.eeBlock;
    const std::size_t sent = device.written.size();
    reply(dataReply(240, 26, 0x99)); // the report holds it, the image does not
    EXPECT_EQ(state.eeBlock, before);
    EXPECT_EQ(device.written.size(), sent);
    reply(dataReply(230, 26, 0x99)); // exactly up to byte 255: taken, and the read is complete
    EXPECT_EQ(state.eeBlock[255], 0x99);
    EXPECT_EQ(view.displays, 2);
}

TEST_F(SmallReportStick, DataLongerThanTheReportIsDropped)
{
    identify();
    EXPECT_EQ(machine.stickState(), 1);
    model.clearOutbox();
    const std::size_t sent = device.written.size();
    sim::Report r = dataReply(0, 27, 0x44); // 33 bytes: one more than the report
    device.queueReply(r);                    // the report keeps its first 32 bytes
    platform.advance(100);
    EXPECT_NE(state.eeBlock[0], 0x44);
    EXPECT_EQ(device.written.size(), sent);
    reply(dataReply(0, 26, 0x44));
    EXPECT_EQ(state.eeBlock[25], 0x44);
    EXPECT_EQ(device.written.size(), sent + 1) << "26 bytes fit: the read goes on";
}

TEST_F(SmallReportStick, DataPastTheReportIsDroppedEvenWithARightCrc)
{
    identify();
    ASSERT_EQ(machine.stickState(), 1);
    model.clearOutbox();
    const Bytes before = state.eeBlock;
    const std::size_t sent = device.written.size();
    // 27 zero bytes claim report byte 32, which a 32-byte report leaves at
    // zero: the CRC over the claimed bytes is right, the length is not.
    reply(dataReply(0, 27, 0x00));
    EXPECT_EQ(state.eeBlock, before);
    EXPECT_EQ(device.written.size(), sent);
}

TEST_F(StickFaults, DataBeforeTheIdentityStaysWithinThe128ByteImage)
{
    state.eeBlock.assign(128, 0);
    machine.start();
    reply(dataReply(120, 26, 0x31));
    EXPECT_EQ(state.eeBlock, Bytes(128, 0));
    reply(dataReply(100, 28, 0x31));
    ASSERT_EQ(state.eeBlock.size(), 128u);
    EXPECT_EQ(state.eeBlock[127], 0x31);
    EXPECT_EQ(state.eeBlock[99], 0);
    EXPECT_EQ(view.displays, 0);
}

TEST_F(ShortOutputStick, ReadsButRefusesToWriteOrUpdate)
{
    identify();
    EXPECT_EQ(state.eeBlock, memory()) << "Read Memory fits in 32 bytes";
    const std::size_t sent = device.written.size();
    machine.storeUSBStick();
    EXPECT_EQ(view.captionText, "Transfer Error!");
    EXPECT_EQ(machine.stickState(), 0);
    EXPECT_FALSE(view.busy);

    view.captionText.clear();
    state.firmware.fwImage.assign(12288, 1);
    machine.bUpdateFwClick();
    EXPECT_EQ(view.captionText, "Transfer Error!");
    EXPECT_FALSE(view.progressShown);
    EXPECT_EQ(device.written.size(), sent) << "no frame is cut";
}

TEST_F(TinyOutputStick, FramesLongerThanTheReportAreNotSentCut)
{
    identify();
    EXPECT_EQ(machine.stickState(), 1);
    EXPECT_TRUE(device.written.empty()) << "Read Memory needs 5 report bytes";
    machine.storeUSBStick();
    EXPECT_EQ(view.captionText, "Transfer Error!");
    EXPECT_TRUE(device.written.empty());
}

TEST_F(StickFaults, RepliesOutsideTheirOperationChangeNothing)
{
    readAndHush();
    const std::size_t sent = device.written.size();
    const QString caption = view.captionText;
    for (std::uint8_t code : {'T', 'U', 'V', 'W', 'X', 'Z'})
        reply({0xB2, code});
    EXPECT_EQ(device.written.size(), sent);
    EXPECT_EQ(view.captionText, caption);
    EXPECT_EQ(machine.stickState(), 1);
    EXPECT_EQ(model.resets, 0);

    // A data reply during a write leaves the image being written alone.
    machine.storeUSBStick();
    model.clearOutbox();
    const Bytes image = state.eeBlock;
    reply(dataReply(0, 26, 0x99));
    EXPECT_EQ(state.eeBlock, image);
    EXPECT_EQ(device.written.size(), sent + 1) << "only the first Write Memory";
}

TEST_F(StickFaults, UpdateWithoutFirmwareSendsNothing)
{
    readAndHush();
    const std::size_t sent = device.written.size();
    state.firmware.fwLength = 144;
    machine.bUpdateFwClick();
    EXPECT_EQ(device.written.size(), sent);
    EXPECT_EQ(machine.stickState(), 1);
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(StickFaults, ImageTooShortForAWriteEndsIt)
{
    readAndHush();
    state.eeBlock.resize(128);
    machine.storeUSBStick();
    settle();
    EXPECT_EQ(view.captionText, "Transfer Error!");
    EXPECT_EQ(model.writeFrames, 5) << "Write Memory 0..100 fit, 125 would not";
    EXPECT_EQ(model.eeFrames, 0);
}
