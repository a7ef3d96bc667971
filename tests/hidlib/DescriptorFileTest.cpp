#include "DescriptorFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace nolt::hid;
using Bytes = std::vector<std::uint8_t>;

TEST(DescriptorFile, OnlyAHidrawNodeMapsToItsSysfsDescriptor)
{
    EXPECT_EQ(descriptorPathFor("/dev/hidraw3"), "/sys/class/hidraw/hidraw3/device/report_descriptor");
    EXPECT_EQ(descriptorPathFor("/dev/hidraw12", "/tmp/root"),
              "/tmp/root/class/hidraw/hidraw12/device/report_descriptor");
    for (const char *path : {"", "/dev/hidraw", "/dev/hidrawX", "/dev/hidraw1x", "/dev/usb/hiddev0",
                             "/dev/hidraw1/../../etc/passwd", "1-1:1.0"})
        EXPECT_EQ(descriptorPathFor(path), "") << path;
}

// Reads the bytes as stored up to the size limit; a missing file or a directory gives nothing.
TEST(DescriptorFile, ReadsTheStoredBytesUpToTheSizeLimit)
{
    const auto dir = std::filesystem::temp_directory_path() / ("nolt-hid-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "report_descriptor").string();
    Bytes bytes(maxDescriptorBytes + 100);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    for (const std::size_t size : {std::size_t{0}, std::size_t{9}, bytes.size()}) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), size);
        EXPECT_EQ(readDescriptorFile(path), Bytes(bytes.begin(), bytes.begin() + std::min(size, maxDescriptorBytes)));
    }
    EXPECT_FALSE(readDescriptorFile((dir / "absent").string()));
    EXPECT_FALSE(readDescriptorFile(dir.string()));
    EXPECT_FALSE(readDescriptorFile(""));
    std::filesystem::remove_all(dir);
}
