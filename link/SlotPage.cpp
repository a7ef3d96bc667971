#include "link/SlotPage.h"

#include "image/Crc16.h"
#include "link/DriverLink.h"

#include <algorithm>

namespace nolt {

Bytes buildSlotPage(const Bytes& image)
{
    Bytes page(pageSize, 0xFF);
    int o = 0;
    for (int k = 0; k < slot::recordCount; ++k) {
        const int count = std::min(slot::recordData, img::storedBytes - o);
        const int length = count + 3;
        std::uint8_t* r = page.data() + k * slot::recordSize;
        r[0] = static_cast<std::uint8_t>(length);
        r[1] = static_cast<std::uint8_t>(o);
        std::uint16_t crc = static_cast<std::uint16_t>(o); // equals feeding the offset byte first
        for (int j = 2; j <= length - 2; ++j, ++o) {
            r[j] = static_cast<std::size_t>(o) < image.size() ? image[o] : 0xFF;
            crc = crc16Step(r[j], crc);
        }
        crc = crc16Finish(crc);
        r[length - 1] = static_cast<std::uint8_t>(crc);
        r[length] = static_cast<std::uint8_t>(crc >> 8);
    }
    return page;
}

int unpackSlotPage(std::span<const std::uint8_t> page, int length, Bytes& image)
{
    const int pageEnd = static_cast<int>(page.size());
    const int imageEnd = static_cast<int>(image.size());
    int copied = 0;
    int p = 0;
    int r = 0;
    do {
        if (p + 1 >= pageEnd)
            break;
        const int recordLength = page[p];
        const int offset = page[p + 1];
        if (recordLength >= 4) {
            const int count = recordLength - 3;
            const int from = slot::recordSize * r + 2;
            if (from + count > pageEnd || offset + count > imageEnd)
                break;
            std::copy_n(page.begin() + from, count, image.begin() + offset);
            ++copied;
        }
        p += recordLength + 1;
        ++r;
    } while (p < length);
    return copied;
}

} // namespace nolt
