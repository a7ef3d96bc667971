#pragma once
// State shared by the window, its panels and the device link for the whole
// run: the configuration image being edited, the busy flag, the mode and the
// switches.

#include "image/ConfigImage.h"
#include "image/FirmwareText.h"
#include "link/Switches.h"

#include <array>
#include <cstdint>

namespace nolt {

struct AppState {
    Bytes eeBlock = Bytes(img::imageSize, 0); // the image being edited (256 bytes in stick mode)

    // Window-wide busy flag: while set, every feature handler and the bottom
    // bar's file and transfer buttons do nothing.
    bool formDisabled = false;
    // A stick read runs: what it collects replaces the image once complete,
    // so nothing may change the image meanwhile (the window is busy).
    bool stickReading = false;
    bool demo = false;     // no device: fixed for the run
    Switches sw;           // command-line switches; sw.dcIndex is the chosen curve

    int memSlot = 0;          // chosen memory slot 1..4, 0 before a choice
    int driverFwVersion = 0;  // firmware version recorded in the driver, 0 = none
    // The firmware image to send (with a driver-mode store, or "Update FW"
    // through the stick), its length and version, and the pending flag.
    FirmwareState firmware;

    bool dcFound = false;   // at least one dimming-curve file was found
    bool dcApplied = false; // the chosen curve's inverse mapping is in the image
    Bytes dimmingCurve;     // the chosen curve's 101 points, empty when none

    // Remote control runs on the LST input with the Remote DIM function; the
    // LST and ISD switches then refuse to switch on.
    bool remoteDim = false;

    // Working copy of the ten steps of the dimming engine being edited.
    std::array<std::uint8_t, img::dimStepsBytes> dimSteps{};
};

} // namespace nolt
