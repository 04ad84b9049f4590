#pragma once

#include <array>
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

/// One label of the window as the link wants it shown. The engine writes text and
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

inline constexpr int TestLabels = 8;

/// Everything the link wants the window to show. The window paints it after each
/// tick and after each job start; `revision` grows with every change, so nothing
/// needs painting when it has not moved. An empty text of a live read-out means no
/// live frame has written it yet: the window keeps its placeholder caption there.
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

    // The live read-outs of the monitor column.
    Readout LabelRpm;
    Gauge CGaugeRpm;
    Readout LabelNapeti;
    Readout LabelBlocking1;
    Readout LabelAdvance1;
    Readout LabelAdvance2;
    Readout LabelMonSnimac1;
    Readout LabelMonSnimac2;
    Readout LabelTpsMon;
    Gauge CGaugeTps;
    Readout LabelPriveraPoz;
    Readout LabelPriveraMer;
    Readout LabelVersion{{}, Colour::Face, false, true};
    Readout LabelEeDataErr{{}, Colour::Face, false, true};
    Readout LabelPocetProgramovani;
    std::array<Readout, TestLabels> LabelTest;
    Readout LabelMonInput1In;
    Readout LabelMonInput2In;
    Readout LabelClutchMon;
    Readout LabelMonStartLimiterOut;
    Readout LabelMonRetard;
    Readout LabelKillSwitch;
    Readout LabelMonPOut1;
    Readout LabelMonPOut2;
    Readout LabelMonPOut3;
};

} // namespace talviro6
