#pragma once

#include "live/operating_point.h"
#include "model/unit_image.h"

class QDialog;
class QWidget;

namespace talviro6 {

/// The charts window as the main window reaches it. The window lives in a library
/// of its own (charts_loader.h), so that the program loads Qt Charts only when the
/// tuner first asks for the charts, not at every start. The program exports no
/// symbol, so everything it asks of the window goes through these virtual calls.
class ChartsWindow {
  public:
    /// The dialog's parent deletes it, and this with it.
    virtual ~ChartsWindow() = default;

    /// The window to show, raise and look at.
    virtual QDialog *dialog() = 0;
    /// The curves of `image`, texts in `language` (0 English ... 3 Czech); returns at
    /// once when nothing it shows changed.
    virtual void showImage(const UnitImage &image, int language) = 0;
    /// Marks `point` on the curves of the image last shown.
    virtual void showOperatingPoint(const OperatingPoint &point) = 0;
};

/// The library's one exported function, by this name: the window, a child of `parent`.
using MakeChartsWindow = ChartsWindow *(*)(QWidget *parent);
inline constexpr char MakeChartsWindowName[] = "talviro6_make_charts_window";

} // namespace talviro6
