// The library as the program sees it: loaded by name, entries looked up by
// name, called while no device is open.

#include <gtest/gtest.h>

#include <array>
#include <dlfcn.h>

namespace {

struct Library {
    Library() : handle(dlopen("libAtUsbHid.so", RTLD_NOW)) {}
    ~Library()
    {
        if (handle)
            dlclose(handle);
    }
    template <typename F>
    F entry(const char *name) const
    {
        return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
    }
    void *handle;
};

using FindFn = int (*)(unsigned, unsigned);
using CloseFn = void (*)();
using ReadFn = int (*)(unsigned char *);
using WriteFn = int (*)(const unsigned char *);
using LengthFn = int (*)();

class NoDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(lib.handle, nullptr) << dlerror();
        find = lib.entry<FindFn>("findHidDevice");
        close = lib.entry<CloseFn>("closeDevice");
        read = lib.entry<ReadFn>("readData");
        write = lib.entry<WriteFn>("writeData");
        feature = lib.entry<WriteFn>("setFeature");
        inputLength = lib.entry<LengthFn>("getInputReportLength");
        outputLength = lib.entry<LengthFn>("getOutputReportLength");
        featureLength = lib.entry<LengthFn>("getFeatureReportLength");
        ASSERT_TRUE(find && close && read && write && feature && inputLength && outputLength &&
                    featureLength);
        close();
    }

    void expectNothingOpen()
    {
        EXPECT_EQ(inputLength(), 0);
        EXPECT_EQ(outputLength(), 0);
        EXPECT_EQ(featureLength(), 0);
        std::array<unsigned char, 64> buffer;
        buffer.fill(0x5A);
        EXPECT_EQ(read(buffer.data()), 0);
        EXPECT_EQ(buffer[0], 0x5A) << "readData wrote without a report";
        EXPECT_EQ(write(buffer.data()), 0);
        EXPECT_EQ(feature(buffer.data()), 0);
        EXPECT_EQ(read(nullptr), 0);
        EXPECT_EQ(write(nullptr), 0);
        EXPECT_EQ(feature(nullptr), 0);
    }

    Library lib;
    FindFn find = nullptr;
    CloseFn close = nullptr;
    ReadFn read = nullptr;
    WriteFn write = nullptr;
    WriteFn feature = nullptr;
    LengthFn inputLength = nullptr, outputLength = nullptr, featureLength = nullptr;
};

} // namespace

TEST_F(NoDevice, EveryCallReturnsZeroWhileNoDeviceIsOpen)
{
    expectNothingOpen(); // before any probe
    close();
    close(); // closing twice is harmless
    expectNothingOpen();
    // Ids wider than 16 bits name no USB device, whatever is attached.
    EXPECT_EQ(find(0x103EB, 0x2013), 0);
    EXPECT_EQ(find(0x03EB, 0x12013), 0);
    expectNothingOpen();
}

TEST_F(NoDevice, RepeatedProbesForAnAbsentDriverStayClean)
{
    // The program probes once a second while it waits for a device; each
    // probe enumerates the attached devices anew.
    for (int i = 0; i < 20; ++i) {
        if (find(0x03EB, 0x2013) != 0)
            GTEST_SKIP() << "an LED driver is attached to this machine";
    }
    expectNothingOpen();
}
