#include "sim/StickModel.h"

#include "sim/SimCrc.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace nolt::sim {

namespace {
constexpr std::uint8_t tag = 0xB2;
constexpr std::uint8_t sync0 = 0xCA, sync1 = 0xC5;
enum : std::uint8_t { readMem = 0x02, writeMem = 0x04, writeEE = 0x05, fwBlock = 0x08, reset = 0x0E };
constexpr std::size_t fwPartBytes[] = {26, 26, 20};
} // namespace

StickFaults parseStickFaults(const std::string& text, std::string* rejected)
{
    StickFaults f;
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        const auto at = item.find('@');
        const std::string name = item.substr(0, at);
        int address = 0;
        int count = 0;
        int used = 0;
        const bool numbers = at != std::string::npos
            && std::sscanf(item.c_str() + at + 1, "%i:%i%n", &address, &count, &used) == 2
            && at + 1 + std::size_t(used) == item.size();
        if (numbers && name == "refuse")
            f.refuseWrite[address] = count;
        else if (numbers && name == "refuseEE")
            f.refuseEe[address] = count;
        else if (!item.empty() && rejected)
            *rejected += (rejected->empty() ? "" : ",") + item;
    }
    return f;
}

StickModel::StickModel(std::string memoryFile) : memoryFile_(std::move(memoryFile))
{
    memory.fill(0xFF);
    if (!memoryFile_.empty())
        std::ifstream(memoryFile_, std::ios::binary).read(reinterpret_cast<char*>(memory.data()), memory.size());
}

void StickModel::reply(Report r)
{
    outbox_.push_back(std::move(r));
}

void StickModel::announce()
{
    reply({tag, 'Q'});
    reply({tag, '_', deviceNr[0], deviceNr[1], deviceNr[2], deviceNr[3], idKept, fwVersion});
}

void StickModel::idle(SimDevice& device)
{
    if (holdOff_ > 0) {
        --holdOff_;
        return;
    }
    if (outbox_.empty())
        return;
    device.queueReply(outbox_.front());
    outbox_.pop_front();
    if (outbox_.empty() && unplugDue_) { // this answer is still read
        unplugDue_ = false;
        device.unplug();
    }
}

void StickModel::received(SimDevice& device, const Report& f)
{
    holdOff_ = 1;
    if (f.size() >= 2 && f[0] == 0xAA && f[1] == 0x55) {
        // A driver-mode request: this is no driver, it is a stick.
        reply({tag, announceCode});
        announce();
        return;
    }
    if (f.size() < 3 || f[0] != sync0 || f[1] != sync1)
        return;
    ++frames;
    holdOff_ += slowReads;
    unplugDue_ = unplugDue_ || frames == unplugAfter;
    if (silentAfter >= 0 && frames > silentAfter)
        return;
    if (const auto code = outOfTurn.find(frames); code != outOfTurn.end())
        return reply({tag, code->second});
    switch (f[2]) {
    case readMem:
        return readMemory(device, f);
    case writeMem:
        return writeMemory(f, false);
    case writeEE:
        return writeMemory(f, true);
    case fwBlock:
        return firmwarePart(f);
    case reset:
        ++resets;
        return announce();
    default:
        return;
    }
}

void StickModel::readMemory(SimDevice& device, const Report& f)
{
    if (f.size() < 5)
        return;
    const int address = f[3];
    const int room = device.inputLength() - 6;
    const int length = std::max(0, std::min({int(f[4]), 256 - address, room}));
    Report r = {tag, 'R', 0, 0, std::uint8_t(address), std::uint8_t(length)};
    r.insert(r.end(), memory.begin() + address, memory.begin() + address + length);
    std::uint16_t crc = stickFrameCrc(std::uint8_t(address), std::uint8_t(length), r.data() + 6);
    if (badCrcReplies > 0) {
        --badCrcReplies;
        crc ^= 0x0001;
    }
    r[2] = crc & 0xFF;
    r[3] = crc >> 8;
    reply(std::move(r));
}

void StickModel::writeMemory(const Report& f, bool ee)
{
    const std::uint8_t good = ee ? 'V' : 'T';
    const std::uint8_t bad = ee ? 'W' : 'U';
    int& refusals = ee ? refuseEeWrites : refuseWrites;
    if (refusals > 0) {
        --refusals;
        return reply({tag, bad});
    }
    if (f.size() < 7 || refused(ee, f[5]))
        return reply({tag, bad});
    const int address = f[5];
    const int length = f[6];
    const bool fits = 7 + std::size_t(length) <= f.size() && address + length <= 256;
    if (!fits || stickFrameCrc(f[5], f[6], f.data() + 7) != (f[3] | f[4] << 8))
        return reply({tag, bad});
    std::copy_n(f.begin() + 7, length, memory.begin() + address);
    if (!memoryFile_.empty())
        std::ofstream(memoryFile_, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(memory.data()), memory.size());
    ++(ee ? eeFrames : writeFrames);
    reply({tag, good});
}

bool StickModel::refused(bool ee, int address)
{
    auto& refusals = ee ? faults.refuseEe : faults.refuseWrite;
    const auto left = refusals.find(address);
    if (left == refusals.end() || left->second <= 0)
        return false;
    --left->second;
    return true;
}

void StickModel::firmwarePart(const Report& f)
{
    if (f.size() < 32 || f[5] < 1 || f[5] > 3)
        return;
    const std::size_t count = fwPartBytes[f[5] - 1];
    const std::uint8_t* data = f.data() + 6;
    if (crc16(data, count) != (f[3] | f[4] << 8)) {
        ++refusedFwParts;
        return reply({tag, '['});
    }
    firmware.insert(firmware.end(), data, data + count);
    reply({tag, 'X'});
    if (f[5] == 3)
        reply({tag, 'Z'});
}

} // namespace nolt::sim
