#include "link/ReplyWait.h"

#include "link/LinkView.h"
#include "link/Platform.h"

namespace nolt {

bool waitForReply(Platform& platform, LinkView& view, const std::function<bool()>& done)
{
    for (int round = 0; round < replyWaitRounds; ++round) {
        platform.sleepMs(replyWaitSleepMs);
        if (round % 10 == 0)
            view.appendCaption(QStringLiteral("."));
        platform.processMessages();
        if (view.closed())
            return false;
        if (done())
            return true;
    }
    return false;
}

} // namespace nolt
