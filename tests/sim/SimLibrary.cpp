// The simulated device as the HID access library libAtUsbHid.so, for
// end-to-end tests of the real program. The program loads it by name when
// LD_LIBRARY_PATH names its folder. Its knobs are environment variables:
//
//   NOLT_SIM_MODE=driver|stick|absent  what sits behind the port (default driver)
//   NOLT_SIM_MEMORY=<file>        the driver's 64 KiB memory, kept across the
//                                 program's self-restart (behind a stick: the
//                                 driver's 256 bytes)
//   NOLT_SIM_FAULT=<list>         faults, see parseDriverFaults (behind a stick:
//                                 parseStickFaults)
//   NOLT_SIM_STICK_ID=<8 hex>     the stick's device number (default 12345678)
//   NOLT_SIM_STICK_FW=<0..255>    its firmware minor version, 255 unknown (default 72)
//   NOLT_SIM_PLUGGED=<file>       the device is present only while this file exists
//   NOLT_SIM_LOG=<file>           every probe and report appended as a line:
//                                 "<pid> find 0|1", "<pid> out <hex>", "<pid> in <hex>"

#include "AtUsbHid.h"
#include "sim/DriverModel.h"
#include "sim/StickModel.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace nolt::sim;

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct SimSetup {
    std::unique_ptr<DeviceModel> model; // none: no device behind the port
    int inputLength = 8;
    int outputLength = 8;
};

// Reads a whole number in this base, digits only, within [0, most].
bool readKnob(const std::string& text, int base, long most, long& value)
{
    if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, base);
    return *end == '\0' && value >= 0 && value <= most;
}

void ignored(const char* knob, const std::string& what)
{
    if (!what.empty())
        std::fprintf(stderr, "libAtUsbHid (simulated): ignored %s: %s\n", knob, what.c_str());
}

std::unique_ptr<DeviceModel> makeDriver()
{
    auto driver = std::make_unique<DriverModel>(env("NOLT_SIM_MEMORY"));
    std::string rejected;
    driver->faults = parseDriverFaults(env("NOLT_SIM_FAULT"), &rejected);
    ignored("NOLT_SIM_FAULT items", rejected);
    return driver;
}

std::unique_ptr<DeviceModel> makeStick()
{
    auto stick = std::make_unique<StickModel>(env("NOLT_SIM_MEMORY"));
    std::string rejected;
    stick->faults = parseStickFaults(env("NOLT_SIM_FAULT"), &rejected);
    ignored("NOLT_SIM_FAULT items", rejected);
    long value = 0;
    const std::string id = env("NOLT_SIM_STICK_ID");
    if (id.size() == 8 && readKnob(id, 16, 0xFFFFFFFF, value))
        for (int i = 0; i < 4; ++i)
            stick->deviceNr[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    else
        ignored("NOLT_SIM_STICK_ID", id);
    const std::string fw = env("NOLT_SIM_STICK_FW");
    if (readKnob(fw, 10, 255, value))
        stick->fwVersion = static_cast<std::uint8_t>(value);
    else
        ignored("NOLT_SIM_STICK_FW", fw);
    return stick;
}

// One line per kind of device.
SimSetup makeSetup(const std::string& mode)
{
    if (mode.empty() || mode == "driver")
        return {makeDriver(), 8, 8};
    if (mode == "stick")
        return {makeStick(), 64, 64};
    return {}; // "absent", and any name not known here
}

class Library {
public:
    Library() : log_(env("NOLT_SIM_LOG")), plugged_(env("NOLT_SIM_PLUGGED"))
    {
        SimSetup setup = makeSetup(env("NOLT_SIM_MODE"));
        const bool present = setup.model != nullptr;
        device_ = std::make_unique<SimDevice>(std::move(setup.model), setup.inputLength, setup.outputLength);
        device_->present = present;
        present_ = present;
    }

    SimDevice& device() { return *device_; }

    bool find(unsigned vendorId, unsigned productId)
    {
        if (!plugged_.empty())
            device_->present = present_ && access(plugged_.c_str(), F_OK) == 0;
        const bool found = device_->findHidDevice(vendorId, productId);
        note("find", found ? "1" : "0");
        return found;
    }

    void note(const char* what, const unsigned char* bytes, int count)
    {
        std::string hex;
        for (int i = 0; i < count; ++i) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
            hex += digits;
        }
        note(what, hex.c_str());
    }

private:
    void note(const char* what, const char* text)
    {
        if (log_.empty())
            return;
        if (std::FILE* f = std::fopen(log_.c_str(), "a")) {
            std::fprintf(f, "%ld %s %s\n", static_cast<long>(getpid()), what, text);
            std::fclose(f);
        }
    }

    std::unique_ptr<SimDevice> device_;
    std::string log_;
    std::string plugged_;
    bool present_ = false;
};

Library& library()
{
    static Library instance;
    return instance;
}

} // namespace

extern "C" {

int findHidDevice(unsigned vendorId, unsigned productId)
{
    return library().find(vendorId, productId) ? 1 : 0;
}

void closeDevice(void) {}

int readData(unsigned char* buffer)
{
    SimDevice& d = library().device();
    if (!d.readData(buffer)) {
        library().note("idle", buffer, 0); // a poll that found nothing: the program's progress shows
        return 0;
    }
    library().note("in", buffer, d.inputLength());
    return 1;
}

int writeData(const unsigned char* buffer)
{
    SimDevice& d = library().device();
    library().note("out", buffer, d.outputLength());
    return d.writeData(buffer) ? 1 : 0;
}

int setFeature(const unsigned char* buffer)
{
    return library().device().setFeature(buffer) ? 1 : 0;
}

int getInputReportLength(void)
{
    return library().device().inputLength();
}

int getOutputReportLength(void)
{
    return library().device().outputLength();
}

int getFeatureReportLength(void)
{
    return library().device().featureLength;
}

} // extern "C"
