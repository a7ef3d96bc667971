#pragma once
// A HID device made in user space through /dev/uhid (guest side only): the
// kernel gives it a hidraw node like a plugged-in USB device. Subclasses
// answer the reports the host sends; a thread serves the uhid events.

#include <linux/uhid.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

class UhidDevice {
public:
    UhidDevice() = default;
    UhidDevice(const UhidDevice &) = delete;
    UhidDevice &operator=(const UhidDevice &) = delete;
    virtual ~UhidDevice() { destroy(); }

    bool create(const char *name, unsigned vendor, unsigned product,
                const std::vector<std::uint8_t> &descriptor)
    {
        fd_ = open("/dev/uhid", O_RDWR | O_CLOEXEC);
        if (fd_ < 0 || descriptor.size() > sizeof(uhid_event{}.u.create2.rd_data))
            return false;
        uhid_event ev{};
        ev.type = UHID_CREATE2;
        std::snprintf(reinterpret_cast<char *>(ev.u.create2.name), sizeof ev.u.create2.name, "%s", name);
        std::memcpy(ev.u.create2.rd_data, descriptor.data(), descriptor.size());
        ev.u.create2.rd_size = static_cast<std::uint16_t>(descriptor.size());
        ev.u.create2.bus = 0x03; // USB
        ev.u.create2.vendor = vendor;
        ev.u.create2.product = product;
        if (!send(ev))
            return false;
        stop_ = false;
        thread_ = std::thread([this] { run(); });
        return true;
    }

    // Unplugs the device.
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

protected:
    // An output report as uhid hands it over: hidapi's report-ID byte first.
    virtual void onOutput(const std::uint8_t *data, unsigned size) = 0;
    // A feature report sent with SET_REPORT; returns an errno value, 0 = taken.
    virtual int onSetReport(unsigned /*reportNumber*/, const std::uint8_t * /*data*/, unsigned /*size*/)
    {
        return EIO;
    }

    void input(const std::uint8_t *bytes, unsigned size)
    {
        uhid_event ev{};
        ev.type = UHID_INPUT2;
        ev.u.input2.size = static_cast<std::uint16_t>(size);
        std::memcpy(ev.u.input2.data, bytes, size);
        send(ev);
    }

private:
    bool send(const uhid_event &ev) { return write(fd_, &ev, sizeof ev) == static_cast<ssize_t>(sizeof ev); }

    void run()
    {
        while (!stop_) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            uhid_event ev{};
            if (read(fd_, &ev, sizeof ev) <= 0)
                continue;
            uhid_event reply{};
            switch (ev.type) {
            case UHID_OUTPUT:
                onOutput(ev.u.output.data, ev.u.output.size);
                break;
            case UHID_GET_REPORT:
                reply.type = UHID_GET_REPORT_REPLY;
                reply.u.get_report_reply.id = ev.u.get_report.id;
                reply.u.get_report_reply.err = EIO;
                send(reply);
                break;
            case UHID_SET_REPORT:
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply.id = ev.u.set_report.id;
                reply.u.set_report_reply.err = static_cast<std::uint16_t>(
                    onSetReport(ev.u.set_report.rnum, ev.u.set_report.data, ev.u.set_report.size));
                send(reply);
                break;
            default:
                break;
            }
        }
    }

    int fd_ = -1;
    std::thread thread_;
    std::atomic<bool> stop_{false};
};
