#pragma once
// The device link against a simulated driver, on the scripted platform,
// without a window.

#include "link/AppState.h"
#include "link/ControlBlock.h"
#include "link/DriverLink.h"
#include "link/SlotPage.h"
#include "sim/DriverModel.h"
#include "support/RecordingView.h"
#include "support/ScriptedPlatform.h"

namespace nolt::test {

struct DriverRig {
    ScriptedPlatform platform;
    sim::SimDevice device{std::make_unique<sim::DriverModel>()};
    DriverLink link{platform, &device};
    AppState state;
    RecordingView view;

    DriverRig() { link.readReportLengths(); }
    sim::DriverModel& driver() { return *static_cast<sim::DriverModel*>(device.model()); }
    // The device's bytes at an address.
    std::vector<std::uint8_t> at(int address, int count) { return driver().bytes(address, count); }
    // Puts a configuration into slot 1..4 of the device, as a store would.
    void storeSlot(int slot, const Bytes& image, const QString& name)
    {
        driver().setBytes(slotPageAddress(slot), buildSlotPage(image));
        Bytes block = at(controlBlockAddress, pageSize);
        writeSlotEntry(block, slot, slot::storedLength, name);
        driver().setBytes(controlBlockAddress, block);
    }
    // The link's copy of the control block, as start-up reads it.
    void readDirectory() { link.controlBlock = at(controlBlockAddress, pageSize); }
    // Output reports that began with these bytes.
    int sent(std::initializer_list<std::uint8_t> start) const
    {
        int n = 0;
        for (const auto& r : device.written)
            n += std::equal(start.begin(), start.end(), r.begin());
        return n;
    }
};

} // namespace nolt::test
