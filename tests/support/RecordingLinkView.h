#pragma once
// A window for the device link's unit tests: records what the link shows.

#include "link/LinkView.h"

namespace nolt::test {

struct RecordingLinkView final : LinkView {
    QString caption;
    QString name;          // what the slot-name edit holds
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

} // namespace nolt::test
