#pragma once

#include "editor/controls.h"

class QMainWindow;
class QMenuBar;

namespace talviro6 {

// Client area of the main window, px.
inline constexpr int ClientWidth = 983;
inline constexpr int ClientHeight = 754;
inline constexpr int MonitorX = 676; ///< left edge of the monitor column

MainMenu buildMainMenu(QMenuBar *bar);
/// The 21 entries of the port menu, created at start-up and checked one at a time.
void buildPortMenu(MainMenu &menu);
ToolBar buildToolBar(QWidget *parent);
MonitorColumn buildMonitorColumn(QWidget *parent);
/// Everything of the window but the page contents: tool bar, banner, page control
/// with its five empty pages, monitor column, error labels, test row, status bar.
WindowFrame buildFrame(QMainWindow *window);

} // namespace talviro6
