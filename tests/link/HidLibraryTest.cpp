// Loading the HID access library by name: a missing library or entry means no device; reports longer than the
// program's report buffer are taken in full and kept in part, on the way in and out.

#include "link/DriverLink.h"
#include "link/HidDevice.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace nolt;

TEST(HidLibrary, LongReportsThroughTheLoadedLibraryStayInTheirBuffers)
{
    EXPECT_EQ(loadHidLibrary("libNoSuchHidLibrary.so"), nullptr);
    EXPECT_EQ(loadHidLibrary(NOLT_HID_MISSING_ENTRY), nullptr) << "no setFeature: treated as missing";
    EXPECT_EQ(dlopen(NOLT_HID_MISSING_ENTRY, RTLD_NOW | RTLD_NOLOAD), nullptr) << "and not kept loaded";
    EXPECT_FALSE(checkHID(nullptr));
    auto hid = loadHidLibrary(NOLT_HID_LONG_REPORTS);
    ASSERT_NE(hid, nullptr);
    void* self = dlopen(NOLT_HID_LONG_REPORTS, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(self, nullptr);
    reinterpret_cast<void (*)(int)>(dlsym(self, "oddSetReportLength"))(1000);
    auto lastWritten = reinterpret_cast<const unsigned char* (*)(int*)>(dlsym(self, "oddLastWritten"));
    test::ScriptedPlatform platform;
    DriverLink link(platform, hid.get());
    ASSERT_TRUE(link.checkHID());
    link.readReportLengths();
    ASSERT_TRUE(link.receiveReport());
    for (int i = 0; i < maxReportLength; ++i)
        ASSERT_EQ(link.dataBuffer[i], i % 251) << "byte " << i;
    link.dataBuffer.fill(0x5A);
    link.sendReport();
    int n = 0;
    const unsigned char* sent = lastWritten(&n);
    ASSERT_EQ(n, 1000);
    EXPECT_EQ(std::count(sent, sent + maxReportLength, 0x5A), maxReportLength);
    EXPECT_EQ(std::count(sent + maxReportLength, sent + n, 0), n - maxReportLength) << "zeros after the buffer";
    dlclose(self);
}
