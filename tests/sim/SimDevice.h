#pragma once
// The simulated device: one device model behind the HID library's
// operations. Used in-process by unit and GUI tests, and built as
// libAtUsbHid.so in its own folder for end-to-end tests of the real program.
//
// The device keeps a queue of input reports that readData hands out one at a
// time, records every output report, and lets a model answer them.

#include "link/HidDevice.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace nolt::sim {

using Report = std::vector<std::uint8_t>;

class SimDevice;

// What sits behind the USB port: a driver or a programming stick.
class DeviceModel {
public:
    virtual ~DeviceModel() = default;
    // The device was opened (findHidDevice found it).
    virtual void attached(SimDevice&) {}
    // An output report arrived; the model may queue replies.
    virtual void received(SimDevice& device, const Report& report) = 0;
    // readData found the queue empty; the model may queue something now.
    virtual void idle(SimDevice&) {}
    // The device was pulled out: what it was about to say is lost.
    virtual void unplugged() {}
};

class SimDevice final : public HidDevice {
public:
    explicit SimDevice(std::unique_ptr<DeviceModel> model = nullptr, int inputLength = 8, int outputLength = 8);

    void setModel(std::unique_ptr<DeviceModel> model) { model_ = std::move(model); }
    DeviceModel* model() const { return model_.get(); }

    bool present = true;       // plugged in
    // Pulls the cable: the reports not yet read are lost, and reads and
    // writes fail, also once it is plugged back, until findHidDevice opens
    // it anew (as with a hidraw handle). The device comes back at the probe
    // after `absentProbes` probes that miss it; with -1 it stays out until
    // plugIn.
    void unplug(int absentProbes = -1);
    void plugIn() { present = true; }
    // Another device of the same kind, with these report lengths, takes its place.
    void setReportLengths(int input, int output) { inputLength_ = input, outputLength_ = output; }
    int featureLength = 0;
    std::vector<Report> written; // every output report, in order
    std::vector<Report> delivered; // every input report handed out, in order
    int reads = 0;               // readData calls that delivered a report
    int emptyReads = 0;          // readData calls that found nothing
    int lengthQueries = 0;       // calls of the three report-length entries

    // Queues one input report (padded or cut to the input length).
    void queueReply(Report report);
    std::size_t pendingReplies() const { return replies_.size(); }
    void clearReplies() { replies_.clear(); }

    int inputLength() const { return inputLength_; }
    int outputLength() const { return outputLength_; }

    bool findHidDevice(unsigned vendorId, unsigned productId) override;
    void closeDevice() override {}
    bool readData(std::uint8_t* buffer) override;
    bool writeData(const std::uint8_t* buffer) override;
    bool setFeature(const std::uint8_t*) override { return present; }
    int getInputReportLength() override { return ++lengthQueries, inputLength_; }
    int getOutputReportLength() override { return ++lengthQueries, outputLength_; }
    int getFeatureReportLength() override { return ++lengthQueries, featureLength; }

private:
    std::unique_ptr<DeviceModel> model_;
    int inputLength_;
    int outputLength_;
    std::deque<Report> replies_;
    bool attached_ = false;
    bool stale_ = false; // opened before the device was pulled out
    int absentProbes_ = -1; // while unplugged: probes that still miss it, -1 for ever
};

// Hands the program a device that the test keeps owning.
class BorrowedDevice final : public HidDevice {
public:
    explicit BorrowedDevice(HidDevice& d) : d_(d) {}
    bool findHidDevice(unsigned v, unsigned p) override { return d_.findHidDevice(v, p); }
    void closeDevice() override { d_.closeDevice(); }
    bool readData(std::uint8_t* b) override { return d_.readData(b); }
    bool writeData(const std::uint8_t* b) override { return d_.writeData(b); }
    bool setFeature(const std::uint8_t* b) override { return d_.setFeature(b); }
    int getInputReportLength() override { return d_.getInputReportLength(); }
    int getOutputReportLength() override { return d_.getOutputReportLength(); }
    int getFeatureReportLength() override { return d_.getFeatureReportLength(); }

private:
    HidDevice& d_;
};

} // namespace nolt::sim
