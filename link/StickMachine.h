#pragma once
// The stick's reply machine: Timer3 polls one reply every 100 ms and, by
// its code, sends the next frame, repeats a refused one or ends the
// operation. Three operations run this way: reading the driver's 256 bytes
// into the image (on the stick's identity, and with "ReRead"), writing the
// image back ("Transfer") and updating the driver's firmware ("Update FW").
//
// One operation at a time: a write or a firmware update always runs to its
// end, and a read collects the driver's memory apart and puts it into the
// image only once it is whole, so the image and the stick never hold half
// of one configuration and half of another. Every operation ends: one whose
// stick has not answered for 3 s, or whose frame could not be written
// because the device is gone, ends as a refused write does (a read ends
// standing, the image as it was).

#include "link/StickLink.h"
#include "link/StickTexts.h"
#include "link/StickTurn.h"

namespace nolt {

namespace stick {
inline constexpr std::uint8_t replyTag = 0xB2;
inline constexpr std::uint8_t replyIdle = 'Q';
inline constexpr std::uint8_t replyData = 'R';
inline constexpr std::uint8_t replyWriteOk = 'T';
inline constexpr std::uint8_t replyWriteBad = 'U';
inline constexpr std::uint8_t replyEeOk = 'V';
inline constexpr std::uint8_t replyEeBad = 'W';
inline constexpr std::uint8_t replyFwPartOk = 'X';
inline constexpr std::uint8_t replyBeep = 'Y';
inline constexpr std::uint8_t replyFwPageOk = 'Z';
inline constexpr std::uint8_t replyBeep2 = '[';
inline constexpr std::uint8_t replyId = '_';

inline constexpr int maxSends = 6;          // a frame goes out at most six times
inline constexpr int identityWaitMs = 1000; // before the first read
inline constexpr int lastWriteAddr = 225;   // Write Memory 225 carries bytes 225..249
inline constexpr int lastEeAddr = 108;      // write EE 108 carries bytes 108..119
} // namespace stick

class StickMachine {
public:
    // timer3: the 100 ms timer whose tick calls Timer3Timer.
    StickMachine(Platform& platform, DriverLink& link, AppState& state, StickView& view, Timer& timer3);

    StickLink& frames() { return frames_; }

    // Start-up found a stick: its identity is awaited, Timer3 runs.
    void start();
    void Timer3Timer();

    // "Transfer": writes image bytes 0..249, then the EE area 0..119, of the
    // image as it is now. "Update FW" sends the firmware as it is now, and
    // beeps when there is none. "ReRead" reads the driver's memory again.
    // Each beeps and starts nothing while a read, a write or an update runs.
    // "Update FW" and "ReRead" look for the device anew first (as the store
    // handler does before "Transfer"), so a stick plugged back works again;
    // all three take its report lengths anew.
    void storeUSBStick();
    void bUpdateFwClick();
    void bRereadClick();

    // A read, a write or a firmware update runs.
    bool operationRuns() const;

    int stickState() const { return frames_.stickState; }
    const StickId& stickId() const { return stickId_; }
    int stickFwVersion() const { return stickFwVersion_; }
    int stickRetries() const { return stickRetries_; }

private:
    void handleReply();
    void onIdle();
    void onIdentity();
    void onData();
    void onWriteOk();
    void onWriteRefused(int cmd);
    void onEeOk();
    void onFwPart();
    void onFwPage();

    bool writing() const { return frames_.stickState == 2; }
    bool updating() const { return frames_.stickState >= 3 && frames_.stickState <= 5; }
    bool dataReplyFits(int address, int length) const;
    bool deviceFound();
    void reportLengthsAnew();
    void startRead();
    void readComplete();
    void readStands();
    void send(int cmd);
    void operationStopped();
    void writeEnded();
    void writeFailed();
    void updateFailed();
    void debug(const QString& line);

    Platform& platform_;
    DriverLink& link_;
    AppState& state_;
    StickView& view_;
    Timer& timer3_;
    StickLink frames_;

    StickId stickId_{};
    int stickFwVersion_ = 0;
    int stickRetries_ = 0;
    std::uint32_t stickCrcRx_ = 0;
    StickTurn turn_;
    // The memory the read under way (state_.stickReading) has collected so
    // far, and whether a read has completed since the stick announced itself.
    Bytes readImage_;
    bool haveImage_ = false;
};

} // namespace nolt
