#pragma once
// Driver-mode requests: 8-byte memory requests, the 50 ms collector that puts
// a read's replies into the control block or the data block, verified page
// writes and the erase request. The same collector recognises a USB stick by
// its announcement.

#include "image/ConfigImage.h"
#include "link/HidDevice.h"
#include "link/Platform.h"

#include <array>
#include <algorithm>
#include <cstdint>
#include <memory>

namespace nolt {

inline constexpr int pageSize = 128;
inline constexpr int packetSize = 8;
inline constexpr int controlBlockAddress = 0xFF80;

// Shown when the device is gone as a transfer starts.
inline QString usbErrorMessage()
{
    return QStringLiteral("   USB Error!   ");
}

class DriverLink {
public:
    // hid may be null (no library): every request is then dropped.
    DriverLink(Platform& platform, HidDevice* hid);

    HidDevice* hid() const { return hid_; }
    bool checkHID() const { return nolt::checkHID(hid_); }

    // Read once after the device was found; each kept as its low byte.
    // No report moves before they were read.
    void readReportLengths();
    int inputReportLength() const { return inputReportLength_; }
    int outputReportLength() const { return outputReportLength_; }

    // Driver-mode reads, collected by timer1Tick().
    void readControlBlock();
    void readDataBlock(int address);
    void timer1Tick();
    Timer& timer1() { return *timer1_; }
    int timer1Tag() const { return tag_; }

    // Writes one 128-byte page and verifies it; true when the write failed.
    bool writePage(int address, const std::uint8_t* page);
    // Polls for the write acknowledgement of the page at address b; true
    // when the write failed.
    bool transferCheck(int b);
    void sendEraseAll();

    // Sends dataBuffer as one output report; false when it could not be
    // written (no device, or the device is gone).
    bool sendReport();
    // Reads one input report into dataBuffer; false when none came.
    bool receiveReport();

    // The one report buffer, shared by requests, replies and stick frames.
    // It always has room for the longest report a device can declare.
    std::array<std::uint8_t, maxReportLength> dataBuffer{};

    Bytes controlBlock = Bytes(pageSize, 0);
    Bytes sendBlock = Bytes(pageSize, 0);
    bool controlFlag = false; // a control-block read is under way
    bool dataFlag = false;    // a data-block read is under way
    bool usbStick = false;    // the device announced itself as a USB stick

private:
    void sendRequest(std::uint8_t cmd, std::uint8_t count, std::uint8_t lo, std::uint8_t hi);
    // Sends 8 bytes as one report; a longer output report carries zeros
    // after them, never bytes left over from an earlier report.
    void sendPacket(const std::uint8_t* packet);
    void startRead(bool control);

    Platform& platform_;
    HidDevice* hid_;
    // The library moves whole reports, which may be longer than the 256
    // bytes the program keeps of them; these buffers, sized when the report
    // lengths are read, always have room. Empty while no report may move.
    Bytes rxScratch_;
    Bytes txScratch_;
    std::unique_ptr<Timer> timer1_;
    int tag_ = 0; // packets still expected for the current read
    bool packetSeen_ = false; // the current read has had its first packet
    int inputReportLength_ = 0;
    int outputReportLength_ = 0;
    int featureReportLength_ = 0;
};

} // namespace nolt
