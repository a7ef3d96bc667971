#include "DescriptorFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

namespace nolt::hid {

std::string descriptorPathFor(std::string_view devicePath, std::string_view sysfsRoot)
{
    const std::size_t slash = devicePath.rfind('/');
    const std::string_view node =
        slash == std::string_view::npos ? devicePath : devicePath.substr(slash + 1);
    constexpr std::string_view prefix = "hidraw";
    if (node.size() <= prefix.size() || node.substr(0, prefix.size()) != prefix)
        return {};
    const std::string_view number = node.substr(prefix.size());
    if (!std::all_of(number.begin(), number.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return {};
    std::string path(sysfsRoot);
    path += "/class/hidraw/";
    path += node;
    path += "/device/report_descriptor";
    return path;
}

std::optional<std::vector<std::uint8_t>> readDescriptorFile(const std::string &path)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                                 &std::fclose);
    if (!file)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(maxDescriptorBytes);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t n = std::fread(bytes.data() + got, 1, bytes.size() - got, file.get());
        if (n == 0)
            break;
        got += n;
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

} // namespace nolt::hid
