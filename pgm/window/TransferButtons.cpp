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
    FormView view(form_);
    DriverStore store(form_.state(), form_.link(), form_.platform(), view);
    store.bMemStoreClick(form_.hooks().storeUSBStick);
}

void TransferButtons::bEraseClick()
{
    nolt::bEraseClick(form_.state(), form_.link(), form_.platform());
}

} // namespace nolt
