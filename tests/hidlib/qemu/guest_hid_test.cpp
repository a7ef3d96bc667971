// Runs inside the QEMU guest: makes HID devices through /dev/uhid (the kernel gives each a hidraw
// node like a plugged-in USB device) and drives them through libAtUsbHid.so, loaded by name the way
// the program loads it. Prints one line per check and a closing count.

#include <linux/uhid.h>

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

using Bytes = std::vector<std::uint8_t>;
using Reports = std::vector<Bytes>;
using Clock = std::chrono::steady_clock;
constexpr unsigned vendorId = 0x03EB, productId = 0x2013;

// A uhid device. Its thread keeps every output report and the last feature report as uhid hands
// them over (report-ID byte first, 0 without IDs), answers each output report with the input
// reports `answer` gives, and takes feature report 4 only.
class Device {
public:
    Device(const Bytes &descriptor, Reports (*answer)(const Bytes &)) : answer_(answer)
    {
        uhid_event ev{};
        ev.type = UHID_CREATE2;
        std::strcpy(reinterpret_cast<char *>(ev.u.create2.name), "nolt test device");
        std::memcpy(ev.u.create2.rd_data, descriptor.data(), descriptor.size());
        ev.u.create2.rd_size = static_cast<std::uint16_t>(descriptor.size());
        ev.u.create2.bus = 0x03; // USB
        ev.u.create2.vendor = vendorId;
        ev.u.create2.product = productId;
        created = fd_ >= 0 && send(ev);
        if (created)
            thread_ = std::thread([this] { run(); });
    }
    ~Device() { unplug(); }

    void unplug()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        uhid_event ev{};
        ev.type = UHID_DESTROY;
        if (fd_ >= 0 && !send(ev))
            std::printf("uhid: the device was not destroyed\n");
        close(fd_);
        fd_ = -1;
    }
    Reports outputs()
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        return outputs_;
    }
    Bytes feature()
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        return feature_;
    }

    bool created = false;

private:
    bool send(const uhid_event &ev) { return write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev); }

    void run()
    {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            uhid_event ev{}, reply{};
            if (poll(&p, 1, 50) <= 0 || read(fd_, &ev, sizeof ev) <= 0)
                continue;
            if (ev.type == UHID_OUTPUT) {
                const Bytes report(ev.u.output.data, ev.u.output.data + ev.u.output.size);
                mutex_.lock();
                outputs_.push_back(report);
                mutex_.unlock();
                reply.type = UHID_INPUT2;
                for (const Bytes &input : answer_(report)) {
                    reply.u.input2.size = static_cast<std::uint16_t>(input.size());
                    std::memcpy(reply.u.input2.data, input.data(), input.size());
                    send(reply);
                }
            } else if (ev.type == UHID_SET_REPORT) {
                mutex_.lock();
                feature_.assign(ev.u.set_report.data, ev.u.set_report.data + ev.u.set_report.size);
                mutex_.unlock();
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = ev.u.set_report.id;
                reply.u.set_report_reply.err = ev.u.set_report.rnum == 4 ? 0 : EIO;
                send(reply);
            }
        }
    }

    Reports (*answer_)(const Bytes &);
    int fd_ = open("/dev/uhid", O_RDWR | O_CLOEXEC);
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    Reports outputs_;
    Bytes feature_;
};

// The LED driver: vendor page, 8-byte input and output reports, no report IDs. It answers an output
// report with 16 input reports: its 8 bytes, the first plus 0, 1, ..., 15.
const Bytes driverDescriptor{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                             0x08, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
Reports driverAnswer(const Bytes &output)
{
    Reports inputs(output.size() == 9 ? 16 : 0, Bytes(output.begin() + 1, output.end()));
    for (std::size_t k = 0; k < inputs.size(); ++k)
        inputs[k][0] = static_cast<std::uint8_t>(inputs[k][0] + k);
    return inputs;
}

// Numbered reports: input 1 (8 bytes) and 2 (4 bytes), output 3 (8 bytes), feature 4 (2 bytes).
// An output report is answered with a short input report 2 and a full input report 1.
const Bytes numberedDescriptor{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x85, 0x01, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0x85, 0x02, 0x95, 0x04, 0x09, 0x01, 0x81, 0x02,
    0x85, 0x03, 0x95, 0x08, 0x09, 0x01, 0x91, 0x02, 0x85, 0x04, 0x95, 0x02, 0x09, 0x01, 0xB1, 0x02, 0xC0};
Reports numberedAnswer(const Bytes &o)
{
    if (o.size() != 9)
        return {};
    return {{0x02, o[1], o[2], o[3], o[4]}, {0x01, 0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xFA, 0xF9, 0xF8}};
}

// The library's entries, looked up by name.
struct Library {
    template <typename F>
    F entry(const char *name) const { return lib ? reinterpret_cast<F>(dlsym(lib, name)) : nullptr; }

    void *lib = dlopen("libAtUsbHid.so", RTLD_NOW);
    int (*find)(unsigned, unsigned) = entry<int (*)(unsigned, unsigned)>("findHidDevice");
    void (*closeDevice)() = entry<void (*)()>("closeDevice");
    int (*read)(unsigned char *) = entry<int (*)(unsigned char *)>("readData");
    int (*write)(const unsigned char *) = entry<int (*)(const unsigned char *)>("writeData");
    int (*setFeature)(const unsigned char *) = entry<int (*)(const unsigned char *)>("setFeature");
    int (*inputLength)() = entry<int (*)()>("getInputReportLength");
    int (*outputLength)() = entry<int (*)()>("getOutputReportLength");
    int (*featureLength)() = entry<int (*)()>("getFeatureReportLength");
    bool loaded() const
    {
        return find && closeDevice && read && write && setFeature && inputLength && outputLength && featureLength;
    }
};

int passed = 0, failed = 0;

void check(bool ok, const char *what)
{
    std::printf("%s - %s\n", ok ? "ok" : "not ok", what);
    ++(ok ? passed : failed);
}

bool waitFor(const Library &hid, bool present)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if ((hid.find(vendorId, productId) != 0) == present)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Reads until `count` reports came or 10 s passed; 0xEE shows bytes that readData left alone.
Reports collect(const Library &hid, std::size_t count)
{
    Reports reports;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    for (Bytes p(8, 0xEE); reports.size() < count && Clock::now() < deadline; p.assign(8, 0xEE))
        if (hid.read(p.data()))
            reports.push_back(p);
    return reports;
}

void driverChecks(const Library &hid, Device &driver)
{
    check(waitFor(hid, true), "findHidDevice finds the driver");
    check(hid.inputLength() == 8 && hid.outputLength() == 8 && hid.featureLength() == 0,
          "report lengths from the descriptor: input 8, output 8, no feature report");
    unsigned char buffer[8];
    const auto start = Clock::now();
    check(hid.read(buffer) == 0 && Clock::now() - start < std::chrono::milliseconds(500),
          "readData returns 0 at once when idle");
    check(hid.find(0, 0) == 0 && hid.inputLength() == 0, "ids 0:0 match nothing; a failed probe closes the device");
    check(hid.find(vendorId, productId + 1) == 0, "another product is not taken");
    check(hid.find(vendorId, productId) == 1, "a new probe opens the driver again");

    Reports sent, expected;
    for (std::uint8_t first : {0x10, 0x80, 0xF0}) {
        const Bytes data{first, 1, 2, 3, 4, 5, 6, 0xFF};
        check(hid.write(data.data()) == 1, "writeData sends an 8-byte report");
        sent.push_back({0x00, first, 1, 2, 3, 4, 5, 6, 0xFF});
        for (int k = 0; k < 16; ++k)
            expected.push_back({static_cast<std::uint8_t>(first + k), 1, 2, 3, 4, 5, 6, 0xFF});
    }
    check(collect(hid, 48) == expected, "48 input reports read whole and in order");
    check(driver.outputs() == sent, "every output report went out as report-ID byte 0 and its 8 bytes");
    check(hid.read(nullptr) == 0 && hid.write(nullptr) == 0, "null buffers are refused");
    check(hid.setFeature(buffer) == 0 && driver.feature().empty(), "setFeature without feature reports sends nothing");
    hid.closeDevice();
    check(hid.outputLength() == 0 && hid.write(buffer) == 0, "closeDevice leaves nothing open");
    check(hid.find(vendorId, productId) == 1, "found again after closeDevice");
    driver.unplug();
    check(hid.read(buffer) == 0 && hid.write(buffer) == 0, "reads and writes fail once the driver is unplugged");
    check(waitFor(hid, false), "findHidDevice no longer finds the unplugged driver");
}

void numberedChecks(const Library &hid, Device &device)
{
    check(waitFor(hid, true), "a device with numbered reports is found");
    check(hid.inputLength() == 8 && hid.outputLength() == 8 && hid.featureLength() == 2,
          "numbered reports: the longest input, output and feature report count");
    const std::uint8_t data[8] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    check(hid.write(data) == 1, "writeData sends a numbered output report");
    const Reports inputs = collect(hid, 2);
    check(device.outputs() == Reports{{0x03, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17}},
          "the output report goes out behind its report ID 3");
    check(inputs == Reports{{0x10, 0x11, 0x12, 0x13, 0, 0, 0, 0}, {0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xFA, 0xF9, 0xF8}},
          "input reports arrive without their ID byte, a short one padded with zeros");
    const std::uint8_t feature[2] = {0x5A, 0xA5};
    check(hid.setFeature(feature) == 1 && device.feature() == Bytes{0x04, 0x5A, 0xA5},
          "the feature report goes out behind its report ID 4");
}

} // namespace

int main()
{
    setvbuf(stdout, nullptr, _IOLBF, 0);
    const Library hid;
    check(hid.loaded(), "libAtUsbHid.so loaded with its eight entries");
    Device driver(driverDescriptor, driverAnswer);
    check(driver.created, "uhid device created");
    if (hid.loaded() && driver.created)
        driverChecks(hid, driver);
    driver.unplug();
    Device numbered(numberedDescriptor, numberedAnswer);
    check(numbered.created, "second uhid device created");
    if (hid.loaded() && numbered.created)
        numberedChecks(hid, numbered);
    std::printf("NOLT-QEMU-RESULT passed=%d failed=%d\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
