#pragma once
// The device link against a simulated driver, on the scripted platform, without a window.

#include "link/AppState.h"
#include "link/LinkView.h"
#include "support/ScriptedPlatform.h"
#include "support/SimDriver.h"

namespace nolt::test {

// Records what the link shows in the window.
struct RecordingLinkView final : LinkView {
    QString caption;
    QString name; // what the slot-name edit holds
    bool isClosed = false;
    bool buttonsShown = false;
    bool slotsOffered = false;

    void setCaption(const QString& text) override { caption = text; }
    void appendCaption(const QString& text) override { caption += text; }
    bool closed() const override { return isClosed; }
    void enableButtons() override { buttonsShown = true; }
    void disableButtons() override { buttonsShown = false; }
    void offerSlots() override { slotsOffered = true; }
    QString slotName() const override { return name; }
};

struct DriverRig : SimDriver {
    ScriptedPlatform platform;
    DriverLink link{platform, &device};
    AppState state;
    RecordingLinkView view;

    DriverRig() { link.readReportLengths(); }
    // The link's copy of the control block, as start-up reads it.
    void readDirectory() { link.controlBlock = at(controlBlockAddress, pageSize); }
};

} // namespace nolt::test
