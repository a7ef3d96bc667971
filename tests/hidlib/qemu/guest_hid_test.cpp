// Runs inside the QEMU guest: plays an LED driver through /dev/uhid and
// drives it through libAtUsbHid.so, loaded by name the way the program
// loads it. Prints one line per check and a closing count.

#include "UhidDevice.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <thread>
#include <vector>

namespace {

using Packet = std::array<std::uint8_t, 8>;
using Clock = std::chrono::steady_clock;

constexpr unsigned vendorId = 0x03EB;
constexpr unsigned productId = 0x2013;
constexpr int pageBytes = 128;
constexpr int packetsPerPage = pageBytes / 8;

// Vendor page, 8-byte input and output reports, no report IDs.
const std::vector<std::uint8_t> driverDescriptor{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};

std::uint8_t initialByte(unsigned address)
{
    return static_cast<std::uint8_t>(address * 7 + (address >> 8) + 3);
}

// The LED driver: answers block reads and page writes from its 64 KiB.
class SimulatedDriver : public UhidDevice {
public:
    SimulatedDriver()
    {
        for (unsigned a = 0; a < memory_.size(); ++a)
            memory_[a] = initialByte(a);
    }
    ~SimulatedDriver() override { destroy(); }
    bool create() { return UhidDevice::create("LED driver (simulated)", vendorId, productId, driverDescriptor); }

    int outputReports() const { return outputs_; }
    int outputsWithoutIdByte() const { return badOutputs_; }

private:
    void input8(const std::uint8_t *bytes) { input(bytes, 8); }

    // uhid passes hidapi's leading report-ID byte along: 0 here, then 8 bytes.
    void onOutput(const std::uint8_t *data, unsigned size) override
    {
        ++outputs_;
        if (size != 9 || data[0] != 0) {
            ++badOutputs_;
            return;
        }
        const std::uint8_t *p = data + 1;
        if (packetsLeft_ > 0) {
            std::memcpy(&memory_[writeAddress_ + (packetsPerPage - packetsLeft_) * 8], p, 8);
            if (--packetsLeft_ == 0) {
                const std::uint8_t ack[8] = {0xC0, 0x33, static_cast<std::uint8_t>(writeAddress_),
                                             static_cast<std::uint8_t>(writeAddress_ >> 8), 0x01};
                input8(ack);
            }
            return;
        }
        if (p[0] != 0xAA || p[1] != 0x55 || p[3] != 0x10)
            return;
        const unsigned address = p[4] | (p[5] << 8);
        if (address + pageBytes > memory_.size())
            return;
        if (p[2] == 0xF2) {
            const std::uint8_t header[8] = {0xC0, 0x44, 0, 0, pageBytes, 0, 0, 0};
            input8(header);
            for (int i = 0; i < packetsPerPage; ++i)
                input8(&memory_[address + i * 8]);
        } else if (p[2] == 0xF1) {
            writeAddress_ = address;
            packetsLeft_ = packetsPerPage;
        }
    }

    std::array<std::uint8_t, 65536> memory_{};
    unsigned writeAddress_ = 0;
    int packetsLeft_ = 0;
    std::atomic<int> outputs_{0};
    std::atomic<int> badOutputs_{0};
};

// A device that numbers its reports: input 1 (8 bytes) and 2 (4 bytes),
// output 3 (8 bytes), feature 4 (2 bytes). It answers each output report
// with a short input report 2 and a full input report 1.
const std::vector<std::uint8_t> numberedDescriptor{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x85, 0x01, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02,
    0x85, 0x02, 0x95, 0x04, 0x09, 0x01, 0x81, 0x02,
    0x85, 0x03, 0x95, 0x08, 0x09, 0x01, 0x91, 0x02,
    0x85, 0x04, 0x95, 0x02, 0x09, 0x01, 0xB1, 0x02, 0xC0};

class NumberedDevice : public UhidDevice {
public:
    ~NumberedDevice() override { destroy(); }
    bool create() { return UhidDevice::create("numbered reports", vendorId, productId, numberedDescriptor); }

    std::vector<std::uint8_t> lastOutput() const { return copy(output_, outputSize_); }
    std::vector<std::uint8_t> lastFeature() const { return copy(feature_, featureSize_); }

private:
    static std::vector<std::uint8_t> copy(const std::array<std::uint8_t, 16> &bytes, unsigned size)
    {
        return {bytes.begin(), bytes.begin() + std::min<unsigned>(size, bytes.size())};
    }

    void onOutput(const std::uint8_t *data, unsigned size) override
    {
        std::memcpy(output_.data(), data, std::min<unsigned>(size, output_.size()));
        outputSize_ = size;
        if (size != 9)
            return;
        const std::uint8_t shortReport[5] = {0x02, data[1], data[2], data[3], data[4]};
        input(shortReport, sizeof shortReport);
        std::uint8_t fullReport[9] = {0x01};
        for (int i = 1; i < 9; ++i)
            fullReport[i] = static_cast<std::uint8_t>(~data[i]);
        input(fullReport, sizeof fullReport);
    }

    int onSetReport(unsigned reportNumber, const std::uint8_t *data, unsigned size) override
    {
        std::memcpy(feature_.data(), data, std::min<unsigned>(size, feature_.size()));
        featureSize_ = size;
        return reportNumber == 4 ? 0 : EIO;
    }

    // Written by the device thread before it sends its answer, read after it arrived.
    std::array<std::uint8_t, 16> output_{};
    std::atomic<unsigned> outputSize_{0};
    std::array<std::uint8_t, 16> feature_{};
    std::atomic<unsigned> featureSize_{0};
};

// The library's entries, looked up by name.
struct AtUsbHid {
    int (*findHidDevice)(unsigned, unsigned) = nullptr;
    void (*closeDevice)() = nullptr;
    int (*readData)(unsigned char *) = nullptr;
    int (*writeData)(const unsigned char *) = nullptr;
    int (*setFeature)(const unsigned char *) = nullptr;
    int (*getInputReportLength)() = nullptr;
    int (*getOutputReportLength)() = nullptr;
    int (*getFeatureReportLength)() = nullptr;

    bool load()
    {
        void *lib = dlopen("libAtUsbHid.so", RTLD_NOW);
        if (!lib) {
            std::printf("dlopen: %s\n", dlerror());
            return false;
        }
        bind(lib, findHidDevice, "findHidDevice");
        bind(lib, closeDevice, "closeDevice");
        bind(lib, readData, "readData");
        bind(lib, writeData, "writeData");
        bind(lib, setFeature, "setFeature");
        bind(lib, getOutputReportLength, "getOutputReportLength");
        bind(lib, getInputReportLength, "getInputReportLength");
        bind(lib, getFeatureReportLength, "getFeatureReportLength");
        return findHidDevice && closeDevice && readData && writeData && setFeature &&
               getInputReportLength && getOutputReportLength && getFeatureReportLength;
    }

    template <typename F>
    static void bind(void *lib, F &entry, const char *name)
    {
        entry = reinterpret_cast<F>(dlsym(lib, name));
    }
};

int passed = 0;
int failed = 0;

void check(bool ok, const char *what)
{
    std::printf("%s - %s\n", ok ? "ok" : "not ok", what);
    ++(ok ? passed : failed);
}

bool waitFor(const AtUsbHid &hid, bool present)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if ((hid.findHidDevice(vendorId, productId) != 0) == present)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Collects reports the way the program's 50 ms timer does, only faster.
std::vector<Packet> collect(const AtUsbHid &hid, std::size_t count)
{
    std::vector<Packet> reports;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (reports.size() < count && Clock::now() < deadline) {
        Packet p;
        p.fill(0xEE); // shows bytes that readData left alone
        if (hid.readData(p.data()))
            reports.push_back(p);
    }
    return reports;
}

bool readBlock(const AtUsbHid &hid, unsigned address, std::vector<std::uint8_t> &block)
{
    const std::uint8_t request[8] = {0xAA, 0x55, 0xF2, 0x10, static_cast<std::uint8_t>(address),
                                     static_cast<std::uint8_t>(address >> 8), 0, 0};
    if (!hid.writeData(request))
        return false;
    const std::vector<Packet> reports = collect(hid, 1 + packetsPerPage);
    const Packet header{0xC0, 0x44, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00};
    if (reports.size() != 1 + packetsPerPage || reports[0] != header)
        return false;
    block.clear();
    for (std::size_t i = 1; i < reports.size(); ++i)
        block.insert(block.end(), reports[i].begin(), reports[i].end());
    return true;
}

// The program's page write: request, one discarded read, 16 packets, then
// up to 201 rounds of 5 ms looking for the acknowledgement.
bool writePage(const AtUsbHid &hid, unsigned address, const std::vector<std::uint8_t> &page)
{
    const std::uint8_t request[8] = {0xAA, 0x55, 0xF1, 0x10, static_cast<std::uint8_t>(address),
                                     static_cast<std::uint8_t>(address >> 8), 0, 0};
    hid.writeData(request);
    unsigned char discard[8];
    hid.readData(discard);
    for (int i = 0; i < packetsPerPage; ++i)
        hid.writeData(&page[i * 8]);
    for (int round = 0; round < 201; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        unsigned char reply[8] = {};
        if (hid.readData(reply) && reply[0] == 0xC0 && reply[1] == 0x33)
            return reply[4] == 1 && reply[2] == (address & 0xFF) && reply[3] == (address >> 8);
    }
    return false;
}

void runDriverChecks(const AtUsbHid &hid, SimulatedDriver &driver)
{
    check(waitFor(hid, true), "findHidDevice finds the driver");
    check(hid.getInputReportLength() == 8, "input report length 8");
    check(hid.getOutputReportLength() == 8, "output report length 8");
    check(hid.getFeatureReportLength() == 0, "no feature report");

    unsigned char none[8];
    const auto start = Clock::now();
    const int got = hid.readData(none);
    const auto waited = Clock::now() - start;
    check(got == 0 && waited < std::chrono::milliseconds(500), "readData returns 0 at once when idle");

    check(hid.findHidDevice(0, 0) == 0, "ids 0:0 match nothing");
    check(hid.getInputReportLength() == 0, "a failed probe closes the device");
    check(hid.findHidDevice(vendorId, productId + 1) == 0, "another product is not taken");
    check(hid.findHidDevice(vendorId, productId) == 1, "a new probe opens the driver again");

    std::vector<std::uint8_t> block;
    bool ok = readBlock(hid, 0xFF80, block);
    for (int i = 0; ok && i < pageBytes; ++i)
        ok = block[i] == initialByte(0xFF80 + i);
    check(ok, "control block read: header and 16 packets in order");

    std::vector<std::uint8_t> page(pageBytes);
    for (int i = 0; i < pageBytes; ++i)
        page[i] = static_cast<std::uint8_t>(0xFF - i);
    check(writePage(hid, 0x0100, page), "page write acknowledged with C0 33 00 01 01");
    check(readBlock(hid, 0x0100, block) && block == page, "the written page reads back unchanged");
    check(driver.outputReports() == 1 + (1 + packetsPerPage) + 1 &&
              driver.outputsWithoutIdByte() == 0,
          "every output report came as report-ID byte 0 and 8 data bytes");

    check(hid.readData(nullptr) == 0 && hid.writeData(nullptr) == 0, "null buffers are refused");
    check(hid.setFeature(page.data()) == 0, "setFeature without feature reports sends nothing");

    hid.closeDevice();
    check(hid.getOutputReportLength() == 0 && hid.writeData(page.data()) == 0,
          "closeDevice leaves nothing open");

    check(hid.findHidDevice(vendorId, productId) == 1, "found again after closeDevice");
    driver.destroy();
    unsigned char after[8];
    const int readAfter = hid.readData(after);
    const int writeAfter = hid.writeData(page.data());
    check(readAfter == 0 && writeAfter == 0, "reads and writes fail once the driver is unplugged");
    check(waitFor(hid, false), "findHidDevice no longer finds the unplugged driver");
}

void runNumberedChecks(const AtUsbHid &hid, NumberedDevice &device)
{
    check(waitFor(hid, true), "a device with numbered reports is found");
    check(hid.getInputReportLength() == 8 && hid.getOutputReportLength() == 8 &&
              hid.getFeatureReportLength() == 2,
          "numbered reports: the longest input, output and feature report count");

    const std::uint8_t data[8] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    check(hid.writeData(data) == 1, "writeData sends a numbered output report");
    const std::vector<Packet> reports = collect(hid, 2);
    check(device.lastOutput() == std::vector<std::uint8_t>{0x03, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17},
          "the output report goes out behind its report ID 3");
    const Packet shortReport{0x10, 0x11, 0x12, 0x13, 0, 0, 0, 0};
    const Packet fullReport{0xEF, 0xEE, 0xED, 0xEC, 0xEB, 0xEA, 0xE9, 0xE8};
    check(reports.size() == 2 && reports[0] == shortReport && reports[1] == fullReport,
          "input reports arrive without their ID byte, a short one padded with zeros");

    const std::uint8_t feature[2] = {0x5A, 0xA5};
    check(hid.setFeature(feature) == 1 &&
              device.lastFeature() == std::vector<std::uint8_t>{0x04, 0x5A, 0xA5},
          "the feature report goes out behind its report ID 4");
}

} // namespace

int main()
{
    setvbuf(stdout, nullptr, _IOLBF, 0);
    AtUsbHid hid;
    if (!hid.load()) {
        check(false, "libAtUsbHid.so loaded with its eight entries");
    } else {
        SimulatedDriver driver;
        if (driver.create())
            runDriverChecks(hid, driver);
        else
            check(false, "uhid device created");
        driver.destroy();
        NumberedDevice numbered;
        if (numbered.create())
            runNumberedChecks(hid, numbered);
        else
            check(false, "second uhid device created");
    }
    std::printf("NOLT-QEMU-RESULT passed=%d failed=%d\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
