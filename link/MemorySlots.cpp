#include "link/MemorySlots.h"

#include "link/ControlBlock.h"
#include "link/DriverLink.h"
#include "link/LinkView.h"
#include "link/ReplyWait.h"
#include "link/SlotPage.h"

#include <QStringList>

#include <algorithm>

namespace nolt {

namespace {

// One read of the page at `address`; true when it came whole.
bool readPage(DriverLink& link, Platform& platform, LinkView& view, int address)
{
    link.readDataBlock(address);
    return waitForReply(platform, view, [&link] { return !link.dataFlag; });
}

} // namespace

bool readSlotPages(DriverLink& link, Platform& platform, LinkView& view, MemorySlots& memory)
{
    for (int k = 0; k < cb::slotCount; ++k) {
        TMemory& m = memory[k];
        const SlotEntry entry = readSlotEntry(link.controlBlock, k);
        if (!entry.valid) {
            m.mEmpty = true;
            continue;
        }
        m.mEmpty = false;
        m.mLength = entry.length;
        m.mAddress = entry.address;
        m.mString = entry.name;
        bool whole = readPage(link, platform, view, m.mAddress);
        if (!whole && !view.closed() && link.checkHID())
            whole = readPage(link, platform, view, m.mAddress);
        if (view.closed())
            return false;
        m.mUnread = !whole;
        m.mData = whole ? link.sendBlock : Bytes();
    }
    return true;
}

QString unreadSlotsMessage(const MemorySlots& memory)
{
    QStringList unread;
    for (int k = 0; k < cb::slotCount; ++k)
        if (memory[k].mUnread)
            unread << QStringLiteral("M%1").arg(k + 1);
    if (unread.isEmpty())
        return {};
    return QStringLiteral("Could not read %1.\nPlug the driver in again.").arg(unread.join(QStringLiteral(", ")));
}

void loadSlotImage(const TMemory& memory, Bytes& image, bool copyAstro)
{
    if (memory.mEmpty) {
        loadDefaultImage(image);
        return;
    }
    unpackSlotPage(memory.mData, memory.mLength, image);
    if (!copyAstro && image.size() >= static_cast<std::size_t>(img::astroData + img::astroDataLength))
        std::fill_n(image.begin() + img::astroData, img::astroDataLength, 0);
}

} // namespace nolt
