#pragma once
// "Erase ALL" (offered in driver mode with "-eraseAll"): the device's whole
// memory is erased after a confirmation, and the program restarts itself
// with its switches to read the empty device afresh.

namespace nolt {

struct AppState;
class DriverLink;
class Platform;

void bEraseClick(AppState& state, DriverLink& link, Platform& platform);

} // namespace nolt
