#pragma once
// Remote control on the main screen (the three-position switch, the tile and
// its label) and the panel that chooses the remote function. The switch's
// off position writes remote control off at once; the panel's OK writes the
// function and the input bit. "Remote DIM" switches the LST timer and ISD
// off and keeps them from being switched on.

#include "pgm/panels/EditorPanel.h"

#include <QRadioButton>

namespace nolt {

class LstPanel;
class IsdPanel;

class RemotePanel : public EditorPanel {
    Q_OBJECT
public:
    RemotePanel(PanelHost& form, LstPanel& lst, IsdPanel& isd);

    // The switch cycles off -> 230 V -> LST -> off.
    void rc_offClick();
    void rc_mainClick();
    void rc_lstClick();
    // Fills and opens the panel; the main-screen refresh runs it too.
    void iRemote_enClick();

private:
    void bRC_OKClick();
    void bRemoteCancelClick();
    // After the main screen was redrawn from the image.
    void displayRefreshed();

    // Shows the switch in a position that takes the panel's OK.
    void moveSwitch(const char* position, const QString& caption);
    bool lstInput() const;
    // Ticks the radio buttons for a function and names the second one after
    // the input.
    void fillFunction(std::uint8_t function, bool lst);
    // Remote control off: switch, function and both input bits.
    void switchOff();
    void displayRemote();

    LstPanel& lst_;
    IsdPanel& isd_;
    QGroupBox* gbRemote_;
    QRadioButton* rbMN_;
    QRadioButton* rbRemote_;
};

} // namespace nolt
