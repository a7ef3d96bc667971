#include "DescriptorFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using nolt::hid::descriptorPathFor;
using nolt::hid::maxDescriptorBytes;
using nolt::hid::readDescriptorFile;

namespace fs = std::filesystem;

TEST(DescriptorFile, OnlyAHidrawNodeMapsToItsSysfsDescriptor)
{
    EXPECT_EQ(descriptorPathFor("/dev/hidraw3"), "/sys/class/hidraw/hidraw3/device/report_descriptor");
    EXPECT_EQ(descriptorPathFor("/dev/hidraw12", "/tmp/root"),
              "/tmp/root/class/hidraw/hidraw12/device/report_descriptor");
    for (const char *path : {"", "/dev/hidraw", "/dev/hidrawX", "/dev/hidraw1x", "/dev/usb/hiddev0",
                             "/dev/hidraw1/../../etc/passwd", "1-1:1.0"})
        EXPECT_EQ(descriptorPathFor(path), "") << path;
}

class DescriptorFileRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("nolt-hid-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::vector<std::uint8_t> &bytes)
    {
        const fs::path path = dir_ / "report_descriptor";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    fs::path dir_;
};

TEST_F(DescriptorFileRead, ReadsTheBytesAsStoredUpToTheSizeLimit)
{
    std::vector<std::uint8_t> bytes(maxDescriptorBytes + 100);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    EXPECT_EQ(readDescriptorFile(write({})), std::vector<std::uint8_t>{});
    EXPECT_EQ(readDescriptorFile(write({bytes.begin(), bytes.begin() + 9})),
              std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 9));
    EXPECT_EQ(readDescriptorFile(write(bytes)),
              std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + maxDescriptorBytes));
}

TEST_F(DescriptorFileRead, MissingFileOrDirectoryGivesNothing)
{
    EXPECT_FALSE(readDescriptorFile((dir_ / "absent").string()));
    EXPECT_FALSE(readDescriptorFile(dir_.string()));
    EXPECT_FALSE(readDescriptorFile(""));
}
