// Loading the HID access library by name: a library lacking an entry, and
// one whose reports are longer than the program's report buffers.

#include "link/HidDevice.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>

using namespace nolt;

TEST(HidLibrary, MissingLibraryOrEntryMeansNoDevice)
{
    EXPECT_EQ(loadHidLibrary("libNoSuchHidLibrary.so"), nullptr);
    EXPECT_EQ(loadHidLibrary(NOLT_HID_MISSING_ENTRY), nullptr) << "no setFeature: treated as missing";
    EXPECT_FALSE(checkHID(nullptr));
}

TEST(HidLibrary, ReportsLongerThanTheBuffersNeverOverrunThem)
{
    auto hid = loadHidLibrary(NOLT_HID_LONG_REPORTS);
    ASSERT_NE(hid, nullptr);
    void* self = dlopen(NOLT_HID_LONG_REPORTS, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(self, nullptr);
    auto setLength = reinterpret_cast<void (*)(int)>(dlsym(self, "oddSetReportLength"));
    auto lastWritten = reinterpret_cast<const unsigned char* (*)(int*)>(dlsym(self, "oddLastWritten"));
    setLength(1000);
    EXPECT_TRUE(checkHID(hid.get()));

    std::array<std::uint8_t, maxReportLength> buffer{};
    ASSERT_TRUE(hid->readData(buffer.data()));
    for (int i = 0; i < maxReportLength; ++i)
        ASSERT_EQ(buffer[i], i % 251) << "byte " << i;

    buffer.fill(0x5A);
    ASSERT_TRUE(hid->writeData(buffer.data()));
    int n = 0;
    const unsigned char* sent = lastWritten(&n);
    ASSERT_EQ(n, 1000);
    EXPECT_EQ(std::count(sent, sent + maxReportLength, 0x5A), maxReportLength);
    EXPECT_EQ(std::count(sent + maxReportLength, sent + n, 0), n - maxReportLength) << "zeros after the buffer";

    setLength(1 << 24); // beyond any real report: refused, not trusted
    EXPECT_FALSE(hid->readData(buffer.data()));
    EXPECT_FALSE(hid->writeData(buffer.data()));
    dlclose(self);
}
