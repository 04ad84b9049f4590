#pragma once

#include <string_view>

namespace talviro6 {

/// Texts of the window that shows where the engine ran in a recording, and of its
/// Extras item. Four languages each, UTF-8.
enum class RecordingDwellText {
    MenuItem,
    Hint,
    Caption,
    Open,
    MinCount,
    MaxRpmRate,
    MaxTpsRate,
    FromSeconds,
    ToSeconds,
    Off, ///< a rate limit of 0
    ShowTable,
    ServoRpm,
    Servo,
    Counted, ///< followed by the frames counted, left out and in range
    LeftOut,
    InRange,
    NoRecording,
};

inline constexpr int RecordingDwellTextCount = static_cast<int>(RecordingDwellText::NoRecording) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view recordingDwellText(RecordingDwellText text, int languageIndex);

} // namespace talviro6
