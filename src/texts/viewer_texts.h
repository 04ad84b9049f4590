#pragma once

#include <string_view>

namespace talviro6 {

/// Texts of the recording viewer: its menu item, its window, the names of its plots
/// and of the on/off bands (in the order of a recording's on/off columns). Four
/// languages each, UTF-8.
enum class ViewerText {
    MenuViewer,
    HintViewer,
    Caption,
    NotARecording, ///< followed by the file name
    PlotSpeed,
    PlotAdvance,
    PlotThrottle,
    PlotServo,
    PlotSupply,
    Channel1,
    Channel2,
    Desired,
    Measured,
    Cursor,
    ChosenRange,
    Play,
    Pause,
    // The on/off values, in the order of their bits in a recorded frame.
    BandKillSwitch,
    BandRetard,
    BandStartLimiter,
    BandClutch,
    BandMotorOff,
    BandInput1,
    BandInput2,
    BandPickup1,
    BandPickup2,
    BandPowerOut1,
    BandPowerOut2,
    BandPowerOut3,
    BandSpeedRed,
    BandSpeedYellow,
    BandServoOk,
    BandDataError,
};

inline constexpr int ViewerTextCount = static_cast<int>(ViewerText::BandDataError) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view viewerText(ViewerText text, int languageIndex);

} // namespace talviro6
