#pragma once
// The dimming-curve chooser: lists the curve files beside the program,
// draws the selected curve on its chart, and on OK makes it the curve that
// the driver-mode store applies to the level bytes. Covers the whole window
// while open.

#include "pgm/panels/CurveChooser.h"
#include "pgm/panels/EditorPanel.h"

#include <QListWidget>
#include <QPixmap>

namespace nolt {

class OutputPanel;

class DimmingCurvePanel : public EditorPanel, public CurveChooser {
    Q_OBJECT
public:
    DimmingCurvePanel(PanelHost& form, OutputPanel& output);

    // Lists the curve files; true when at least one exists. With init False
    // it also selects and loads a curve: with no curve chosen (dcIndex -1)
    // the first one, drawn, with the chooser shown; else entry dcIndex,
    // without drawing.
    bool dimmCurve(bool init) override;
    // Loads the selected file into dimmingCurve and, when draw, plots it.
    void paintDC(bool draw);
    void showChooser() override;
    // List entry `index` without its extension; empty when there is none.
    QString curveName(int index) const override;
    // Start-up with "-dc=index": ticks the curve box for that entry. False
    // when the index names no entry or its file cannot be read as a curve.
    bool preselectCurve(int index);

    // The folder the curves are listed from; beside the program unless set.
    void setCurveFolder(const QString& folder) { folder_ = folder; }

private:
    void bDCClick();
    void bDCOkClick();
    void bDCCancelClick();
    void lbDimmingCurveClick(int row);
    void selectRow(int row);
    void plotText(const QString& text);

    OutputPanel& output_;
    QString folder_;
    QListWidget* lbDimmingCurve_;
    ClickLabel* iDimmingCurve_;
    QPixmap emptyChart_;
    ClickLabel* pDcHelp_;
    int lbOldItemIdx_ = -1;
    // The selected entry was read as a valid curve.
    bool curveRead_ = false;
};

} // namespace nolt
