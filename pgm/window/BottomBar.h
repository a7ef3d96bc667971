#pragma once
// The strip below the schematic: memory-slot buttons, transfer and file
// buttons, the slot name, the firmware icon, the stick's progress bar, the
// hint switch and the version label.

#include "pgm/kit/PictureSet.h"
#include "pgm/kit/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <array>

namespace nolt {

class Platform;

// A memory-slot button: a small panel that looks pressed while held.
class SlotButton : public ClickLabel {
    Q_OBJECT
public:
    SlotButton(const QString& caption, QWidget* parent);
    void setColour(unsigned bgrColour);
};

struct BottomBar {
    explicit BottomBar(QWidget* form);

    PictureSet pictures; // the firmware icon
    std::array<SlotButton*, 4> bM{}; // bM1..bM4
    ClickLabel* iFW;
    QLabel* l60Hz;
    QLabel* lInfo;
    QLineEdit* eInfo;
    QPushButton* bMemCancel;
    QPushButton* bMemStore;
    QPushButton* bErase;
    QPushButton* bMemClear;
    QPushButton* bLoad;
    QPushButton* bSave;
    QPushButton* bUpdateFw;
    QProgressBar* pbFWUpdate;
    QPushButton* bReread;
    QCheckBox* cbShowHints;
    QCheckBox* cbStickDebug;
    QLabel* pVersion;

    // Shows the transfer buttons of the mode; hides nothing.
    void enableButtons(bool usbStick, bool set60Hz, bool enableErase);
    // Hides every transfer button whatever the mode; l60Hz stays as it is.
    void disableButtons();
};

} // namespace nolt
