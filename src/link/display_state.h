#pragma once

#include <cstdint>
#include <string>

namespace talviro6 {

/// Status colours of labels and fields; the window maps them to its palette.
enum class Colour : std::uint8_t {
    Face,   ///< normal background of panels and labels
    Window, ///< normal background of edit fields
    Red,    ///< failure or alarm
    Yellow, ///< warning
    Lime,   ///< the operating point; active pick-ups and outputs
    Fuchsia,
    Aqua,
    White, ///< the print stamp, on paper
};

/// One label of the window as the link or the live data want it shown: text and
/// colour, and visibility only where the tick or a live frame decides it; the
/// window's control-state update owns the rest of `visible` and all of `enabled`.
struct Readout {
    std::string text;
    Colour colour = Colour::Face;
    bool visible = true;
    bool enabled = true;
};

struct Gauge {
    int maximum = 100;
    int progress = 0;
    bool visible = true;
};

/// Everything the link wants the window to show. The window paints it after each
/// tick and after each job start; `revision` grows with every change, so nothing
/// needs painting when it has not moved.
struct DisplayState {
    std::uint32_t revision = 0;

    // The transfer message and its gauge (hidden at start, gauge maximum 3).
    Readout LabelHlaseni{{}, Colour::Face, false, true};
    Gauge CGaugeProgram{3, 0, false};

    /// The no-connection banner; shown at start because the unit counts as lost.
    bool LabelSpojeni = true;
    /// "COM= COM<n>", and the device behind the number for its tooltip.
    std::string LabelCom;
    std::string LabelComDevice;

    // The unit's firmware from its header: name, date, time.
    std::string LabelVerze1;
    std::string LabelVerze2;
    std::string LabelVerze3;
};

} // namespace talviro6
