#pragma once
// The USB programming stick with a driver plugged in: it announces itself
// on the tool's first driver-mode request, reports idle ('Q') and its
// identity ('_'), serves Read Memory from the driver's 256 bytes, takes
// Write Memory and write EE frames whose CRC is right, takes firmware parts
// ('X' for each, 'Z' after a page's third) and announces itself anew after
// a reset. Faults on demand: refusals, wrong CRCs in data replies, slow
// answers, answers out of turn, silence, and being pulled out.
//
// Every reply becomes readable one read after the frame that caused it:
// the tool drops the report it reads right after each frame, and a real
// stick needs longer than that to answer.

#include "sim/SimDevice.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace nolt::sim {

// Refusals by frame address: the next n Write Memory (or write EE) frames
// for that address are refused.
struct StickFaults {
    std::map<int, int> refuseWrite;
    std::map<int, int> refuseEe;
};

// Reads a fault list such as "refuse@25:5,refuseEE@0x0C:6". Items that
// cannot be read are named in `rejected` and otherwise ignored.
StickFaults parseStickFaults(const std::string& text, std::string* rejected = nullptr);

class StickModel final : public DeviceModel {
public:
    // With a memory file, the memory is loaded from it when it exists (a
    // shorter file fills only the first bytes) and written back after every
    // frame taken.
    explicit StickModel(std::string memoryFile = {});

    // The driver's memory behind the stick.
    std::array<std::uint8_t, 256> memory{};

    // Identity: device number, the kept byte, firmware minor version.
    std::array<std::uint8_t, 4> deviceNr = {0x12, 0x34, 0x56, 0x78};
    std::uint8_t idKept = 0;
    std::uint8_t fwVersion = 72;
    std::uint8_t announceCode = 0x50; // answer to a driver-mode request: B2 50 (or B2 51)

    // Faults: the next n write / write-EE frames are refused, the next n
    // data replies carry a wrong CRC.
    int refuseWrites = 0;
    int refuseEeWrites = 0;
    int badCrcReplies = 0;
    StickFaults faults;
    int slowReads = 0;     // reads that find nothing before each answer, beyond the first
    int silentAfter = -1;  // answers no frame after this many frames; -1 answers all
    int unplugAfter = -1;  // pulled out as its answer to this frame is read; -1 never
    std::map<int, std::uint8_t> outOfTurn; // frame number (from 1) -> the code it is answered with instead
    int frames = 0;        // frames received

    // What the stick took.
    std::vector<std::uint8_t> firmware; // every firmware part's data, in order
    int writeFrames = 0;                // Write Memory frames taken
    int eeFrames = 0;                   // write EE frames taken
    int resets = 0;
    int refusedFwParts = 0;             // firmware parts with a wrong CRC

    void received(SimDevice& device, const Report& report) override;
    void idle(SimDevice& device) override;
    void unplugged() override { clearOutbox(); }

    // Reports idle and its identity, as after plugging in a driver.
    void announce();
    // Replies still to come.
    std::size_t pending() const { return outbox_.size(); }
    // Forgets the replies still to come (a test then answers by hand).
    void clearOutbox()
    {
        outbox_.clear();
        holdOff_ = 0;
    }

private:
    void reply(Report r);
    void readMemory(SimDevice& device, const Report& f);
    void writeMemory(const Report& f, bool ee);
    void firmwarePart(const Report& f);
    bool refused(bool ee, int address);

    std::string memoryFile_;
    std::deque<Report> outbox_;
    int holdOff_ = 0; // reads that still find nothing
    bool unplugDue_ = false; // pulled out once the outbox is empty
};

} // namespace nolt::sim
