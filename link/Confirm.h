#pragma once
// The question asked before a destructive action; No answers with a beep.

#include "link/Platform.h"

namespace nolt {

inline bool confirmAction(Platform& platform)
{
    if (platform.confirm(QStringLiteral("Are youe sure?")))
        return true;
    platform.beep();
    return false;
}

} // namespace nolt
