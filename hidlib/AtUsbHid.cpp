// The library's C entry points: one device held for the whole process,
// every call serialised, no exception let out.

#include "AtUsbHid.h"

#include "HidrawDevice.h"

#include <mutex>

namespace {

using nolt::hid::HidrawDevice;

// How long readData waits for a report: short enough that a caller on the
// GUI thread never notices.
constexpr int readWaitMs = 4;

std::mutex deviceMutex;
HidrawDevice device; // closed when the process ends

template <typename Call>
int withDevice(Call call) noexcept
{
    try {
        const std::lock_guard<std::mutex> guard(deviceMutex);
        return call(device);
    } catch (...) {
        return 0;
    }
}

} // namespace

extern "C" {

int findHidDevice(unsigned vendorId, unsigned productId)
{
    return withDevice([&](HidrawDevice &d) { return d.open(vendorId, productId) ? 1 : 0; });
}

void closeDevice(void)
{
    withDevice([](HidrawDevice &d) {
        d.close();
        return 0;
    });
}

int readData(unsigned char *buffer)
{
    return withDevice([&](HidrawDevice &d) { return d.read(buffer, readWaitMs) ? 1 : 0; });
}

int writeData(const unsigned char *buffer)
{
    return withDevice([&](HidrawDevice &d) { return d.write(buffer) ? 1 : 0; });
}

int setFeature(const unsigned char *buffer)
{
    return withDevice([&](HidrawDevice &d) { return d.sendFeature(buffer) ? 1 : 0; });
}

int getInputReportLength(void)
{
    return withDevice([](HidrawDevice &d) { return d.layout().input.bytes; });
}

int getOutputReportLength(void)
{
    return withDevice([](HidrawDevice &d) { return d.layout().output.bytes; });
}

int getFeatureReportLength(void)
{
    return withDevice([](HidrawDevice &d) { return d.layout().feature.bytes; });
}

} // extern "C"
