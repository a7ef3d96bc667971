#include "HidrawDevice.h"

#include "DescriptorFile.h"

#include <hidapi.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace nolt::hid {
namespace {

constexpr unsigned maxUsbId = 0xFFFF;
// hidraw carries no report longer than this (the kernel's buffer less the ID).
constexpr int maxReportBytes = 16383;

// The kernel refuses descriptors like these, so they never come from a real
// device; the sizes read from them would not be trustworthy.
bool usable(const ReportLayout &layout)
{
    return !layout.malformed && layout.input.bytes <= maxReportBytes &&
           layout.output.bytes <= maxReportBytes && layout.feature.bytes <= maxReportBytes;
}

struct EnumerationDeleter {
    void operator()(hid_device_info *list) const { hid_free_enumeration(list); }
};

} // namespace

HidrawDevice::~HidrawDevice()
{
    close();
}

void HidrawDevice::close()
{
    if (handle_)
        hid_close(handle_);
    handle_ = nullptr;
    layout_ = ReportLayout{};
    scratch_.clear();
}

bool HidrawDevice::open(unsigned vendorId, unsigned productId)
{
    close();
    if (vendorId > maxUsbId || productId > maxUsbId || hid_init() != 0)
        return false;
    // hidapi takes 0 as "any": the exact comparison below keeps other
    // devices out.
    const std::unique_ptr<hid_device_info, EnumerationDeleter> list(
        hid_enumerate(static_cast<unsigned short>(vendorId), static_cast<unsigned short>(productId)));
    for (const hid_device_info *info = list.get(); info; info = info->next) {
        if (info->vendor_id == vendorId && info->product_id == productId && info->path &&
            openPath(info->path))
            return true;
    }
    return false;
}

bool HidrawDevice::openPath(const char *path)
{
    const auto descriptor = readDescriptorFile(descriptorPathFor(path));
    if (!descriptor)
        return false;
    const ReportLayout layout = parseReportDescriptor(*descriptor);
    if (!usable(layout))
        return false;
    hid_device *handle = hid_open_path(path);
    if (!handle)
        return false;
    handle_ = handle;
    layout_ = layout;
    const int longest = std::max({layout_.input.bytes, layout_.output.bytes, layout_.feature.bytes});
    scratch_.assign(static_cast<std::size_t>(longest) + 1, 0);
    return true;
}

bool HidrawDevice::read(unsigned char *buffer, int waitMs)
{
    const auto length = static_cast<std::size_t>(layout_.input.bytes);
    if (!handle_ || !buffer || length == 0)
        return false;
    // Without report IDs hidraw delivers the data alone, else behind the ID.
    const std::size_t idBytes = layout_.usesReportIds ? 1 : 0;
    const int got = hid_read_timeout(handle_, scratch_.data(), length + idBytes, waitMs);
    if (got <= 0 || static_cast<std::size_t>(got) <= idBytes)
        return false;
    const std::size_t data = std::min(static_cast<std::size_t>(got) - idBytes, length);
    std::memcpy(buffer, scratch_.data() + idBytes, data);
    std::memset(buffer + data, 0, length - data);
    return true;
}

bool HidrawDevice::send(SendFunction function, const ReportSize &report, const unsigned char *buffer)
{
    const auto length = static_cast<std::size_t>(report.bytes);
    if (!handle_ || !buffer || length == 0)
        return false;
    scratch_[0] = report.reportId;
    std::memcpy(scratch_.data() + 1, buffer, length);
    return function(handle_, scratch_.data(), length + 1) >= 0;
}

bool HidrawDevice::write(const unsigned char *buffer)
{
    return send(&hid_write, layout_.output, buffer);
}

bool HidrawDevice::sendFeature(const unsigned char *buffer)
{
    return send(&hid_send_feature_report, layout_.feature, buffer);
}

} // namespace nolt::hid
