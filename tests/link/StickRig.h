#pragma once
// The stick's reply machine on virtual time against the simulated stick, for the tests and the stick benchmark.

#include "link/StickMachine.h"
#include "sim/SimCrc.h"
#include "sim/StickModel.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPlatform.h"

#include <algorithm>
#include <optional>

namespace nolt::test {

struct RecordingView final : StickView {
    QString captionText;
    QStringList captions, lines; // every caption set and every debug line, in order
    std::optional<StickLogTexts> log; // shown log box, none when hidden
    int enables = 0, disables = 0, rereadOffers = 0, position = -1, displays = 0;
    bool busy = false, debugTicked = true, progressShown = false;

    QString caption() const override { return captionText; }
    void setCaption(const QString& t) override { captions << (captionText = t); }
    void enableButtons() override { ++enables; }
    void disableButtons() override { ++disables; }
    void offerReread() override { ++rereadOffers; }
    void setBusy(bool b) override { busy = b; }
    void showLog(const StickLogTexts& l) override { log = l; }
    void hideLog() override { log.reset(); }
    bool debugOn() const override { return debugTicked; }
    void debugLine(const QString& line) override { lines << line; }
    void setProgress(int p, int) override { position = p; }
    void showProgress(bool shown) override { progressShown = shown; }
    void setDisplay() override { ++displays; }
};

// A data reply with a right CRC over `length` bytes of `value`.
inline sim::Report dataReply(int address, int length, std::uint8_t value)
{
    sim::Report r = {0xB2, 'R', 0, 0, std::uint8_t(address), std::uint8_t(length)};
    r.resize(6 + static_cast<std::size_t>(length), value);
    const std::uint16_t crc = sim::stickFrameCrc(r[4], r[5], r.data() + 6);
    r[2] = crc & 0xFF, r[3] = crc >> 8;
    return r;
}

struct StickRig {
    explicit StickRig(int inputLength = 64, int outputLength = 64)
        : device(std::make_unique<sim::StickModel>(), inputLength, outputLength),
          model(*static_cast<sim::StickModel*>(device.model()))
    {
        device.findHidDevice(hidVendorId, hidProductId);
        link.readReportLengths();
        for (int i = 0; i < 256; ++i)
            model.memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 + 3);
    }

    // The stick reports idle and its identity, and is read.
    void identify()
    {
        model.announce();
        machine.start();
        settle();
    }
    // Lets Timer3 run until the stick has nothing more to say.
    void settle()
    {
        for (int t = 0; t < 60000 && (model.pending() > 0 || device.pendingReplies() > 0); t += 100)
            platform.advance(100);
        platform.advance(300);
    }
    // One reply, as if the stick had sent it.
    void reply(sim::Report r)
    {
        device.queueReply(std::move(r));
        platform.advance(100);
    }
    Bytes memory() const { return Bytes(model.memory.begin(), model.memory.end()); }

    ScriptedPlatform platform;
    sim::SimDevice device;
    sim::StickModel& model;
    DriverLink link{platform, &device};
    AppState state;
    RecordingView view;
    std::unique_ptr<Timer> timer3 = platform.createTimer(100, [this] { machine.Timer3Timer(); });
    StickMachine machine{platform, link, state, view, *timer3};
};

} // namespace nolt::test
