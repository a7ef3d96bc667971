#include "link/StickTurn.h"

#include "link/StickMachine.h"

namespace nolt {

using namespace stick;

void StickTurn::sent(int cmd, int addressOrPart)
{
    cmd_ = cmd;
    addressOrPart_ = addressOrPart;
    ticks_ = 0;
}

bool StickTurn::answers(std::uint8_t code, int address) const
{
    switch (code) {
    case replyData:
        return cmd_ == stickReadMem && address == addressOrPart_;
    case replyWriteOk:
    case replyWriteBad:
        return cmd_ == stickWriteMem;
    case replyEeOk:
    case replyEeBad:
        return cmd_ == stickWriteEE;
    case replyFwPartOk:
        return cmd_ == stickFwBlock && addressOrPart_ < 3;
    case replyFwPageOk:
        return cmd_ == stickFwBlock && addressOrPart_ == 3;
    default:
        return false;
    }
}

} // namespace nolt
