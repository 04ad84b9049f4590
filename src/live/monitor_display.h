#pragma once

#include "link/display_state.h"

#include <array>
#include <cstdint>

namespace talviro6 {

inline constexpr int TestLabels = 8;

/// The monitor column as the live frames want it shown. The window paints it after
/// each tick; `revision` grows with every change, so nothing needs painting when it
/// has not moved. An empty text of a read-out means no live frame has written it
/// yet: the window keeps its placeholder caption there.
struct MonitorDisplay {
    std::uint32_t revision = 0;

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
