// Runs inside the QEMU guest: plays an LED driver through /dev/uhid and
// drives it through libAtUsbHid.so, loaded by name the way the program
// loads it. Prints one line per check and a closing count.

#include <linux/uhid.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Packet = std::array<std::uint8_t, 8>;
using Clock = std::chrono::steady_clock;

constexpr unsigned vendorId = 0x03EB;
constexpr unsigned productId = 0x2013;
constexpr int pageBytes = 128;
constexpr int packetsPerPage = pageBytes / 8;

// Vendor page, 8-byte input and output reports, no report IDs.
const std::uint8_t driverDescriptor[] = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};

std::uint8_t initialByte(unsigned address)
{
    return static_cast<std::uint8_t>(address * 7 + (address >> 8) + 3);
}

// The device end: answers block reads and page writes from its 64 KiB.
class SimulatedDriver {
public:
    bool create()
    {
        for (unsigned a = 0; a < memory_.size(); ++a)
            memory_[a] = initialByte(a);
        fd_ = open("/dev/uhid", O_RDWR | O_CLOEXEC);
        if (fd_ < 0)
            return false;
        uhid_event ev{};
        ev.type = UHID_CREATE2;
        std::snprintf(reinterpret_cast<char *>(ev.u.create2.name), sizeof ev.u.create2.name,
                      "LED driver (simulated)");
        std::memcpy(ev.u.create2.rd_data, driverDescriptor, sizeof driverDescriptor);
        ev.u.create2.rd_size = sizeof driverDescriptor;
        ev.u.create2.bus = 0x03; // USB
        ev.u.create2.vendor = vendorId;
        ev.u.create2.product = productId;
        if (!send(ev))
            return false;
        thread_ = std::thread([this] { run(); });
        return true;
    }

    void destroy()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (fd_ >= 0) {
            uhid_event ev{};
            ev.type = UHID_DESTROY;
            send(ev);
            close(fd_);
        }
        fd_ = -1;
    }

    int outputReports() const { return outputs_; }
    int outputsWithoutIdByte() const { return badOutputs_; }

private:
    bool send(const uhid_event &ev) { return write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev); }

    void input(const std::uint8_t *bytes)
    {
        uhid_event ev{};
        ev.type = UHID_INPUT2;
        ev.u.input2.size = 8;
        std::memcpy(ev.u.input2.data, bytes, 8);
        send(ev);
    }

    void run()
    {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            uhid_event ev{};
            if (read(fd_, &ev, sizeof ev) <= 0)
                continue;
            if (ev.type == UHID_OUTPUT) {
                handleOutput(ev.u.output.data, ev.u.output.size);
            } else if (ev.type == UHID_GET_REPORT) {
                uhid_event reply{};
                reply.type = UHID_GET_REPORT_REPLY;
                reply.u.get_report_reply.id = ev.u.get_report.id;
                reply.u.get_report_reply.err = 5; // EIO: no feature reports
                send(reply);
            } else if (ev.type == UHID_SET_REPORT) {
                uhid_event reply{};
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = ev.u.set_report.id;
                reply.u.set_report_reply.err = 5;
                send(reply);
            }
        }
    }

    // uhid passes hidapi's leading report-ID byte along: 0 here, then 8 bytes.
    void handleOutput(const std::uint8_t *data, unsigned size)
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
                input(ack);
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
            input(header);
            for (int i = 0; i < packetsPerPage; ++i)
                input(&memory_[address + i * 8]);
        } else if (p[2] == 0xF1) {
            writeAddress_ = address;
            packetsLeft_ = packetsPerPage;
        }
    }

    int fd_ = -1;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::array<std::uint8_t, 65536> memory_{};
    unsigned writeAddress_ = 0;
    int packetsLeft_ = 0;
    std::atomic<int> outputs_{0};
    std::atomic<int> badOutputs_{0};
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
        Packet p{};
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

void runChecks(const AtUsbHid &hid, SimulatedDriver &driver)
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

} // namespace

int main()
{
    setvbuf(stdout, nullptr, _IOLBF, 0);
    SimulatedDriver driver;
    AtUsbHid hid;
    if (!driver.create()) {
        std::printf("cannot create the uhid device: %s\n", std::strerror(errno));
        check(false, "uhid device created");
    } else if (!hid.load()) {
        check(false, "libAtUsbHid.so loaded with its eight entries");
    } else {
        runChecks(hid, driver);
    }
    driver.destroy();
    std::printf("NOLT-QEMU-RESULT passed=%d failed=%d\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
