#pragma once
// The device link against a simulated driver, on the scripted platform,
// without a window.

#include "link/AppState.h"
#include "support/RecordingLinkView.h"
#include "support/ScriptedPlatform.h"
#include "support/SimDriver.h"

namespace nolt::test {

struct DriverRig : SimDriver {
    ScriptedPlatform platform;
    DriverLink link{platform, &device};
    AppState state;
    RecordingLinkView view;

    DriverRig() { link.readReportLengths(); }
    // The link's copy of the control block, as start-up reads it.
    void readDirectory() { link.controlBlock = at(controlBlockAddress, pageSize); }
};

} // namespace nolt::test
