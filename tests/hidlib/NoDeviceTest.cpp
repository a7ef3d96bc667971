// The library as the program sees it: loaded by name, entries looked up by name, called while no
// device is open.

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

struct NoDevice : ::testing::Test {
    void SetUp() override
    {
        ASSERT_NE(lib, nullptr) << dlerror();
        for (const char *name : {"findHidDevice", "closeDevice", "readData", "writeData", "setFeature",
                                 "getInputReportLength", "getOutputReportLength", "getFeatureReportLength"})
            ASSERT_NE(dlsym(lib, name), nullptr) << name;
        close();
    }
    void TearDown() override
    {
        if (lib)
            dlclose(lib);
    }

    template <typename F>
    F entry(const char *name) { return reinterpret_cast<F>(dlsym(lib, name)); }
    int find(unsigned vendor, unsigned product)
    {
        return entry<int (*)(unsigned, unsigned)>("findHidDevice")(vendor, product);
    }
    void close() { entry<void (*)()>("closeDevice")(); }

    void expectNothingOpen()
    {
        for (const char *name : {"getInputReportLength", "getOutputReportLength", "getFeatureReportLength"})
            EXPECT_EQ(entry<int (*)()>(name)(), 0) << name;
        unsigned char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), 0x5A);
        EXPECT_EQ(entry<int (*)(unsigned char *)>("readData")(buffer), 0);
        EXPECT_EQ(buffer[0], 0x5A) << "readData wrote without a report";
        EXPECT_EQ(entry<int (*)(unsigned char *)>("readData")(nullptr), 0);
        for (const char *name : {"writeData", "setFeature"}) {
            EXPECT_EQ(entry<int (*)(const unsigned char *)>(name)(buffer), 0) << name;
            EXPECT_EQ(entry<int (*)(const unsigned char *)>(name)(nullptr), 0) << name;
        }
    }

    void *lib = dlopen("libAtUsbHid.so", RTLD_NOW);
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

// The program probes once a second while it waits for a device; each probe enumerates the devices anew.
TEST_F(NoDevice, RepeatedProbesForAnAbsentDriverStayClean)
{
    for (int i = 0; i < 20; ++i) {
        if (find(0x03EB, 0x2013) != 0)
            GTEST_SKIP() << "an LED driver is attached to this machine";
    }
    expectNothingOpen();
}
