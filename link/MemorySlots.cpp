#include "link/MemorySlots.h"

#include "link/ControlBlock.h"
#include "link/DriverLink.h"
#include "link/LinkView.h"
#include "link/ReplyWait.h"
#include "link/SlotPage.h"

#include <algorithm>

namespace nolt {

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
        // The page lands over the erase state, so a read that stops short
        // cannot hand this slot the bytes of the page read before it.
        std::fill(link.sendBlock.begin(), link.sendBlock.end(), 0xFF);
        link.readDataBlock(m.mAddress);
        const bool waited = waitForReply(platform, view, [&link] { return !link.dataFlag; });
        if (!waited && view.closed())
            return false;
        m.mData = link.sendBlock;
    }
    return true;
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
