#include "live/dwell_map.h"

#include <algorithm>
#include <limits>

namespace talviro6 {
namespace {

/// Puts `entry` at the front, taking it out of where it was, and drops the oldest beyond `length`.
template <typename T> bool moveToFront(std::vector<T> &trail, const T &entry, std::size_t length)
{
    if (!trail.empty() && trail.front() == entry)
        return false;
    const auto found = std::find(trail.begin(), trail.end(), entry);
    if (found != trail.end())
        trail.erase(found);
    else if (trail.size() == length)
        trail.pop_back();
    trail.insert(trail.begin(), entry);
    return true;
}

/// One more tick, held at the counter's end rather than wrapping to an empty cell.
void countOne(std::uint32_t &ticks, std::uint32_t &maxTicks)
{
    if (ticks < std::numeric_limits<std::uint32_t>::max())
        ++ticks;
    maxTicks = std::max(maxTicks, ticks);
}

template <typename T> int ageIn(const std::vector<T> &trail, const T &entry)
{
    const auto found = std::find(trail.begin(), trail.end(), entry);
    return found == trail.end() ? -1 : static_cast<int>(found - trail.begin());
}

} // namespace

void DwellMap::tick(const OperatingPoint &point, std::uint16_t engineSpeed)
{
    if (engineSpeed == 0)
        return;
    const std::size_t servo = std::min<std::size_t>(point.OperatingServoPoint, Size - 1);
    countOne(m_servo[servo], m_maxServo);
    moveToFront(m_servoTrail, static_cast<std::uint8_t>(servo), ServoTrailLength);
    if (!point.BelowSpeedRange) {
        const Cell cell{std::min<std::uint8_t>(point.OperatingRow, Size - 1),
                        std::min<std::uint8_t>(point.OperatingColumn, Size - 1)};
        countOne(m_cells[cell.row][cell.column], m_maxCell);
        moveToFront(m_trail, cell, TrailLength);
    }
    ++m_revision;
}

void DwellMap::reset()
{
    m_cells = {};
    m_servo = {};
    m_maxCell = 0;
    m_maxServo = 0;
    m_trail.clear();
    m_servoTrail.clear();
    ++m_revision;
}

void DwellMap::setCounts(const std::array<std::array<std::uint32_t, Size>, Size> &cells,
                         const std::array<std::uint32_t, Size> &servo)
{
    reset();
    m_cells = cells;
    m_servo = servo;
    for (const auto &row : m_cells)
        m_maxCell = std::max(m_maxCell, *std::max_element(row.begin(), row.end()));
    m_maxServo = *std::max_element(m_servo.begin(), m_servo.end());
}

int DwellMap::trailAge(std::size_t row, std::size_t column) const
{
    return ageIn(m_trail, Cell{static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column)});
}

int DwellMap::servoTrailAge(std::size_t point) const
{
    return ageIn(m_servoTrail, static_cast<std::uint8_t>(point));
}

int DwellMap::shade(std::uint32_t ticks, std::uint32_t maxTicks)
{
    if (ticks == 0 || maxTicks == 0)
        return 0;
    // By the square root of the share: the engine idles for long stretches in one
    // cell, and on a linear scale every cell it only swept through would be palest.
    // The smallest level L with (L / levels)^2 >= ticks / max, in whole numbers.
    const std::uint64_t scaledTicks = std::uint64_t{ticks} * ShadeLevels * ShadeLevels;
    int level = 1;
    while (level < ShadeLevels && std::uint64_t(level) * std::uint64_t(level) * maxTicks < scaledTicks)
        ++level;
    return level;
}

} // namespace talviro6
