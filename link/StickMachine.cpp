#include "link/StickMachine.h"

#include "image/NumberText.h"

#include <algorithm>

namespace nolt {

using namespace stick;

namespace {
constexpr int dataOffset = 6; // data bytes of a data reply start here
} // namespace

StickMachine::StickMachine(Platform& platform, DriverLink& link, AppState& state, StickView& view,
                           Timer& timer3)
    : platform_(platform), link_(link), state_(state), view_(view), timer3_(timer3),
      frames_(platform, link, view)
{
}

void StickMachine::start()
{
    frames_.stickState = 0;
    timer3_.start();
}

void StickMachine::Timer3Timer()
{
    platform_.processMessages();
    turn_.tick();
    if (link_.receiveReport()) {
        timer3_.stop();
        handleReply();
        timer3_.start();
    }
    if (turn_.timedOut())
        operationStopped();
}

void StickMachine::debug(const QString& line)
{
    if (view_.debugOn())
        view_.debugLine(line);
}

void StickMachine::handleReply()
{
    const auto& r = link_.dataBuffer;
    if (r[0] != replyTag) {
        debug(QStringLiteral("?: ") + hexDigits(r[0], 2));
        return;
    }
    switch (r[1]) {
    case replyIdle:
        return onIdle();
    case replyId:
        return onIdentity();
    case replyBeep:
    case replyBeep2:
        return platform_.beep();
    default:
        break;
    }
    // Data, write and firmware replies move an operation only when they
    // answer the frame it sent last: a stray, late or out-of-turn one never
    // moves a write or an update on, nor changes the image.
    if (!turn_.answers(r[1], r[4])) {
        debug(QStringLiteral("RET: ") + hexDigits(r[1], 2));
        return;
    }
    switch (r[1]) {
    case replyData:
        return onData();
    case replyWriteOk:
        return onWriteOk();
    case replyWriteBad:
        return onWriteRefused(stickWriteMem);
    case replyEeOk:
        return onEeOk();
    case replyEeBad:
        return onWriteRefused(stickWriteEE);
    case replyFwPartOk:
        return onFwPart();
    default: // replyFwPageOk, the last code that answers a frame
        return onFwPage();
    }
}

void StickMachine::onIdle()
{
    view_.setCaption(QStringLiteral("USB Stick"));
    frames_.stickState = 0;
    // Whatever ran has ended; the identity that follows starts a fresh read.
    state_.stickReading = false;
    turn_.clear();
    haveImage_ = false;
    view_.setBusy(true);
    view_.disableButtons();
}

void StickMachine::onIdentity()
{
    platform_.setBusyCursor(false);
    std::copy_n(link_.dataBuffer.begin() + 2, stickId_.size(), stickId_.begin());
    if (frames_.stickState != 0)
        return;
    frames_.stickState = 1;
    platform_.sleepMs(identityWaitMs);
    startRead();
}

void StickMachine::startRead()
{
    state_.eeBlock.resize(memorySize, 0);
    // Bytes that the replies skip keep what the image holds.
    readImage_ = state_.eeBlock;
    frames_.stickAddr = 0;
    // The read runs from before its first frame: sending a frame processes
    // pending messages, and a button pressed then must find it running.
    // Nothing may change the image that the read will replace.
    state_.stickReading = true;
    view_.setBusy(true);
    send(stickReadMem);
}

void StickMachine::readStands()
{
    // The image and the screen keep what they held; "ReRead" starts the read
    // again, also when no read has completed yet.
    state_.stickReading = false;
    turn_.clear();
    view_.setBusy(!haveImage_);
    if (!haveImage_)
        view_.offerReread();
}

bool StickMachine::dataReplyFits(int address, int length) const
{
    // The data must lie within the input report and within the memory.
    const int report = link_.inputReportLength() > 0 ? link_.inputReportLength() : maxReportLength;
    return dataOffset + length <= report && address + length <= memorySize;
}

void StickMachine::onData()
{
    const auto& r = link_.dataBuffer;
    const int address = r[4];
    const int length = r[5];
    // A reply that does not fit or whose CRC is wrong is dropped: the read
    // stands until the stick announces itself again or "ReRead" starts it
    // anew, and the image keeps what it held.
    if (!dataReplyFits(address, length))
        return readStands();
    stickCrcRx_ = r[2] + 256u * r[3];
    frames_.stickCrc = frameCrc(r[4], r[5], r.data() + dataOffset);
    if (frames_.stickCrc != stickCrcRx_)
        return readStands();
    std::copy_n(r.begin() + dataOffset, length, readImage_.begin() + address);
    if (address + length < memorySize - 1) {
        frames_.stickAddr = address + length;
        send(stickReadMem);
        return;
    }
    state_.stickReading = false;
    turn_.clear();
    haveImage_ = true;
    state_.eeBlock = std::move(readImage_);
    readComplete();
}

void StickMachine::readComplete()
{
    view_.setCaption(stickReadyCaption(stickId_));
    stickFwVersion_ = nolt::stickFwVersion(stickId_);
    if (state_.sw.showLog && stickFwVersion_ >= stickLogFirstFw)
        view_.showLog(stickLogTexts(state_.eeBlock));
    else
        view_.hideLog();
    if (view_.debugOn())
        for (const QString& line : stickMemoryDump(state_.eeBlock))
            view_.debugLine(line);
    view_.setDisplay();
    view_.setBusy(false);
    view_.enableButtons();
}

void StickMachine::send(int cmd)
{
    // The answer is awaited from before the frame goes out: sending
    // processes pending messages, and Timer3 may take the answer then.
    turn_.sent(cmd, cmd == stickFwBlock ? frames_.stickState - 2 : frames_.stickAddr);
    // A frame that cannot be built within the image, the stick's memory or
    // its report (nothing is cut), or that cannot be written because the
    // device is gone, ends the operation.
    if (!frames_.stickCmd(cmd))
        operationStopped();
}

void StickMachine::operationStopped()
{
    if (state_.stickReading)
        readStands();
    else if (writing())
        writeFailed();
    else if (updating())
        updateFailed();
}

bool StickMachine::operationRuns() const
{
    return state_.stickReading || writing() || updating();
}

bool StickMachine::deviceFound()
{
    if (!link_.checkHID()) {
        platform_.showMessage(usbErrorMessage());
        return false;
    }
    reportLengthsAnew();
    return true;
}

void StickMachine::reportLengthsAnew()
{
    // The stick found again may be another one, with other report lengths:
    // a frame is never cut to, nor a reply read beyond, the first one's.
    link_.readReportLengths();
}

void StickMachine::storeUSBStick()
{
    if (operationRuns())
        return platform_.beep();
    reportLengthsAnew(); // the store handler has just looked for the device
    frames_.stickState = 2;
    frames_.stickAddr = 0;
    stickRetries_ = 0;
    frames_.writeImage = state_.eeBlock;
    // A write that could not send every frame would leave the driver with
    // half a configuration: it is refused before the first frame.
    const bool wholeImage = frames_.writeImage.size() >= static_cast<std::size_t>(lastWriteAddr + writeChunk);
    if (!frames_.reportHoldsFrames() || !wholeImage)
        return writeFailed();
    send(stickWriteMem);
}

void StickMachine::onWriteOk()
{
    stickRetries_ = 0;
    frames_.stickState = 2;
    if (frames_.stickAddr >= lastWriteAddr) {
        frames_.stickAddr = 0;
        send(stickWriteEE);
    } else {
        frames_.stickAddr += writeChunk;
        send(stickWriteMem);
    }
}

void StickMachine::onWriteRefused(int cmd)
{
    ++stickRetries_;
    if (stickRetries_ >= maxSends)
        return writeFailed();
    if (cmd == stickWriteEE)
        debug(QStringLiteral("EE Write Repeat"));
    send(cmd);
}

void StickMachine::onEeOk()
{
    if (frames_.stickAddr + eeChunk <= lastEeAddr) {
        stickRetries_ = 0;
        frames_.stickAddr += eeChunk;
        send(stickWriteEE);
        return;
    }
    debug(QStringLiteral("EE Write OK"));
    writeEnded();
    view_.setCaption(view_.caption() + QStringLiteral("->Transfer finished."));
}

void StickMachine::writeEnded()
{
    turn_.clear();
    frames_.stickState = 0;
    view_.enableButtons();
    view_.setBusy(false);
    platform_.setBusyCursor(false);
}

void StickMachine::writeFailed()
{
    writeEnded();
    view_.setCaption(QStringLiteral("Transfer Error!"));
}

void StickMachine::updateFailed()
{
    writeFailed();
    view_.showProgress(false);
}

void StickMachine::bUpdateFwClick()
{
    // Without a firmware image there is nothing to send: the driver's
    // firmware is never overwritten with filler.
    if (state_.firmware.fwImage.empty() || operationRuns())
        return platform_.beep();
    if (!deviceFound())
        return;
    if (!frames_.reportHoldsFrames()) {
        view_.setCaption(QStringLiteral("Transfer Error!"));
        return;
    }
    frames_.stickState = 3;
    frames_.stickAddr = 0;
    frames_.fwImage = state_.firmware.fwImage;
    frames_.startProgress(fwPageCount(state_.firmware.fwLength));
    send(stickFwBlock);
}

void StickMachine::onFwPart()
{
    ++frames_.stickState;
    send(stickFwBlock);
}

void StickMachine::onFwPage()
{
    frames_.stickState = 3;
    if (frames_.fwPosition < frames_.fwPages) {
        send(stickFwBlock);
        return;
    }
    turn_.clear();
    frames_.stickState = 1;
    debug(QStringLiteral("FW Update done."));
    view_.setCaption(view_.caption() + QStringLiteral("->FW Update finished."));
    view_.showProgress(false);
    const std::uint8_t reset[] = {0, stickReset};
    frames_.send2Stick(QStringLiteral("Reset!"), reset);
}

void StickMachine::bRereadClick()
{
    if (operationRuns())
        return platform_.beep();
    if (frames_.stickState == 1 && deviceFound())
        startRead();
}

} // namespace nolt
