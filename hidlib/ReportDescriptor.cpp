#include "ReportDescriptor.h"

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace nolt::hid {
namespace {

// Item types and tags of the report descriptor's short items.
constexpr int typeMain = 0;
constexpr int typeGlobal = 1;

constexpr int tagInput = 0x8;
constexpr int tagOutput = 0x9;
constexpr int tagFeature = 0xB;

constexpr int tagReportSize = 0x7;
constexpr int tagReportId = 0x8;
constexpr int tagReportCount = 0x9;
constexpr int tagPush = 0xA;
constexpr int tagPop = 0xB;

constexpr std::uint8_t longItemPrefix = 0xFE;
constexpr std::size_t longItemHeader = 3; // prefix, data size, tag
constexpr std::size_t maxPushDepth = 32;

enum Kind { kindInput, kindOutput, kindFeature, kindCount };

struct GlobalState {
    std::uint32_t reportSize = 0;  // bits per field
    std::uint32_t reportCount = 0; // fields per item
    std::uint8_t reportId = 0;
};

// Bits per report, for each kind and each report ID (0 = no ID).
using BitTotals = std::array<std::array<std::uint64_t, 256>, kindCount>;

std::uint32_t littleEndian(std::span<const std::uint8_t> data)
{
    std::uint32_t value = 0;
    for (std::size_t i = data.size(); i-- > 0;)
        value = (value << 8) | data[i];
    return value;
}

void addSaturating(std::uint64_t &total, std::uint64_t bits)
{
    total = bits > UINT64_MAX - total ? UINT64_MAX : total + bits;
}

int bytesFromBits(std::uint64_t bits)
{
    const std::uint64_t bytes = bits / 8 + (bits % 8 != 0 ? 1 : 0);
    return bytes > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(bytes);
}

// The longest report of one kind; on a tie the lowest report ID.
ReportSize longest(const std::array<std::uint64_t, 256> &bitsPerId)
{
    ReportSize best;
    for (int id = 0; id < 256; ++id) {
        const int bytes = bytesFromBits(bitsPerId[id]);
        if (bytes > best.bytes) {
            best.bytes = bytes;
            best.reportId = static_cast<std::uint8_t>(id);
        }
    }
    return best;
}

class Walker {
public:
    explicit Walker(ReportLayout &layout) : layout_(layout) {}

    void item(int type, int tag, std::span<const std::uint8_t> data)
    {
        if (type == typeMain)
            mainItem(tag);
        else if (type == typeGlobal)
            globalItem(tag, data);
        // Local items and reserved types do not change report sizes.
    }

    void finish()
    {
        layout_.input = longest(bits_[kindInput]);
        layout_.output = longest(bits_[kindOutput]);
        layout_.feature = longest(bits_[kindFeature]);
    }

private:
    void mainItem(int tag)
    {
        const Kind kind = tag == tagInput    ? kindInput
                          : tag == tagOutput  ? kindOutput
                          : tag == tagFeature ? kindFeature
                                              : kindCount;
        if (kind == kindCount)
            return; // collections and end of collection
        const std::uint64_t fieldBits =
            static_cast<std::uint64_t>(state_.reportSize) * state_.reportCount;
        addSaturating(bits_[kind][state_.reportId], fieldBits);
    }

    void globalItem(int tag, std::span<const std::uint8_t> data)
    {
        const std::uint32_t value = littleEndian(data);
        switch (tag) {
        case tagReportSize:
            state_.reportSize = value;
            break;
        case tagReportCount:
            state_.reportCount = value;
            break;
        case tagReportId:
            if (value == 0 || value > 255) {
                layout_.malformed = true; // IDs run from 1 to 255
                break;
            }
            state_.reportId = static_cast<std::uint8_t>(value);
            layout_.usesReportIds = true;
            break;
        case tagPush:
            if (stack_.size() >= maxPushDepth)
                layout_.malformed = true;
            else
                stack_.push_back(state_);
            break;
        case tagPop:
            if (stack_.empty()) {
                layout_.malformed = true;
            } else {
                state_ = stack_.back();
                stack_.pop_back();
            }
            break;
        default:
            break;
        }
    }

    ReportLayout &layout_;
    GlobalState state_;
    std::vector<GlobalState> stack_;
    BitTotals bits_{};
};

} // namespace

ReportLayout parseReportDescriptor(std::span<const std::uint8_t> descriptor)
{
    ReportLayout layout;
    Walker walker(layout);
    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const std::uint8_t prefix = descriptor[pos];
        const std::size_t left = descriptor.size() - pos;
        if (prefix == longItemPrefix) {
            // Long items carry no report sizes: skip them whole.
            if (left < longItemHeader || left - longItemHeader < descriptor[pos + 1]) {
                layout.malformed = true;
                break;
            }
            pos += longItemHeader + descriptor[pos + 1];
            continue;
        }
        static constexpr std::size_t dataSizes[4] = {0, 1, 2, 4};
        const std::size_t size = dataSizes[prefix & 0x3];
        if (left - 1 < size) {
            layout.malformed = true;
            break;
        }
        walker.item((prefix >> 2) & 0x3, prefix >> 4, descriptor.subspan(pos + 1, size));
        pos += 1 + size;
    }
    walker.finish();
    return layout;
}

} // namespace nolt::hid
