// Fuzz-style: a few thousand random replies, mixed with the user's buttons,
// the simulated stick's own answers and images cut short, go through the
// reply machine. Run under AddressSanitizer, any read or write outside the
// report, the image or the firmware shows up; the checks below hold after
// every step.

#include "StickFixture.h"

#include "image/Crc16.h"

#include <random>

using namespace nolt;
using namespace nolt::test;

namespace {

constexpr std::uint8_t codes[] = {'Q', 'R', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z', '[', '_', 'P', 'S', 0, 0xFF};

sim::Report randomReply(std::mt19937& rng, int inputLength)
{
    std::uniform_int_distribution<int> byte(0, 255);
    sim::Report r(static_cast<std::size_t>(inputLength));
    for (auto& b : r)
        b = static_cast<std::uint8_t>(byte(rng));
    if (byte(rng) < 240)
        r[0] = 0xB2;
    r[1] = codes[static_cast<std::size_t>(byte(rng)) % std::size(codes)];
    if (r[1] == 'R' && byte(rng) < 192 && inputLength > 6) {
        // Mostly well-formed data replies, so that reads get far.
        r[5] = static_cast<std::uint8_t>(byte(rng) % std::min(inputLength - 5, 40));
        const std::uint16_t crc = frameCrc(r[4], r[5], r.data() + 6);
        r[2] = crc & 0xFF, r[3] = crc >> 8;
    }
    return r;
}

void userAction(StickRig& rig, std::mt19937& rng)
{
    std::uniform_int_distribution<int> pick(0, 7);
    switch (pick(rng)) {
    case 0: rig.machine.storeUSBStick(); break;
    case 1: rig.machine.bUpdateFwClick(); break;
    case 2: rig.machine.bRereadClick(); break;
    case 3: rig.state.eeBlock.resize(pick(rng) < 4 ? 128 : 256, 0xFF); break;
    case 4: rig.state.firmware.fwLength = std::uniform_int_distribution<int>(0, 12287)(rng); break;
    case 5:
        if (rig.state.firmware.fwImage.empty())
            rig.state.firmware.fwImage.assign(12288, 0x5A);
        else
            rig.state.firmware.fwImage.clear();
        break;
    case 6: rig.model.announce(); break;
    default: rig.model.refuseWrites = pick(rng); break;
    }
}

void fuzz(int inputLength, int outputLength, unsigned seed)
{
    SCOPED_TRACE(testing::Message() << "reports " << inputLength << "/" << outputLength << ", seed " << seed);
    StickRig rig(inputLength, outputLength);
    rig.view.debugTicked = seed % 2 == 0;
    rig.state.sw.showLog = true;
    rig.machine.start();
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> roll(0, 99);
    for (int step = 0; step < 2500; ++step) {
        const int r = roll(rng);
        if (r < 10)
            userAction(rig, rng);
        else if (r < 70)
            rig.device.queueReply(randomReply(rng, inputLength));
        rig.machine.Timer3Timer();

        const int s = rig.machine.stickState();
        ASSERT_TRUE(s >= 0 && s <= 5) << "state " << s;
        ASSERT_TRUE(rig.state.eeBlock.size() == 128 || rig.state.eeBlock.size() == 256);
        ASSERT_LE(rig.machine.frames().fwPosition, std::max(rig.machine.frames().fwPages, 0));
        ASSERT_TRUE(rig.timer3->isActive());
    }
    for (const auto& f : rig.device.written) {
        ASSERT_EQ(f.size(), static_cast<std::size_t>(outputLength));
        ASSERT_EQ(f[0], 0xCA);
        ASSERT_EQ(f[1], 0xC5);
    }
    EXPECT_GT(rig.device.written.size(), 100u) << "the protocol got somewhere";
}

} // namespace

TEST(StickFuzz, RandomRepliesNeverLeaveTheBuffers)
{
    const std::pair<int, int> reports[] = {{64, 64}, {8, 16}, {32, 33}, {255, 255}, {7, 5}};
    unsigned seed = 1;
    for (auto [in, out] : reports)
        fuzz(in, out, seed++);
}
