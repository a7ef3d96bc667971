#pragma once
// Where the kernel shows a hidraw device's report descriptor, and reading it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nolt::hid {

// "/dev/hidraw3" -> "<sysfsRoot>/class/hidraw/hidraw3/device/report_descriptor".
// Empty when the path does not name a hidraw node.
std::string descriptorPathFor(std::string_view devicePath, std::string_view sysfsRoot = "/sys");

// The file's bytes, at most maxDescriptorBytes of them; nothing when it
// cannot be opened or read.
inline constexpr std::size_t maxDescriptorBytes = 65536;
std::optional<std::vector<std::uint8_t>> readDescriptorFile(const std::string &path);

} // namespace nolt::hid
