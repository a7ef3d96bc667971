#include "link/HidDevice.h"

#include <dlfcn.h>

namespace nolt {

namespace {

// The library's C ABI; every Boolean is an int.
struct Entries {
    int (*findHidDevice)(unsigned, unsigned) = nullptr;
    void (*closeDevice)() = nullptr;
    int (*readData)(unsigned char*) = nullptr;
    int (*writeData)(const unsigned char*) = nullptr;
    int (*setFeature)(const unsigned char*) = nullptr;
    int (*getOutputReportLength)() = nullptr;
    int (*getInputReportLength)() = nullptr;
    int (*getFeatureReportLength)() = nullptr;
};

class LoadedLibrary final : public HidDevice {
public:
    LoadedLibrary(void* handle, const Entries& e) : handle_(handle), e_(e) {}
    // The library stays loaded for the whole run, like any other module the
    // program depends on; unloading it under a live device buys nothing.

    bool findHidDevice(unsigned v, unsigned p) override { return e_.findHidDevice(v, p) != 0; }
    void closeDevice() override { e_.closeDevice(); }
    bool readData(std::uint8_t* b) override { return e_.readData(b) != 0; }
    bool writeData(const std::uint8_t* b) override { return e_.writeData(b) != 0; }
    bool setFeature(const std::uint8_t* b) override { return e_.setFeature(b) != 0; }
    int getInputReportLength() override { return e_.getInputReportLength(); }
    int getOutputReportLength() override { return e_.getOutputReportLength(); }
    int getFeatureReportLength() override { return e_.getFeatureReportLength(); }

private:
    void* handle_;
    Entries e_;
};

template <typename F>
bool bind(void* handle, const char* name, F& target)
{
    target = reinterpret_cast<F>(dlsym(handle, name));
    return target != nullptr;
}

} // namespace

std::unique_ptr<HidDevice> loadHidLibrary(const std::string& name)
{
    void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    Entries e;
    // A library that lacks any entry is treated as missing: calling an
    // unbound entry would crash the program.
    const bool complete = bind(handle, "findHidDevice", e.findHidDevice)
        && bind(handle, "closeDevice", e.closeDevice) && bind(handle, "readData", e.readData)
        && bind(handle, "writeData", e.writeData) && bind(handle, "setFeature", e.setFeature)
        && bind(handle, "getOutputReportLength", e.getOutputReportLength)
        && bind(handle, "getInputReportLength", e.getInputReportLength)
        && bind(handle, "getFeatureReportLength", e.getFeatureReportLength);
    if (!complete) {
        dlclose(handle);
        return nullptr;
    }
    return std::make_unique<LoadedLibrary>(handle, e);
}

bool checkHID(HidDevice* hid)
{
    return hid && hid->findHidDevice(hidVendorId, hidProductId);
}

} // namespace nolt
