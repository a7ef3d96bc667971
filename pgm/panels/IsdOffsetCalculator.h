#pragma once
// The ISD offset calculator: the time difference between the solar time of
// a site and the clock time of its time zone, from the time zone and the
// geographic longitude chosen on two sliders over a world map of the time
// zones. It opens over the ISD panel and hands its result to the panel's
// offset edit; it writes nothing into the image itself.

#include "pgm/panels/EditorPanel.h"

#include <QLineEdit>

namespace nolt {

class IsdTarget;

class IsdOffsetCalculator : public EditorPanel {
    Q_OBJECT
public:
    // Offsets the ISD panel accepts lie strictly between these (minutes).
    static constexpr int lowestRefused = -256, highestRefused = 254;

    IsdOffsetCalculator(PanelHost& form, IsdTarget& target);

    void bAstroCalcClick();
    void calcOffset();
    void bCalcOKClick();
    void bCalcCancelClick();
    void bCalcHelpClick();
    void iCalcHelpClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sbUTCChange(int n);
    void sbLengthChange(int halfDegrees);

    IsdTarget& target_;
    ScrollBar* sbUTC;
    ScrollBar* sbLength;
    QLineEdit* eUTC;
    QLineEdit* eLength;
    QLineEdit* eOffset;
    HelpOverlay* pCalcHelp;
};

} // namespace nolt
