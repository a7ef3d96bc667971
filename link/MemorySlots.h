#pragma once
// The four configuration slots M1..M4 of a driver as read at start-up.

#include "image/ConfigImage.h"

#include <QString>

#include <array>
#include <cstdint>

namespace nolt {

class DriverLink;
class LinkView;
class Platform;

struct TMemory {
    bool mEmpty = true;         // the slot holds no configuration
    std::uint16_t mLength = 0;  // stored length from the slot entry
    std::uint16_t mAddress = 0; // device address of the slot's page
    QString mString;            // slot name, at most 8 characters
    Bytes mData;                // the slot's page as read, 128 bytes
    bool mUnread = false;       // stored, but its page never came whole: not offered
};

using MemorySlots = std::array<TMemory, 4>;

// Fills M1..M4 from the control block the link holds, and reads the page of
// every stored slot, each with the bounded reply wait (the caption gains
// its dots). A slot whose entry is not valid becomes empty and keeps its
// other fields. A page read that does not complete is made once more when
// the device is found again (it may have been pulled out and plugged back);
// a page that still did not come whole leaves its slot unread, with no
// data. False when the window was closed during a wait.
bool readSlotPages(DriverLink& link, Platform& platform, LinkView& view, MemorySlots& memory);

// What to tell the technician about the stored slots that could not be
// read; empty when every page came whole.
QString unreadSlotsMessage(const MemorySlots& memory);

// Puts slot `memory` into the image: an empty slot gives the factory
// image; a stored one has its records unpacked over the image, the astro
// data zeroed unless copyAstro. The curve's inverse mapping is the caller's.
void loadSlotImage(const TMemory& memory, Bytes& image, bool copyAstro);

} // namespace nolt
