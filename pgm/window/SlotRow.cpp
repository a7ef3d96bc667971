#include "pgm/window/SlotRow.h"

#include "link/Confirm.h"
#include "link/ControlBlock.h"
#include "link/ImageGuard.h"
#include "pgm/panels/CurveMapping.h"
#include "pgm/screen/Hints.h"
#include "pgm/window/Firmware.h"
#include "pgm/window/FormView.h"
#include "pgm/window/TForm1.h"

#include <algorithm>

namespace nolt {

SlotRow::SlotRow(TForm1& form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("slotRow"));
    BottomBar& bar = form.bar();
    for (int k = 0; k < cb::slotCount; ++k)
        connect(bar.bM[k], &ClickLabel::clicked, this, [this, k] { chooseSlot(k + 1); });
    connect(bar.bMemCancel, &QPushButton::clicked, this, &SlotRow::bMemCancelClick);
    connect(bar.bMemClear, &QPushButton::clicked, this, &SlotRow::bMemClearClick);
    form.hooks().readSlots = [this] { return readSlots(); };
    form.hooks().unreadSlotsMessage = [this] { return unreadSlotsMessage(memory_); };
    form.hooks().offerSlots = [this] { offerSlots(); };
}

bool SlotRow::readSlots()
{
    FormView view(form_);
    if (!readSlotPages(form_.link(), form_.platform(), view, memory_))
        return false;
    BottomBar& bar = form_.bar();
    for (int k = 0; k < cb::slotCount; ++k) {
        const TMemory& m = memory_[k];
        bar.bM[k]->setColour(m.mEmpty ? clLime : clSkyBlue);
        bar.bM[k]->setEnabled(!m.mUnread);
        if (m.mUnread)
            setHint(bar.bM[k], QStringLiteral("Could not be read"));
        else if (!m.mEmpty && !m.mString.isEmpty())
            setHint(bar.bM[k], QStringLiteral("Info: ") + m.mString);
    }
    AppState& st = form_.state();
    const FirmwareEntry fw = readFirmwareEntry(form_.link().controlBlock);
    if (fw.valid) {
        st.firmware.fwUpdatePending = false;
        st.driverFwVersion = fw.version;
        showFirmwareIcon(bar, firmwareHint(fw.version, false));
    } else {
        hideFirmwareIcon(bar);
    }
    form_.setCaption(QStringLiteral("Nolt"));
    return true;
}

void SlotRow::offerSlots()
{
    for (int k = 0; k < cb::slotCount; ++k) {
        SlotButton* b = form_.bar().bM[k];
        b->show();
        b->setEnabled(!memory_[k].mUnread);
    }
}

void SlotRow::chooseSlot(int slot)
{
    AppState& st = form_.state();
    BottomBar& bar = form_.bar();
    for (int k = 0; k < cb::slotCount; ++k) {
        if (k + 1 == slot)
            bar.bM[k]->setEnabled(false);
        else
            bar.bM[k]->hide();
    }
    st.memSlot = slot;
    form_.enableButtons();
    if (st.sw.set60Hz && !st.sw.skipFW)
        bar.l60Hz->show();

    const TMemory& m = memory_[slot - 1];
    loadSlotImage(m, st.eeBlock, st.sw.copyAstro);
    if (!m.mEmpty)
        invCorrectDCIfChosen(form_);
    if (!m.mString.isEmpty())
        bar.eInfo->setText(m.mString);
    form_.setDisplay();
    st.formDisabled = false;
}

void SlotRow::bMemCancelClick()
{
    AppState& st = form_.state();
    if (st.formDisabled)
        return;
    offerSlots();
    BottomBar& bar = form_.bar();
    bar.eInfo->clear();
    form_.disableButtons();
    bar.l60Hz->hide();
    st.formDisabled = true;
    dropCurveChoice(form_);
}

void SlotRow::bMemClearClick()
{
    if (imageChangeRefused(form_.state(), form_.platform()))
        return;
    if (confirmAction(form_.platform()))
        clearMemory();
}

void SlotRow::clearMemory()
{
    AppState& st = form_.state();
    if (form_.link().usbStick) {
        std::fill(st.eeBlock.begin(), st.eeBlock.end(), 0xFF);
    } else if (st.memSlot >= 1 && st.memSlot <= cb::slotCount) {
        TMemory& m = memory_[st.memSlot - 1];
        m.mEmpty = true;
        m.mString.clear();
        SlotButton* b = form_.bar().bM[st.memSlot - 1];
        b->setColour(clLime);
        setHint(b, QString());
        clearSlotName(form_.link().controlBlock, st.memSlot);
    }
    loadDefaultImage(st.eeBlock);
    form_.bar().eInfo->setText(QStringLiteral("Default"));
    form_.setDisplay();
}

} // namespace nolt
