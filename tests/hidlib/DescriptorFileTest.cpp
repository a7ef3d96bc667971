#include "DescriptorFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace nolt::hid;

// Only a hidraw node maps to its sysfs descriptor. The bytes are read as stored up to the size limit; a missing
// file or a directory gives nothing.
TEST(DescriptorFile, OnlyAHidrawNodeIsReadAndOnlyUpToTheSizeLimit)
{
    EXPECT_EQ(descriptorPathFor("/dev/hidraw12", "/r"), "/r/class/hidraw/hidraw12/device/report_descriptor");
    for (const char *path : {"", "/dev/hidraw", "/dev/hidrawX", "/dev/hidraw1x", "/dev/usb/hiddev0",
                             "/dev/hidraw1/../../etc/passwd", "1-1:1.0"})
        EXPECT_EQ(descriptorPathFor(path), "") << path;

    const auto dir = std::filesystem::temp_directory_path() / ("nolt-hid-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "report_descriptor").string();
    std::vector<std::uint8_t> bytes(maxDescriptorBytes + 100);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    for (const std::size_t size : {std::size_t{0}, std::size_t{9}, bytes.size()}) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), size);
        const std::size_t stored = std::min(size, maxDescriptorBytes);
        EXPECT_EQ(readDescriptorFile(path), decltype(bytes)(bytes.begin(), bytes.begin() + stored));
    }
    EXPECT_FALSE(readDescriptorFile((dir / "absent").string()) || readDescriptorFile(dir.string()));
    std::filesystem::remove_all(dir);
}
