// Runs inside the QEMU guest: makes HID devices through /dev/uhid (the kernel gives each a hidraw node like a
// plugged-in USB device) and drives them through libAtUsbHid.so. Prints one line per check and a closing count.

#include "AtUsbHid.h"

#include <linux/uhid.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Reports = std::vector<Bytes>;
using Clock = std::chrono::steady_clock;
constexpr unsigned vendorId = 0x03EB, productId = 0x2013;

// A uhid device. Its thread keeps every output and feature report as uhid hands them over (report-ID byte first,
// 0 without IDs), answers each output report with the input reports `answer`, and takes feature report 4 only.
class Device {
public:
    Device(const Bytes &descriptor, Reports answer) : answer_(std::move(answer))
    {
        uhid_event ev{};
        ev.type = UHID_CREATE2;
        std::memcpy(ev.u.create2.rd_data, descriptor.data(), descriptor.size());
        ev.u.create2.rd_size = static_cast<std::uint16_t>(descriptor.size());
        ev.u.create2.bus = 0x03; // USB
        ev.u.create2.vendor = vendorId;
        ev.u.create2.product = productId;
        if (fd_ >= 0 && send(ev)) // else it is never found
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
        send(ev); // fails harmlessly when unplugged before
        close(std::exchange(fd_, -1));
    }
    Reports outputs() { return copy(outputs_); }
    Reports features() { return copy(features_); }

private:
    bool send(const uhid_event &ev) { return write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev); }
    Reports copy(const Reports &reports)
    {
        const std::lock_guard guard(mutex_);
        return reports;
    }

    void run()
    {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            uhid_event ev{}, reply{};
            if (poll(&p, 1, 50) <= 0 || read(fd_, &ev, sizeof ev) <= 0)
                continue;
            const std::lock_guard guard(mutex_);
            if (ev.type == UHID_OUTPUT) {
                outputs_.emplace_back(&ev.u.output.data[0], &ev.u.output.data[ev.u.output.size]);
                reply.type = UHID_INPUT2;
                for (const Bytes &input : answer_) {
                    reply.u.input2.size = static_cast<std::uint16_t>(input.size());
                    std::memcpy(reply.u.input2.data, input.data(), input.size());
                    send(reply);
                }
            } else if (ev.type == UHID_SET_REPORT) {
                features_.emplace_back(&ev.u.set_report.data[0], &ev.u.set_report.data[ev.u.set_report.size]);
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = ev.u.set_report.id;
                reply.u.set_report_reply.err = ev.u.set_report.rnum == 4 ? 0 : EIO;
                send(reply);
            }
        }
    }

    const Reports answer_;
    int fd_ = open("/dev/uhid", O_RDWR | O_CLOEXEC);
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    Reports outputs_, features_;
};

// The LED driver: vendor page, 8-byte input and output reports, no report IDs.
const Bytes driverDescriptor{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                             0x08, 0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
const Reports driverAnswer = [] { // 16 input reports for each output report
    Reports inputs;
    for (std::uint8_t k = 0; k < 16; ++k)
        inputs.push_back({static_cast<std::uint8_t>(0xF0 + k), k, 1, 2, 3, 4, 5, 0xFF});
    return inputs;
}();
// Numbered reports: input 1 (8 bytes) and 2 (4 bytes), output 3 (8 bytes), feature 4 (2 bytes).
const Bytes numberedDescriptor{
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x85, 0x01, 0x95, 0x08,
    0x09, 0x01, 0x81, 0x02, 0x85, 0x02, 0x95, 0x04, 0x09, 0x01, 0x81, 0x02, 0x85, 0x03, 0x95, 0x08, 0x09, 0x01,
    0x91, 0x02, 0x85, 0x04, 0x95, 0x02, 0x09, 0x01, 0xB1, 0x02, 0xC0};

int passed = 0, failed = 0;

void check(bool ok, const char *what)
{
    std::printf("%s - %s\n", ok ? "ok" : "not ok", what);
    ++(ok ? passed : failed);
}

bool waitFor(bool present)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    bool found;
    while ((found = findHidDevice(vendorId, productId) != 0) != present && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return found == present;
}

// Reads until `count` reports came or 10 s passed; 0xEE shows bytes that readData left alone.
Reports collect(std::size_t count)
{
    Reports reports;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    for (Bytes p(8, 0xEE); reports.size() < count && Clock::now() < deadline; p.assign(8, 0xEE))
        if (readData(p.data()))
            reports.push_back(p);
    return reports;
}

} // namespace

int main()
{
    setvbuf(stdout, nullptr, _IOLBF, 0);
    Device driver(driverDescriptor, driverAnswer);
    check(waitFor(true), "findHidDevice finds the driver");
    check(getInputReportLength() == 8 && getOutputReportLength() == 8 && getFeatureReportLength() == 0,
          "report lengths from the descriptor: input 8, output 8, no feature report");
    const std::uint8_t out[8] = {0x80, 1, 2, 3, 4, 5, 6, 0xFF};
    check(writeData(out) == 1 && collect(16) == driverAnswer, "writeData: the 16 answers are read whole and in order");
    check(driver.outputs() == Reports{{0x00, 0x80, 1, 2, 3, 4, 5, 6, 0xFF}}, "writeData: the report follows byte 0");
    unsigned char buffer[8] = {};
    check(setFeature(buffer) == 0 && driver.features().empty(), "setFeature without feature reports sends nothing");
    driver.unplug();
    check(readData(buffer) == 0 && writeData(buffer) == 0, "reads and writes fail once the driver is unplugged");
    check(waitFor(false), "findHidDevice no longer finds the unplugged driver");
    check(getInputReportLength() == 0 && getOutputReportLength() == 0 && getFeatureReportLength() == 0,
          "no report lengths while no device is found");
    // A short input report 2 and a full input report 1 answer each output report.
    Device numbered(numberedDescriptor, {{0x02, 0x10, 0x11, 0x12, 0x13}, {0x01, 9, 8, 7, 6, 5, 4, 3, 2}});
    check(waitFor(true), "a device with numbered reports is found");
    check(getInputReportLength() == 8 && getOutputReportLength() == 8 && getFeatureReportLength() == 2,
          "numbered reports: the longest input, output and feature report count");
    check(writeData(out) == 1 && collect(2) == Reports{{0x10, 0x11, 0x12, 0x13, 0, 0, 0, 0}, {9, 8, 7, 6, 5, 4, 3, 2}},
          "input reports arrive without their ID byte, a short one padded with zeros");
    check(numbered.outputs() == Reports{{0x03, 0x80, 1, 2, 3, 4, 5, 6, 0xFF}}, "the output report follows its ID 3");
    const std::uint8_t feature[2] = {0x5A, 0xA5};
    check(setFeature(feature) == 1 && numbered.features() == Reports{{0x04, 0x5A, 0xA5}},
          "the feature report goes out behind its report ID 4");
    closeDevice();
    check(getInputReportLength() == 0 && writeData(out) == 0 && readData(buffer) == 0 && setFeature(feature) == 0 &&
              numbered.outputs().size() == 1 && numbered.features().size() == 1,
          "closeDevice: no lengths, nothing read or written afterwards");
    check(findHidDevice(vendorId, productId) == 1 && writeData(out) == 1 && collect(2).size() == 2,
          "findHidDevice opens the device again after closeDevice");
    std::printf("NOLT-QEMU-RESULT passed=%d failed=%d\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
