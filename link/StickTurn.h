#pragma once
// Whose turn it is on the stick: the frame of a read, a write or a firmware
// update whose answer the operation waits for, and how long it has waited.
// Only the answer to that frame moves the operation; a reply that answers
// another frame, or comes after its operation ended, moves nothing. An
// operation whose answer has not come for 3 s (30 ticks of Timer3) has
// stopped: the stick no longer answers, or it was pulled out.

#include <cstdint>

namespace nolt {

inline constexpr int stickAnswerTicks = 30; // Timer3 ticks of 100 ms: 3 s

class StickTurn {
public:
    // A frame of an operation went out: a Read Memory at this address, a
    // Write Memory, a write EE, or this part (1..3) of a firmware page.
    void sent(int cmd, int addressOrPart);
    // The operation ended: nothing is awaited any more.
    void clear() { cmd_ = 0; }
    bool waiting() const { return cmd_ != 0; }

    // The reply with this code (and, for data, this address) answers the
    // frame last sent.
    bool answers(std::uint8_t code, int address) const;

    // One tick of Timer3 has passed; the answer is 3 s late.
    void tick()
    {
        if (waiting())
            ++ticks_;
    }
    bool timedOut() const { return waiting() && ticks_ >= stickAnswerTicks; }

private:
    int cmd_ = 0;
    int addressOrPart_ = 0;
    int ticks_ = 0;
};

} // namespace nolt
