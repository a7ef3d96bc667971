#include "link/StickLink.h"

#include "image/Crc16.h"
#include "image/NumberText.h"

#include <algorithm>
#include <array>

namespace nolt {

using namespace stick;

namespace {
constexpr std::uint8_t letterRead = 'R';
constexpr std::uint8_t letterWrite = 'T';
constexpr std::uint8_t letterEE = 'V';
constexpr std::array<int, 3> fwPartBytes = {26, 26, 20};
constexpr int fwFrameElements = 31;
constexpr int fwDataElement = 5;
} // namespace

std::uint16_t frameCrc(std::uint8_t address, std::uint8_t length, const std::uint8_t* data)
{
    const std::uint16_t crc = crc16Step(length, address);
    return crc16(std::span<const std::uint8_t>(data, length), crc);
}

int readCount(int address)
{
    return address + readChunk < memorySize ? readChunk : memorySize - address;
}

int fwPageCount(int fwLength)
{
    return fwLength <= 0 ? 0 : (fwLength + fwPageBytes - 1) / fwPageBytes;
}

StickLink::StickLink(Platform& platform, DriverLink& link, StickView& view)
    : platform_(platform), link_(link), view_(view)
{
}

bool StickLink::send2Stick(const QString& name, std::span<const std::uint8_t> data)
{
    if (data.size() < 2)
        return false;
    const int reportBytes = static_cast<int>(data.size()) + 1;
    if (reportBytes > link_.outputReportLength())
        return false;
    auto& buffer = link_.dataBuffer;
    buffer[0] = sync0;
    buffer[1] = sync1;
    std::copy(data.begin() + 1, data.end(), buffer.begin() + 2);
    if (!link_.sendReport())
        return false;
    link_.receiveReport(); // whatever comes back right away is not looked at
    if (view_.debugOn())
        view_.debugLine(QStringLiteral("Send: ") + name);
    platform_.processMessages();
    return true;
}

bool StickLink::stickCmd(int cmd)
{
    switch (cmd) {
    case stickReadMem:
        return sendRead();
    case stickWriteMem:
        return sendWrite(stickWriteMem, letterWrite, writeChunk, QString());
    case stickWriteEE:
        return sendWrite(stickWriteEE, letterEE, eeChunk, QStringLiteral(" write EE"));
    case stickFwBlock:
        return sendFwPart();
    default:
        return false;
    }
}

bool StickLink::sendRead()
{
    if (stickAddr < 0 || stickAddr >= memorySize)
        return false;
    const std::array<std::uint8_t, 4> data = {letterRead, stickReadMem, static_cast<std::uint8_t>(stickAddr),
                                              static_cast<std::uint8_t>(readCount(stickAddr))};
    return send2Stick(QStringLiteral("Read Memory 0x") + hexDigits(stickAddr, 2), data);
}

bool StickLink::sendWrite(int cmd, std::uint8_t letter, int count, const QString& suffix)
{
    // Only image bytes that exist, and only stick addresses that exist.
    const int end = std::min<int>(static_cast<int>(writeImage.size()), memorySize);
    if (stickAddr < 0 || stickAddr + count > end)
        return false;
    const auto address = static_cast<std::uint8_t>(stickAddr);
    const auto length = static_cast<std::uint8_t>(count);
    const std::uint8_t* bytes = writeImage.data() + stickAddr;
    stickCrc = frameCrc(address, length, bytes);

    std::array<std::uint8_t, 32> data{};
    data[0] = letter;
    data[1] = static_cast<std::uint8_t>(cmd);
    data[2] = stickCrc & 0xFF;
    data[3] = stickCrc >> 8;
    data[4] = address;
    data[5] = length;
    std::copy_n(bytes, count, data.begin() + 6);
    // Write Memory closes with a zero byte after its 25 data bytes.
    const std::size_t elements = cmd == stickWriteMem ? 6 + count + 1 : 6 + count;
    return send2Stick(QStringLiteral("Write Memory 0x") + hexDigits(stickAddr, 2) + suffix,
                      std::span<const std::uint8_t>(data.data(), elements));
}

std::uint8_t StickLink::fwByte(int index) const
{
    // Past the image the firmware area holds 0xFF, like the image after its
    // data lines.
    return index >= 0 && index < static_cast<int>(fwImage.size()) ? fwImage[static_cast<std::size_t>(index)] : 0xFF;
}

bool StickLink::sendFwPart()
{
    if (stickState <= 2 || stickState > 5)
        return false;
    const int part = stickState - 2;
    std::array<std::uint8_t, fwFrameElements> data{};
    data[4] = static_cast<std::uint8_t>(part);
    stickCrc = 0;
    for (int k = 0; k < fwPartBytes[static_cast<std::size_t>(part - 1)]; ++k) {
        const std::uint8_t b = fwByte(stickAddr);
        data[static_cast<std::size_t>(fwDataElement + k)] = b;
        stickCrc = crc16Step(b, stickCrc);
        ++stickAddr;
    }
    stickCrc = crc16Finish(stickCrc);
    data[2] = stickCrc & 0xFF;
    data[3] = stickCrc >> 8;
    data[1] = stickFwBlock;
    const bool sent = send2Stick(QString(), data);
    if (sent && part == 3) {
        fwPosition = std::min(fwPosition + 1, fwPages);
        view_.setProgress(fwPosition, fwPages);
    }
    return sent;
}

void StickLink::startProgress(int pages)
{
    fwPosition = 0;
    fwPages = pages;
    view_.setProgress(fwPosition, fwPages);
    view_.showProgress(true);
}

} // namespace nolt
