#pragma once
// The memory-slot row of driver mode: the slot buttons M1..M4 coloured by
// the device's slot directory, the firmware icon, choosing a slot (its
// configuration unpacked into the image), "Cancel" back to the choice and
// "Default" (the factory configuration, the chosen slot emptied).

#include "link/MemorySlots.h"

#include <QObject>

namespace nolt {

class TForm1;

class SlotRow : public QObject {
    Q_OBJECT
public:
    explicit SlotRow(TForm1& form);

    const MemorySlots& memory() const { return memory_; }

    // Start-up in driver mode: fills M1..M4 and the firmware entry from the
    // control block, reads the stored pages; false when the window closed
    // meanwhile (no slot is then offered). A slot whose page could not be
    // read is never offered: its button stays disabled.
    bool readSlots();
    // Back to the slot choice: the four buttons shown, those that can be
    // chosen enabled.
    void offerSlots();
    // bM1Click..bM4Click: slot 1..4 chosen.
    void chooseSlot(int slot);
    void bMemCancelClick();
    void bMemClearClick();
    // The factory configuration; in driver mode the chosen slot is emptied
    // in the records and the control block copy (not on the device).
    void clearMemory();

private:
    TForm1& form_;
    MemorySlots memory_;
};

} // namespace nolt
