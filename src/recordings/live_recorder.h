#pragma once

#include "link/monitor_frame.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace talviro6 {

/// Writes every accepted live frame to a CSV file while it runs. Time is counted in
/// the window's ticks, so a test that ticks gets the same file every run.
///
/// Unlike the tool's other outputs the file is written in place, not through a
/// temporary file: it grows for as long as the engine runs and must survive a crash
/// of the tool. It is flushed every FlushTicks, so a crash loses at most a second;
/// every write and every flush is checked, and a failure ends the recording.
class LiveRecorder {
  public:
    static constexpr int TickMilliseconds = 55;
    static constexpr int FlushTicks = 18;             ///< about one second
    static constexpr std::size_t BufferBytes = 65536; ///< about 600 lines, some three minutes of frames
    static constexpr const char *FirstLine = "# TALVIRO6 recording";

    LiveRecorder() = default;
    LiveRecorder(const LiveRecorder &) = delete;
    LiveRecorder &operator=(const LiveRecorder &) = delete;
    ~LiveRecorder();

    /// Creates (or empties) `path` and writes FirstLine, each of `comments` as a "# "
    /// line, then the column header, flushed. False with `error` set when it cannot.
    bool start(const std::string &path, const std::vector<std::string> &comments, std::string *error);
    /// A frame of the current tick, timed at the ticks counted since start.
    bool frame(const MonitorFrame &frame, std::uint16_t tpsMillivolts, std::string *error);
    /// Counts a tick and flushes every FlushTicks. False (and stopped) on a write error.
    bool tick(std::string *error);
    /// Flushes and closes; false when the last flush or the close failed.
    bool stop(std::string *error);

    bool active() const { return m_file != nullptr; }
    const std::string &path() const { return m_path; }
    std::uint32_t elapsedTicks() const { return m_ticks; }
    std::uint32_t elapsedSeconds() const { return m_ticks * TickMilliseconds / 1000; }
    std::uint32_t lines() const { return m_lines; } ///< frame lines written since start

  private:
    bool write(const std::string &text, std::string *error);
    bool fail(const char *what, std::string *error);

    std::FILE *m_file = nullptr;
    std::string m_path;
    std::uint32_t m_ticks = 0;
    std::uint32_t m_lines = 0;
};

/// "REC 01:23" for the elapsed time; hours are added when it runs that long.
std::string recordingBadge(std::uint32_t seconds);

} // namespace talviro6
