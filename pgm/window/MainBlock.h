#pragma once
// The program's main block: the application, the main window on the
// desktop platform, the message loop until the window closes.

#include <functional>

namespace nolt {

class TForm1;

// `prepare`, when given, runs once the window exists and before it is shown.
int runMainBlock(int argc, char* argv[], const std::function<void(TForm1&)>& prepare = {});

} // namespace nolt
