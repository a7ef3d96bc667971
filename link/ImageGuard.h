#pragma once
// The bottom bar's buttons that would replace or write the image ("Load",
// "Default", "Transfer") do nothing while the window is busy; while a stick
// read runs, whose result will replace the image, they also beep.

#include "link/AppState.h"
#include "link/Platform.h"

namespace nolt {

// True when the button must do nothing; beeps when a stick read refuses it.
inline bool imageChangeRefused(const AppState& st, Platform& platform)
{
    if (st.stickReading)
        platform.beep();
    return st.formDisabled || st.stickReading;
}

} // namespace nolt
