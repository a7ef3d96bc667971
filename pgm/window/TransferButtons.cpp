#include "pgm/window/TransferButtons.h"

#include "link/DriverStore.h"
#include "link/EraseAll.h"
#include "pgm/window/FormView.h"
#include "pgm/window/TForm1.h"

namespace nolt {

TransferButtons::TransferButtons(TForm1& form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("transferButtons"));
    connect(form.bar().bMemStore, &QPushButton::clicked, this, &TransferButtons::bMemStoreClick);
    connect(form.bar().bErase, &QPushButton::clicked, this, &TransferButtons::bEraseClick);
}

void TransferButtons::bMemStoreClick()
{
    // While a stick operation runs "Transfer" only beeps: looking for the
    // device opens it anew, which loses the answer on its way, and the
    // store hides the buttons and the progress bar.
    if (form_.hooks().stickBusy && form_.hooks().stickBusy())
        return form_.platform().beep();
    FormView view(form_);
    DriverStore store(form_.state(), form_.link(), form_.platform(), view);
    store.bMemStoreClick(form_.hooks().storeUSBStick);
}

void TransferButtons::bEraseClick()
{
    nolt::bEraseClick(form_.state(), form_.link(), form_.platform());
}

} // namespace nolt
