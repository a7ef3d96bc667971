#pragma once
// What the dimming-curve chooser offers the output panel, whose curve box
// opens it and shows the chosen curve's name.

#include <QString>

namespace nolt {

class CurveChooser {
public:
    virtual ~CurveChooser() = default;
    // Lists the curve files; true when at least one exists. With init False
    // it also selects and loads a curve: with no curve chosen the first one,
    // drawn, with the chooser shown; else the chosen entry, without drawing.
    virtual bool dimmCurve(bool init) = 0;
    // Brings the chooser up over the window.
    virtual void showChooser() = 0;
    // List entry `index` without its extension; empty when there is none.
    virtual QString curveName(int index) const = 0;
};

} // namespace nolt
