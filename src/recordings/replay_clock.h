#pragma once

#include "recordings/recording_reader.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace talviro6 {

/// Plays recorded frames at their recorded times (relative to the first), driven by
/// the window's tick: a frame is due at the first tick whose position has reached its
/// time. Knows nothing of the link; the caller hands the due frames on.
class ReplayClock {
  public:
    static constexpr int TickMilliseconds = 55;

    explicit ReplayClock(std::deque<PackedFrame> frames = {});
    explicit ReplayClock(const std::vector<RecordedFrame> &frames);

    /// The frames played one after the other (indices into frames()) on this tick;
    /// empty while paused. Reaching the end pauses.
    std::vector<std::size_t> tick();

    void play();
    void pause() { m_playing = false; }
    bool playing() const { return m_playing; }
    void setSpeed(int factor) { m_speed = factor; } ///< 1 or 4
    int speed() const { return m_speed; }

    /// Moves to `milliseconds` after the first frame (clamped). Returns the frame that
    /// shows that moment: the last one at or before it; play goes on after it.
    std::size_t seek(std::int64_t milliseconds);

    std::int64_t positionMs() const { return m_position; }
    std::int64_t durationMs() const;
    bool atEnd() const { return m_next >= m_frames.size(); }
    /// The frame played last, which the display shows; none before the first.
    std::optional<std::size_t> current() const
    {
        return m_next > 0 ? std::optional<std::size_t>(m_next - 1) : std::nullopt;
    }
    std::size_t frameCount() const { return m_frames.size(); }
    const std::deque<PackedFrame> &frames() const { return m_frames; }
    MonitorFrame frame(std::size_t index) const { return unpackFrame(m_frames[index]); }
    /// A frame's time after the first frame.
    std::int64_t timeOf(std::size_t index) const
    {
        return m_frames[index].milliseconds - m_frames.front().milliseconds;
    }

  private:
    std::deque<PackedFrame> m_frames;
    std::size_t m_next = 0;      ///< the first frame not yet played
    std::int64_t m_position = 0; ///< ms after the first frame
    int m_speed = 1;
    bool m_playing = false;
};

/// Minutes and seconds, "1:05"; for the replay window's time read-out.
std::string replayTimeText(std::int64_t milliseconds);

} // namespace talviro6
