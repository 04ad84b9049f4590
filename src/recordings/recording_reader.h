#pragma once

#include "recordings/monitor_csv.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace talviro6 {

/// A recorded frame as a replay keeps it: what a line of a recording carries, in 32
/// bytes instead of a MonitorFrame's 80 with its time. An hour of live data is some
/// 11,000 frames, and a file of any size may be opened.
struct PackedFrame {
    std::int64_t milliseconds = 0;
    std::uint16_t engineSpeed = 0;
    std::uint16_t tpsCounts = 0;
    std::uint16_t supplyMillivolts = 0;
    std::uint16_t servoMeasured = 0;
    std::uint16_t servoDesired = 0;
    std::uint16_t programCount = 0;
    std::uint16_t savingCountdown = 0;
    std::uint16_t maxAdvance = 0; ///< both channels: a line holds the one shown
    std::uint16_t flags = 0;      ///< the sixteen on/off values, in the order of the line
    std::array<std::uint8_t, 2> advance{};
    std::uint8_t tpsPercent = 0;
    std::uint8_t protocolVersion = 0;
};

PackedFrame packFrame(const RecordedFrame &recorded);
MonitorFrame unpackFrame(const PackedFrame &packed);

/// The lines of a recording or of the monitor's output, taken in pieces of any size
/// as they are read: a frame is handed on as soon as its line is complete, a comment
/// only counted unless someone asks for its text. A line is kept up to
/// MaxLineBytes; a longer one is no line of values (a comment stays a comment).
class MonitorCsvReader {
  public:
    static constexpr std::size_t MaxLineBytes = 1024; ///< a line of values has about 100
    using FrameSink = std::function<void(const RecordedFrame &)>;
    /// A "#" line, without the "#" and one space after it.
    using CommentSink = std::function<void(std::string_view)>;

    explicit MonitorCsvReader(FrameSink frames, CommentSink comments = {});

    void feed(std::string_view bytes);
    /// The end of the text: a last line without its line end counts too.
    void finish();

    std::size_t comments() const { return m_comments; }
    std::size_t skippedLines() const { return m_skipped; }          ///< blank lines and the header not counted
    std::size_t firstSkippedLine() const { return m_firstSkipped; } ///< 1-based; 0 when none

  private:
    void line(std::string_view raw, bool cut);

    FrameSink m_frames;
    CommentSink m_commentSink;
    std::string m_partial; ///< the line begun in an earlier piece, up to MaxLineBytes
    bool m_cut = false;    ///< the partial line ran past MaxLineBytes
    std::size_t m_lineNumber = 0;
    std::size_t m_comments = 0;
    std::size_t m_skipped = 0;
    std::size_t m_firstSkipped = 0;
};

/// A recording as the replay holds it.
struct Recording {
    std::deque<PackedFrame> frames; ///< in pieces: no copy of the whole as it grows
    std::size_t comments = 0;
    std::size_t skippedLines = 0;
    std::size_t firstSkippedLine = 0;
};

enum class RecordingProblem : std::uint8_t {
    None,
    NotARegularFile, ///< a folder, a pipe that waits for a writer, a device without end
    CannotOpen,
    CannotRead,
};

struct RecordingRead {
    Recording recording;
    RecordingProblem problem = RecordingProblem::None;
    std::string reason; ///< the system's words for CannotOpen and CannotRead
};

/// Reads a recording file piece by piece: memory grows with its frames alone, never
/// with its size. A file that cannot be read whole gives no recording.
RecordingRead readRecording(const std::filesystem::path &path);

} // namespace talviro6
