#include "link/DriverStore.h"

#include "image/DimmingCurve.h"
#include "link/ControlBlock.h"
#include "link/DriverLink.h"
#include "link/ImageGuard.h"
#include "link/LinkView.h"
#include "link/SlotPage.h"

#include <algorithm>

namespace nolt {

DriverStore::DriverStore(AppState& state, DriverLink& link, Platform& platform, LinkView& view)
    : state_(state), link_(link), platform_(platform), view_(view)
{
}

void DriverStore::bMemStoreClick(const std::function<void()>& storeUSBStick)
{
    if (imageChangeRefused(state_, platform_))
        return;
    if (!link_.checkHID()) {
        platform_.showMessage(usbErrorMessage());
        return;
    }
    // Only a chosen slot can be written; the button is offered only then.
    if (!link_.usbStick && (state_.memSlot < 1 || state_.memSlot > cb::slotCount))
        return;
    view_.disableButtons();
    state_.formDisabled = true;
    platform_.setBusyCursor(true);

    if (link_.usbStick) {
        if (storeUSBStick)
            storeUSBStick();
        view_.enableButtons();
        state_.formDisabled = false;
        platform_.setBusyCursor(false);
        return;
    }
    if (!storeSlot())
        return;
    view_.enableButtons();
    state_.formDisabled = false;
    platform_.setBusyCursor(false);
    platform_.restartProgram(restartParameters());
}

bool DriverStore::storeSlot()
{
    const int slot = state_.memSlot;
    eeTotal = slot::storedLength;
    correctDC(state_.eeBlock, state_.dimmingCurve);

    link_.sendBlock = buildSlotPage(state_.eeBlock);
    if (link_.writePage(slotPageAddress(slot), link_.sendBlock.data())) {
        transferError(QStringLiteral("CF"));
        return false;
    }
    writeSlotEntry(link_.controlBlock, slot, eeTotal, view_.slotName());
    if (state_.firmware.fwUpdatePending)
        storeFW(); // a failed firmware page is reported; the directory is written all the same
    if (link_.writePage(controlBlockAddress, link_.controlBlock.data())) {
        transferError(QStringLiteral("CB"));
        return false;
    }
    return true;
}

bool DriverStore::storeFW()
{
    FirmwareState& fw = state_.firmware;
    const int length = std::clamp<int>(fw.fwLength, 0, static_cast<int>(fw.fwImage.size()));
    const int pages = (length + pageSize - 1) / pageSize;
    Bytes page(pageSize);
    for (int i = 0; i < pages; ++i) {
        for (int b = 0; b < pageSize; ++b) {
            const int at = i * pageSize + b;
            page[b] = at < length ? fw.fwImage[at] : 0xFF;
        }
        if (link_.writePage((cb::firmwarePage + i) * pageSize, page.data())) {
            transferError(QStringLiteral("FW"));
            return false;
        }
    }
    writeFirmwareEntry(link_.controlBlock, fw.fwImageVersion, fw.fwLength);
    fw.fwImage.clear();
    fw.fwUpdatePending = false;
    return true;
}

void DriverStore::transferError(const QString& nr)
{
    platform_.setBusyCursor(false);
    platform_.showMessage(QStringLiteral("Firmware Write Error!") + nr);
    view_.offerSlots();
    view_.disableButtons();
}

QString DriverStore::restartParameters() const
{
    QString parameters = state_.sw.cmdLineArgs;
    if (state_.sw.dcIndex != -1)
        parameters += QStringLiteral(" -dc=") + QString::number(state_.sw.dcIndex);
    return parameters;
}

} // namespace nolt
