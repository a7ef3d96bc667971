#include "link/DriverLink.h"

#include <algorithm>

namespace nolt {

namespace {
constexpr std::uint8_t syncA = 0xAA, syncB = 0x55;
constexpr std::uint8_t memRead = 0xF2, memWrite = 0xF1, memErase = 0xFC;
constexpr std::uint8_t pagePackets = pageSize / packetSize; // 16
constexpr int ackPolls = 201;
constexpr int ackPollMs = 5;

// Room for one whole report of the library's length, and at least for the
// report buffer; none for a length no HID device has (a broken library),
// so that no report moves at all.
Bytes reportRoom(int length)
{
    if (length > maxDeviceReport)
        return {};
    return Bytes(static_cast<std::size_t>(std::max(maxReportLength, length)), 0);
}
} // namespace

DriverLink::DriverLink(Platform& platform, HidDevice* hid)
    : platform_(platform), hid_(hid), timer1_(platform.createTimer(50, [this] { timer1Tick(); }))
{
}

void DriverLink::readReportLengths()
{
    if (!hid_)
        return;
    const int input = hid_->getInputReportLength();
    const int output = hid_->getOutputReportLength();
    featureReportLength_ = hid_->getFeatureReportLength() & 0xFF;
    inputReportLength_ = input & 0xFF;
    outputReportLength_ = output & 0xFF;
    rxScratch_ = reportRoom(input);
    txScratch_ = reportRoom(output);
}

bool DriverLink::sendReport()
{
    if (!hid_ || txScratch_.empty())
        return false;
    std::fill(txScratch_.begin(), txScratch_.end(), 0);
    std::copy(dataBuffer.begin(), dataBuffer.end(), txScratch_.begin());
    return hid_->writeData(txScratch_.data());
}

bool DriverLink::receiveReport()
{
    if (!hid_ || rxScratch_.empty())
        return false;
    std::fill(rxScratch_.begin(), rxScratch_.end(), 0);
    if (!hid_->readData(rxScratch_.data()))
        return false;
    std::copy_n(rxScratch_.begin(), dataBuffer.size(), dataBuffer.begin());
    return true;
}

void DriverLink::sendPacket(const std::uint8_t* packet)
{
    std::copy_n(packet, packetSize, dataBuffer.begin());
    std::fill(dataBuffer.begin() + packetSize, dataBuffer.end(), 0);
    sendReport();
}

void DriverLink::sendRequest(std::uint8_t cmd, std::uint8_t count, std::uint8_t lo, std::uint8_t hi)
{
    const std::array<std::uint8_t, packetSize> request = {syncA, syncB, cmd, count, lo, hi, 0, 0};
    sendPacket(request.data());
}

void DriverLink::startRead(bool control)
{
    controlFlag = control;
    dataFlag = !control;
    tag_ = 0;
    packetSeen_ = false;
    timer1_->start();
}

void DriverLink::readControlBlock()
{
    controlBlock.resize(pageSize);
    sendRequest(memRead, pagePackets, controlBlockAddress & 0xFF, controlBlockAddress >> 8);
    startRead(true);
}

void DriverLink::readDataBlock(int address)
{
    sendBlock.resize(pageSize);
    sendRequest(memRead, pagePackets, address & 0xFF, (address >> 8) & 0xFF);
    startRead(false);
}

void DriverLink::timer1Tick()
{
    if (!receiveReport())
        return;
    const auto& r = dataBuffer;
    const bool header = r[0] == 0xC0 && r[1] == 0x44;
    // Waiting for the header, or for the first packet after it: a header
    // then (re)starts the count, since neither a control block (entries
    // begin 8A or FF) nor a slot page (records begin with their length)
    // begins C0 44. After the first packet every report is data, whatever
    // it begins with.
    if (header && !packetSeen_) {
        // A block never holds more than one page: a larger count is cut
        // to the page, so no packet lands outside it.
        tag_ = std::min<int>(r[4] / packetSize, pagePackets);
        return;
    }
    if (tag_ == 0) {
        if (r[0] == 0xB2 && (r[1] == 0x50 || r[1] == 0x51)) {
            usbStick = true;
            timer1_->stop();
        }
        return; // anything else before the header is dropped
    }
    packetSeen_ = true;
    Bytes& target = controlFlag ? controlBlock : sendBlock;
    const int at = (pagePackets - tag_) * packetSize;
    std::copy_n(r.begin(), packetSize, target.begin() + at);
    if (--tag_ == 0) {
        packetSeen_ = false;
        timer1_->stop();
        controlFlag = false;
        dataFlag = false;
    }
}

bool DriverLink::writePage(int address, const std::uint8_t* page)
{
    sendRequest(memWrite, pagePackets, address & 0xFF, (address >> 8) & 0xFF);
    receiveReport(); // whatever the device answers to the request is not looked at
    for (int p = 0; p < pagePackets; ++p)
        sendPacket(page + p * packetSize);
    return transferCheck(address);
}

bool DriverLink::transferCheck(int b)
{
    for (int round = 0; round < ackPolls; ++round) {
        platform_.sleepMs(ackPollMs);
        if (!receiveReport())
            continue;
        const auto& r = dataBuffer;
        if (r[0] != 0xC0 || r[1] != 0x33)
            continue;
        const bool written = r[4] == 1 && r[2] == (b & 0xFF) && r[3] == ((b >> 8) & 0xFF);
        return !written;
    }
    return true;
}

void DriverLink::sendEraseAll()
{
    sendRequest(memErase, 0, 0x55, 0xAA);
}

} // namespace nolt
