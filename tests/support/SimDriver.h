#pragma once
// A simulated driver for in-process tests, with helpers to fill its memory and to look at what it received.

#include "image/ConfigImage.h"
#include "link/ControlBlock.h"
#include "link/DriverLink.h"
#include "link/SlotPage.h"
#include "sim/DriverModel.h"

#include <QString>

#include <functional>
#include <memory>

namespace nolt::test {

struct SimDriver {
    sim::SimDevice device{std::make_unique<sim::DriverModel>()};

    sim::DriverModel& driver() { return *static_cast<sim::DriverModel*>(device.model()); }
    std::vector<std::uint8_t> at(int address, int count) { return driver().bytes(address, count); }
    // Puts a configuration into slot 1..4 of the device, as a store would.
    void storeSlot(int slot, const Bytes& image, const QString& name)
    {
        driver().setBytes(slotPageAddress(slot), buildSlotPage(image));
        Bytes block = at(controlBlockAddress, pageSize);
        writeSlotEntry(block, slot, slot::storedLength, name);
        driver().setBytes(controlBlockAddress, block);
    }
    // Output reports that began with these bytes.
    int sent(std::initializer_list<std::uint8_t> start) const
    {
        int n = 0;
        for (const auto& r : device.written)
            n += std::equal(start.begin(), start.end(), r.begin());
        return n;
    }
    // Hands the device to a window, which does not own it.
    std::function<std::unique_ptr<HidDevice>()> loader()
    {
        return [this] { return std::make_unique<sim::BorrowedDevice>(device); };
    }
};

} // namespace nolt::test
