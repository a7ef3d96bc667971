#pragma once
// "Transfer": the edited configuration written back to the device. In
// driver mode the levels are mapped through the chosen curve, image bytes
// 0..95 go as eight CRC-protected records into the chosen slot's page, the
// slot's entry is updated, pending firmware is written, the control block is
// written, and the program restarts itself to read the device afresh. Every
// page write is verified; a failed one is reported and leaves the window at
// the slot choice.

#include "link/AppState.h"

#include <QString>

#include <functional>

namespace nolt {

class DriverLink;
class LinkView;
class Platform;

class DriverStore {
public:
    DriverStore(AppState& state, DriverLink& link, Platform& platform, LinkView& view);

    // The click of "Transfer". In stick mode storeUSBStick starts the
    // stick's write (which runs on in the stick timer) and the window stays
    // usable.
    void bMemStoreClick(const std::function<void()>& storeUSBStick);

    // Writes the pending firmware into the firmware area (from 0x0200, one
    // page per 128 bytes, 0xFF after its length) and records it in entry 4.
    // On a failed page: reported ("FW"), later pages and entry 4 untouched,
    // the firmware stays pending. True when written.
    bool storeFW();

    // A failed page write: default cursor, "Firmware Write Error!" + nr,
    // back to the slot choice; the busy flag stays set.
    void transferError(const QString& nr);

    // The restart parameters: the switches, and the chosen curve.
    QString restartParameters() const;

    int eeTotal = 0; // the length recorded in the slot entry

private:
    bool storeSlot();

    AppState& state_;
    DriverLink& link_;
    Platform& platform_;
    LinkView& view_;
};

} // namespace nolt
