#pragma once
// Frames to the USB programming stick: every frame is one output report
// CA C5, command byte, parameters. send2Stick sends a command array,
// stickCmd builds the command arrays of the transfer state.

#include "link/AppState.h"
#include "link/DriverLink.h"
#include "link/Platform.h"
#include "link/StickView.h"

#include <QString>

#include <cstdint>
#include <span>

namespace nolt {

namespace stick {
inline constexpr std::uint8_t sync0 = 0xCA;
inline constexpr std::uint8_t sync1 = 0xC5;

// Command bytes.
enum StickCommand : int {
    stickReadMem = 0x02,
    stickWriteMem = 0x04,
    stickWriteEE = 0x05,
    stickFwBlock = 0x08,
    stickReset = 0x0E,
};

inline constexpr int memorySize = 256;   // the driver memory behind the stick
inline constexpr int readChunk = 26;     // bytes asked for by one Read Memory
inline constexpr int writeChunk = 25;    // image bytes in one Write Memory
inline constexpr int eeChunk = 12;       // image bytes in one write EE
inline constexpr int fwPageBytes = 72;   // one firmware page: parts of 26, 26 and 20 bytes
inline constexpr int longestFrame = 33;  // Write Memory; the output report must hold it
} // namespace stick

// The CRC of a Write Memory, write EE or data-reply frame: the register
// starts at the address, then the length and the data bytes are fed.
std::uint16_t frameCrc(std::uint8_t address, std::uint8_t length, const std::uint8_t* data);

// Bytes asked for by a Read Memory at this address: 26, or what is left up
// to byte 255.
int readCount(int address);

// The firmware pages of a firmware of this length (72 bytes a page).
int fwPageCount(int fwLength);

class StickLink {
public:
    StickLink(Platform& platform, DriverLink& link, StickView& view);

    // Sends one frame described by a command array: element 0 is the reply
    // letter the command expects (not sent), the rest go to report bytes 2
    // onward. Then one report is read and dropped, "Send: <name>" goes to
    // the debug memo and pending messages are processed once. False when
    // nothing was sent: fewer than two elements, a frame longer than the
    // stick's output report (a frame is never cut), or a report that could
    // not be written (the device is gone).
    bool send2Stick(const QString& name, std::span<const std::uint8_t> data);

    // Builds and sends the frame of command cmd from the transfer state.
    // False when nothing was sent, including a frame whose bytes would lie
    // outside the image or the stick's memory.
    bool stickCmd(int cmd);

    // The stick's output report holds every frame of the protocol.
    bool reportHoldsFrames() const { return link_.outputReportLength() >= stick::longestFrame; }

    // Transfer state shared with the reply machine.
    int stickState = -1;      // -1 no stick, 0 identity awaited, 1 idle/reading, 2 writing, 3..5 firmware part 1..3
    int stickAddr = 0;        // next stick address, or next firmware byte
    std::uint16_t stickCrc = 0;

    // What a write and a firmware update send: copies taken when the
    // operation starts. Each operation thus sends one consistent image;
    // what is loaded or edited meanwhile stays on screen for the next one.
    Bytes writeImage;
    Bytes fwImage;

    // The firmware progress: pages sent (advanced after each part 3) and
    // pages in all.
    int fwPosition = 0;
    int fwPages = 0;
    void startProgress(int pages);

private:
    bool sendRead();
    bool sendWrite(int cmd, std::uint8_t letter, int count, const QString& name);
    bool sendFwPart();
    std::uint8_t fwByte(int index) const;

    Platform& platform_;
    DriverLink& link_;
    StickView& view_;
};

} // namespace nolt
