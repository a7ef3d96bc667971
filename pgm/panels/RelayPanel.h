#pragma once
// The relay panel: zero-cross switching of the relay, opened from the relay
// tile.

#include "pgm/panels/EditorPanel.h"

#include <QCheckBox>

namespace nolt {

class RelayPanel : public EditorPanel {
    Q_OBJECT
public:
    explicit RelayPanel(PanelHost& form);

private:
    void iRelayClick();
    void bRelay_OKClick();
    void bRelay_CancelClick();

    QCheckBox* cbZCSwitch_;
};

} // namespace nolt
