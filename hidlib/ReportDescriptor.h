#pragma once
// Report sizes read from a HID report descriptor.
//
// A pure function over the descriptor's bytes: it walks the short and long
// items, keeps the global state (with push and pop) and adds up the bits of
// every Input, Output and Feature item per report ID. The result is the
// longest report of each kind in data bytes (the report-ID byte not counted)
// and whether the device numbers its reports. It never reads past the bytes
// it is given; a descriptor that ends inside an item or misuses push/pop
// still yields what was read up to that point and is marked malformed.

#include <cstddef>
#include <cstdint>
#include <span>

namespace nolt::hid {

// The longest report of one kind.
struct ReportSize {
    int bytes = 0;              // data bytes, without the report-ID byte
    std::uint8_t reportId = 0;  // its report ID; 0 when the device uses none
};

struct ReportLayout {
    ReportSize input;
    ReportSize output;
    ReportSize feature;
    bool usesReportIds = false; // every report starts with its ID byte on the wire
    bool malformed = false;     // truncated item, or push/pop out of balance
};

ReportLayout parseReportDescriptor(std::span<const std::uint8_t> descriptor);

} // namespace nolt::hid
