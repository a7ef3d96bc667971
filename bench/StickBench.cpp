// Time of a full stick read and a full stick write against the simulated
// stick, on the scripted platform's virtual time, compared with what the
// protocol cannot go below: one reply per 100 ms tick of Timer3, plus the
// one-second wait after the identity. Also the processor time per
// operation. Exits non-zero when an operation needs more than 10 % over
// its floor.

#include "link/StickRig.h"

#include <chrono>
#include <cstdio>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr int tickMs = 100;
constexpr int readReplies = 1 + 10;   // the identity, ten data replies
constexpr int writeReplies = 10 + 10; // ten Write Memory, ten write EE
constexpr long long readFloorMs = stick::identityWaitMs + readReplies * tickMs;
constexpr long long writeFloorMs = writeReplies * tickMs;

template <typename Done>
long long runUntil(StickRig& rig, Done done)
{
    const long long start = rig.platform.nowMs;
    while (!done() && rig.platform.nowMs - start < 60000)
        rig.platform.advance(10);
    return rig.platform.nowMs - start;
}

// The stick has just identified itself; the read runs to its end.
long long fullRead(StickRig& rig)
{
    const auto& m = rig.model;
    rig.device.queueReply({0xB2, '_', m.deviceNr[0], m.deviceNr[1], m.deviceNr[2], m.deviceNr[3], 0, m.fwVersion});
    const int displays = rig.view.displays;
    rig.machine.start();
    return runUntil(rig, [&] { return rig.view.displays > displays; });
}

long long fullWrite(StickRig& rig)
{
    rig.machine.storeUSBStick();
    return runUntil(rig, [&] { return rig.view.captionText.endsWith(QStringLiteral("->Transfer finished.")); });
}

struct Measure {
    const char* name;
    long long floorMs;
    long long virtualMs = 0;
    double cpuUs = 0;
};

} // namespace

int main()
{
    Measure read{"full read", readFloorMs};
    Measure write{"full write", writeFloorMs};
    constexpr int rounds = 200;
    for (int round = 0; round < rounds; ++round) {
        StickRig rig;
        auto t0 = std::chrono::steady_clock::now();
        read.virtualMs = fullRead(rig);
        auto t1 = std::chrono::steady_clock::now();
        write.virtualMs = fullWrite(rig);
        auto t2 = std::chrono::steady_clock::now();
        read.cpuUs += std::chrono::duration<double, std::micro>(t1 - t0).count() / rounds;
        write.cpuUs += std::chrono::duration<double, std::micro>(t2 - t1).count() / rounds;
        if (rig.state.eeBlock != Bytes(rig.model.memory.begin(), rig.model.memory.end())) {
            std::printf("the simulated stick's memory differs from the image\n");
            return 2;
        }
    }
    bool withinGoal = true;
    std::printf("%-11s %10s %10s %7s %12s\n", "operation", "virtual ms", "floor ms", "ratio", "cpu us/op");
    for (const Measure& m : {read, write}) {
        const double ratio = double(m.virtualMs) / double(m.floorMs);
        withinGoal = withinGoal && ratio <= 1.10;
        std::printf("%-11s %10lld %10lld %7.3f %12.1f\n", m.name, m.virtualMs, m.floorMs, ratio, m.cpuUs);
    }
    std::printf(withinGoal ? "within 10 %% of the floor\n" : "MORE than 10 %% over the floor\n");
    return withinGoal ? 0 : 1;
}
