#pragma once
// What the device link needs of the main window: the caption as status
// line, the transfer buttons, the slot choice and the slot name. The window
// implements it; unit tests implement it with a recording fake.

#include <QString>

namespace nolt {

class LinkView {
public:
    virtual ~LinkView() = default;

    virtual void setCaption(const QString& text) = 0;
    virtual void appendCaption(const QString& text) = 0;
    // The window was closed: waits give up, nothing further is shown.
    virtual bool closed() const = 0;

    // Shows the transfer buttons of the mode (hides nothing).
    virtual void enableButtons() = 0;
    // Default cursor; hides every transfer button.
    virtual void disableButtons() = 0;
    // The four slot buttons shown and enabled: back to the slot choice.
    virtual void offerSlots() = 0;
    // The slot name as the user typed it (the information edit).
    virtual QString slotName() const = 0;
};

} // namespace nolt
