#pragma once
// One opened HID device over hidapi's hidraw backend, with the report sizes
// taken from its report descriptor.

#include "ReportDescriptor.h"

#include <vector>

struct hid_device_;

namespace nolt::hid {

class HidrawDevice {
public:
    HidrawDevice() = default;
    HidrawDevice(const HidrawDevice &) = delete;
    HidrawDevice &operator=(const HidrawDevice &) = delete;
    ~HidrawDevice();

    // Closes the device held so far, then opens the first attached device
    // whose ids match exactly and whose report descriptor can be read.
    bool open(unsigned vendorId, unsigned productId);
    void close();
    bool isOpen() const { return handle_ != nullptr; }

    // Sizes of the open device's reports; all zero while none is open.
    const ReportLayout &layout() const { return layout_; }

    // Waits up to waitMs for one input report and copies layout().input.bytes
    // data bytes into buffer, padding a short report with zeros.
    bool read(unsigned char *buffer, int waitMs);
    // write sends layout().output.bytes and sendFeature layout().feature.bytes from
    // buffer, behind the report-ID byte that hidapi expects.
    bool write(const unsigned char *buffer);
    bool sendFeature(const unsigned char *buffer);

private:
    using SendFunction = int (*)(hid_device_ *, const unsigned char *, std::size_t);
    bool openPath(const char *path);
    bool send(SendFunction function, const ReportSize &report, const unsigned char *buffer);

    hid_device_ *handle_ = nullptr;
    ReportLayout layout_;
    std::vector<unsigned char> scratch_; // one report with its ID byte
};

} // namespace nolt::hid
