#include "sim/SimDevice.h"

#include <algorithm>

namespace nolt::sim {

SimDevice::SimDevice(std::unique_ptr<DeviceModel> model, int inputLength, int outputLength)
    : model_(std::move(model)), inputLength_(inputLength), outputLength_(outputLength)
{
}

void SimDevice::queueReply(Report report)
{
    report.resize(static_cast<std::size_t>(inputLength_), 0);
    replies_.push_back(std::move(report));
}

void SimDevice::unplug(int absentProbes)
{
    present = false;
    stale_ = true;
    absentProbes_ = absentProbes; // what it had not yet said is dropped when it is opened anew
    attached_ = false;
    if (model_)
        model_->unplugged();
}

bool SimDevice::findHidDevice(unsigned vendorId, unsigned productId)
{
    if (!present && absentProbes_ >= 0 && absentProbes_-- == 0)
        present = true;
    const bool found = present && vendorId == hidVendorId && productId == hidProductId;
    if (found && stale_) { // opened anew: nothing from before is left
        stale_ = false;
        replies_.clear();
    }
    if (found && !attached_ && model_) {
        attached_ = true;
        model_->attached(*this);
    }
    return found;
}

bool SimDevice::readData(std::uint8_t* buffer)
{
    if (!present || stale_)
        return false;
    if (replies_.empty() && model_)
        model_->idle(*this);
    if (replies_.empty()) {
        ++emptyReads;
        return false;
    }
    const Report& r = replies_.front();
    std::copy(r.begin(), r.end(), buffer);
    delivered.push_back(r);
    replies_.pop_front();
    ++reads;
    return true;
}

bool SimDevice::writeData(const std::uint8_t* buffer)
{
    if (!present || stale_)
        return false;
    Report report(buffer, buffer + outputLength_);
    written.push_back(report);
    if (model_)
        model_->received(*this, report);
    return true;
}

} // namespace nolt::sim
