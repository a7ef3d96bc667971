#pragma once
// What the ISD panel offers the two calculators that open over it: the
// offset calculator hands over an offset, the night-length calculator a
// night length for the start or end of daylight-saving time.

#include <QString>

class QAbstractButton;

namespace nolt {

class IsdTarget {
public:
    virtual ~IsdTarget() = default;
    // The buttons of the ISD panel that open the calculators.
    virtual QAbstractButton* offsetCalculatorButton() const = 0;
    virtual QAbstractButton* nightCalculatorButton() const = 0;
    // Puts an offset in minutes (even, -254..252) into the offset edit
    // through the offset slider; with "DST" ticked the DST shift applies on
    // top. "DST", the slider strip's visibility and the edits' colours are
    // left as they are.
    virtual void takeOffset(int minutes) = 0;
    // Puts a night length text (HH:MM) into the DST start or end edit.
    virtual void takeNightLength(bool dstStart, const QString& text) = 0;
};

} // namespace nolt
