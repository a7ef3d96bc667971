#pragma once
// The bounded wait for a device reply: short sleeps with message
// processing, so that the 50 ms collector runs and the window stays painted.

#include <functional>

namespace nolt {

class LinkView;
class Platform;

inline constexpr int replyWaitRounds = 101; // of 50 ms each
inline constexpr int replyWaitSleepMs = 50;

// Up to 101 rounds of: sleep 50 ms; in rounds 0, 10, 20, ... a dot appended
// to the caption; pending messages processed; stop as soon as done() holds.
// False when the rounds ran out or the window was closed meanwhile.
bool waitForReply(Platform& platform, LinkView& view, const std::function<bool()>& done);

} // namespace nolt
