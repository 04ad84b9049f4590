#pragma once

#include <string_view>

namespace talviro6 {

/// Texts of the recorder and the replay window. Four languages each, UTF-8.
enum class RecordingText {
    ReplayCaption,
    Play,
    Pause,
    Speed,
    RecordCannotStart, ///< followed by the reason on a line of its own
    RecordStopped,     ///< followed by the reason on a line of its own
    ReplayNoFrames,    ///< followed by the file name
    ReplaySkipped,     ///< followed by the count
    RecordingTo,       ///< followed by the file name
    ReplayCannotRead,  ///< followed by the file name and the reason, each on a line of its own
    NotARegularFile,   ///< the reason for a folder, a pipe or a device
};

inline constexpr int RecordingTextCount = static_cast<int>(RecordingText::NotARegularFile) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view recordingText(RecordingText text, int languageIndex);

} // namespace talviro6
