#include "recordings/replay_clock.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace talviro6 {

ReplayClock::ReplayClock(const std::vector<RecordedFrame> &frames)
    : ReplayClock([&frames] {
          std::deque<PackedFrame> packed;
          for (const RecordedFrame &r : frames)
              packed.push_back(packFrame(r));
          return packed;
      }())
{
}

ReplayClock::ReplayClock(std::deque<PackedFrame> frames) : m_frames(std::move(frames))
{
    // A file edited by hand may hold a time that goes back; play in file order, never
    // earlier than the frame before.
    for (std::size_t i = 1; i < m_frames.size(); ++i)
        m_frames[i].milliseconds = std::max(m_frames[i].milliseconds, m_frames[i - 1].milliseconds);
}

std::int64_t ReplayClock::durationMs() const
{
    return m_frames.empty() ? 0 : timeOf(m_frames.size() - 1);
}

void ReplayClock::play()
{
    if (atEnd() && !m_frames.empty()) {
        // Played to the end: start again from the first frame.
        m_position = 0;
        m_next = 0;
    }
    m_playing = !m_frames.empty();
}

std::vector<std::size_t> ReplayClock::tick()
{
    std::vector<std::size_t> due;
    if (!m_playing)
        return due;
    // The first tick of a play delivers what is due at the position itself (the
    // first frame at 0 ms); later ticks move on first.
    if (m_next > 0 || m_position > 0)
        m_position = std::min(m_position + TickMilliseconds * m_speed, durationMs());
    while (m_next < m_frames.size() && timeOf(m_next) <= m_position)
        due.push_back(m_next++);
    if (atEnd())
        m_playing = false;
    return due;
}

std::size_t ReplayClock::seek(std::int64_t milliseconds)
{
    if (m_frames.empty())
        return 0;
    m_position = std::clamp<std::int64_t>(milliseconds, 0, durationMs());
    std::size_t shown = 0;
    while (shown + 1 < m_frames.size() && timeOf(shown + 1) <= m_position)
        ++shown;
    m_next = shown + 1;
    return shown;
}

std::string replayTimeText(std::int64_t milliseconds)
{
    const long long s = std::max<std::int64_t>(milliseconds, 0) / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
    return text;
}

} // namespace talviro6
