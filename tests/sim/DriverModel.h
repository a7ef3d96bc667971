#pragma once
// A simulated LED driver in driver mode: 64 KiB of memory in the erase state
// (0xFF), the control block at 0xFF80, 8-byte memory requests:
//
//   AA 55 F2 n lo hi 00 00   read: header C0 44 lo hi 8n, then n packets
//   AA 55 F1 n lo hi 00 00   write: n packets follow; acknowledged with
//                            C0 33 lo hi 01 once the page is stored
//   AA 55 FC 00 55 AA 00 00  erase all
//
// Faults can be injected per page address (acknowledgement missing, status
// 0, for another address, a read that stops short) and for the whole device
// (silent, unplugged after a number of reports, for good or until a number
// of probes have missed it). The memory can live in a
// file so that it outlasts the program's self-restart.

#include "sim/SimDevice.h"

#include <cstdint>
#include <map>
#include <span>
#include <string>

namespace nolt::sim {

enum class AckFault {
    Missing,      // the page is stored, the acknowledgement never comes
    Status0,      // the page is not stored; acknowledged with status 0
    OtherAddress, // the page is stored; acknowledged for the next page's address
};

struct DriverFaults {
    std::map<int, AckFault> ack;  // page address -> fault of its acknowledgement
    std::map<int, int> shortRead; // page address -> packets sent before the read stops
    bool silent = false;          // answers nothing at all
    int unplugAfter = -1;         // unplugged by this output report (it is lost); -1 never
    int absentProbes = -1;        // then missed by this many probes and back at the next; -1 for good
};

// Reads a fault list such as
//   "noack@0xFF80,status0@0x4000,otheraddr@0x0200,shortread@0x4000:5,silent,unplug@20"
// ("unplug@20:2": back at the third probe after).
// Items that cannot be read are named in `rejected` and otherwise ignored.
DriverFaults parseDriverFaults(const std::string& text, std::string* rejected = nullptr);

class DriverModel final : public DeviceModel {
public:
    static constexpr int memorySize = 0x10000;
    static constexpr int controlBlockAddress = 0xFF80;

    // With a memory file, the memory is loaded from it when it exists and
    // written back after every change.
    explicit DriverModel(std::string memoryFile = {});

    std::vector<std::uint8_t> memory;
    DriverFaults faults;
    int outputReports = 0; // every report received
    int erases = 0;
    std::vector<int> pagesWritten; // addresses of acknowledged or stored page writes, in order

    void attached(SimDevice&) override { packetsLeft_ = 0; } // a write cut by the cable is dropped
    void received(SimDevice& device, const Report& report) override;

    std::vector<std::uint8_t> bytes(int address, int count) const;
    void setBytes(int address, std::span<const std::uint8_t> data);

private:
    void read(SimDevice& device, int address, int packets);
    void finishWrite(SimDevice& device);
    void save() const;

    std::string memoryFile_;
    int writeAddress_ = 0;
    int packetsLeft_ = 0;
    std::vector<std::uint8_t> incoming_;
};

} // namespace nolt::sim
