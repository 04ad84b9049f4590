#pragma once

#include <functional>

class QWidget;

namespace talviro6 {

/// The whole window program: the command line, the port (real or simulated), the
/// services and the window, then the event loop. `shown` runs right after the
/// window is shown (the start-up benchmark watches for its first paint there).
int runWindow(int argc, char *argv[], const std::function<void(QWidget &window)> &shown = {});

} // namespace talviro6
