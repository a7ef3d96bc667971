#pragma once
// The night-length calculator: the length of the night at a chosen
// latitude, date and twilight elevation, from a low-precision model of the
// sun's position. It opens over the ISD panel and copies its result, in
// 5-minute steps, into the panel's DST start or DST end edit; it writes
// nothing into the image itself.

#include "pgm/panels/EditorPanel.h"

#include <QDateEdit>
#include <QLineEdit>

namespace nolt {

class IsdTarget;

class NightLengthCalculator : public EditorPanel {
    Q_OBJECT
public:
    NightLengthCalculator(PanelHost& form, IsdTarget& target);

    // The help text panel; it belongs to the window and lies below its
    // visible area until Help brings it up over the calculator.
    ClickLabel* helpPanel() const { return pHelpAstroCalc; }

    void bADSTCalcClick();
    void CalcLoN();
    void bDSTOnClick();
    void bDSTOffClick();
    void bAstroCalcCancelClick();
    void bACHelpClick();
    void pHelpAstroCalcClick();

private:
    void sbLatitudeChange(int halfDegrees);
    void sbHorizonChange(int halfDegrees);
    void copyResult(bool dstStart);
    void buildHelp();

    IsdTarget& target_;
    ScrollBar* sbLatitude;
    ScrollBar* sbHorizon;
    QLabel* lLatitude;
    QLabel* lHorizon;
    QDateEdit* DateTimePicker1;
    QLineEdit* eLoN;
    ClickLabel* pHelpAstroCalc;
};

} // namespace nolt
