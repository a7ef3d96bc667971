#pragma once
// The USB HID device as the program sees it: the operations of the HID access
// library. The real library is loaded at run time by name; tests plug in a
// simulated device behind the same interface.

#include <cstdint>
#include <memory>
#include <string>

namespace nolt {

inline constexpr unsigned hidVendorId = 1003;   // 0x03EB
inline constexpr unsigned hidProductId = 8211;  // 0x2013
inline constexpr int maxReportLength = 256;     // report lengths are kept as one byte
inline constexpr int maxDeviceReport = 65536;   // no HID report is longer

class HidDevice {
public:
    virtual ~HidDevice() = default;
    virtual bool findHidDevice(unsigned vendorId, unsigned productId) = 0;
    virtual void closeDevice() = 0;
    // Copies one input report (no report-ID byte) into buffer, which holds
    // at least getInputReportLength() bytes; false when none is there now.
    virtual bool readData(std::uint8_t* buffer) = 0;
    // Sends one output report of getOutputReportLength() bytes.
    virtual bool writeData(const std::uint8_t* buffer) = 0;
    virtual bool setFeature(const std::uint8_t* buffer) = 0;
    virtual int getInputReportLength() = 0;
    virtual int getOutputReportLength() = 0;
    virtual int getFeatureReportLength() = 0;
};

// Loads the HID access library by name through the platform's library search
// and binds its entry points. Empty when the library cannot be loaded or lacks
// an entry point (the program then runs without a device).
std::unique_ptr<HidDevice> loadHidLibrary(const std::string& name = "libAtUsbHid.so");

// True only with a bound library that finds the device (vendor 1003,
// product 8211). Probes anew on every call.
bool checkHID(HidDevice* hid);

} // namespace nolt
