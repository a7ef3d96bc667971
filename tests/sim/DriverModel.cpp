#include "sim/DriverModel.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace nolt::sim {

namespace {

constexpr int packetSize = 8;

bool readNumber(const std::string& text, int& value)
{
    try {
        std::size_t used = 0;
        value = std::stoi(text, &used, 0);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

} // namespace

DriverFaults parseDriverFaults(const std::string& text, std::string* rejected)
{
    DriverFaults f;
    std::stringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.empty())
            continue;
        const auto at = item.find('@');
        const std::string name = item.substr(0, at);
        const std::string arg = at == std::string::npos ? std::string() : item.substr(at + 1);
        // One number ("A") or two ("A:N").
        const auto colon = arg.find(':');
        int first = 0;
        int second = 0;
        const bool one = colon == std::string::npos && readNumber(arg, first);
        const bool two = colon != std::string::npos && readNumber(arg.substr(0, colon), first)
            && readNumber(arg.substr(colon + 1), second);
        bool ok = true;
        if (name == "silent" && arg.empty())
            f.silent = true;
        else if (name == "noack" && one)
            f.ack[first] = AckFault::Missing;
        else if (name == "status0" && one)
            f.ack[first] = AckFault::Status0;
        else if (name == "otheraddr" && one)
            f.ack[first] = AckFault::OtherAddress;
        else if (name == "unplug" && one)
            f.unplugAfter = first;
        else if (name == "unplug" && two) {
            f.unplugAfter = first;
            f.absentProbes = second;
        } else if (name == "shortread" && two)
            f.shortRead[first] = second;
        else
            ok = false;
        if (!ok && rejected)
            *rejected += (rejected->empty() ? "" : ",") + item;
    }
    return f;
}

DriverModel::DriverModel(std::string memoryFile)
    : memory(memorySize, 0xFF), memoryFile_(std::move(memoryFile))
{
    if (memoryFile_.empty())
        return;
    std::ifstream in(memoryFile_, std::ios::binary);
    in.read(reinterpret_cast<char*>(memory.data()), memorySize);
}

std::vector<std::uint8_t> DriverModel::bytes(int address, int count) const
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        out[i] = memory[(address + i) & 0xFFFF];
    return out;
}

void DriverModel::setBytes(int address, std::span<const std::uint8_t> data)
{
    for (std::size_t i = 0; i < data.size(); ++i)
        memory[(address + i) & 0xFFFF] = data[i];
    save();
}

void DriverModel::save() const
{
    if (memoryFile_.empty())
        return;
    // Replaced in one step, so a reader never meets half a memory.
    const std::string temporary = memoryFile_ + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(memory.data()), memorySize);
    }
    std::rename(temporary.c_str(), memoryFile_.c_str());
}

void DriverModel::received(SimDevice& device, const Report& report)
{
    if (++outputReports == faults.unplugAfter) {
        device.unplug(faults.absentProbes);
        return;
    }
    if (faults.silent || report.size() < packetSize)
        return;

    if (packetsLeft_ > 0) {
        incoming_.insert(incoming_.end(), report.begin(), report.begin() + packetSize);
        if (--packetsLeft_ == 0)
            finishWrite(device);
        return;
    }
    if (report[0] != 0xAA || report[1] != 0x55)
        return;
    const int count = report[3];
    const int address = report[4] | report[5] << 8;
    switch (report[2]) {
    case 0xF2:
        read(device, address, count);
        break;
    case 0xF1:
        writeAddress_ = address;
        packetsLeft_ = count;
        incoming_.clear();
        break;
    case 0xFC:
        if (count == 0 && report[4] == 0x55 && report[5] == 0xAA) {
            std::fill(memory.begin(), memory.end(), 0xFF);
            ++erases;
            save();
        }
        break;
    default:
        break;
    }
}

void DriverModel::read(SimDevice& device, int address, int packets)
{
    device.queueReply({0xC0, 0x44, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
                       static_cast<std::uint8_t>(packets * packetSize), 0, 0, 0});
    if (const auto cut = faults.shortRead.find(address); cut != faults.shortRead.end())
        packets = std::min(packets, cut->second);
    for (int p = 0; p < packets; ++p)
        device.queueReply(bytes(address + p * packetSize, packetSize));
}

void DriverModel::finishWrite(SimDevice& device)
{
    const auto fault = faults.ack.find(writeAddress_);
    const bool refused = fault != faults.ack.end() && fault->second == AckFault::Status0;
    if (!refused) {
        setBytes(writeAddress_, incoming_);
        pagesWritten.push_back(writeAddress_);
    }
    if (fault != faults.ack.end() && fault->second == AckFault::Missing)
        return;
    int acked = writeAddress_;
    if (fault != faults.ack.end() && fault->second == AckFault::OtherAddress)
        acked = (writeAddress_ + 0x80) & 0xFFFF;
    device.queueReply({0xC0, 0x33, static_cast<std::uint8_t>(acked), static_cast<std::uint8_t>(acked >> 8),
                       static_cast<std::uint8_t>(refused ? 0 : 1), 0, 0, 0});
}

} // namespace nolt::sim
