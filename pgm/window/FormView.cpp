#include "pgm/window/FormView.h"

#include "pgm/window/TForm1.h"

namespace nolt {

void FormView::setCaption(const QString& text)
{
    form_.setCaption(text);
}

void FormView::appendCaption(const QString& text)
{
    form_.appendCaption(text);
}

bool FormView::closed() const
{
    return form_.closed();
}

void FormView::enableButtons()
{
    form_.enableButtons();
}

void FormView::disableButtons()
{
    form_.disableButtons();
}

void FormView::offerSlots()
{
    if (form_.hooks().offerSlots)
        form_.hooks().offerSlots();
}

QString FormView::slotName() const
{
    return form_.bar().eInfo->text();
}

} // namespace nolt
