#pragma once

#include "live/operating_point.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace talviro6 {

/// Where the engine ran: the ticks it spent in each cell of the advance map and at
/// each point of the servo curve, and the cells it passed through last. Counted from
/// the operating point, so live data and a replay count alike.
class DwellMap {
  public:
    static constexpr std::size_t Size = 10;            ///< rows, columns and servo points
    static constexpr std::size_t TrailLength = 12;     ///< map cells, the present one first
    static constexpr std::size_t ServoTrailLength = 4; ///< servo points: a sweep passes all ten
    static constexpr int ShadeLevels = 8;              ///< shades of a visited cell, 1 ... 8

    struct Cell {
        std::uint8_t row = 0;
        std::uint8_t column = 0;
        bool operator==(const Cell &) const = default;
    };

    /// One tick of live data at `point`; `engineSpeed` in rpm. A stopped engine
    /// counts nowhere; below the map's first column only the servo curve counts.
    void tick(const OperatingPoint &point, std::uint16_t engineSpeed);
    /// Counts and trails emptied.
    void reset();
    /// Counts made elsewhere (a recording's) in place of these, without a trail.
    void setCounts(const std::array<std::array<std::uint32_t, Size>, Size> &cells,
                   const std::array<std::uint32_t, Size> &servo);

    std::uint32_t cellTicks(std::size_t row, std::size_t column) const { return m_cells[row][column]; }
    std::uint32_t servoTicks(std::size_t point) const { return m_servo[point]; }
    std::uint32_t maxCellTicks() const { return m_maxCell; }
    std::uint32_t maxServoTicks() const { return m_maxServo; }

    /// The last distinct cells, newest first; a cell visited again moves to the front.
    const std::vector<Cell> &trail() const { return m_trail; }
    const std::vector<std::uint8_t> &servoTrail() const { return m_servoTrail; }
    /// The cell's place in the trail (0 newest), or -1 when it is not in it.
    int trailAge(std::size_t row, std::size_t column) const;
    int servoTrailAge(std::size_t point) const;

    /// 0 for a cell never visited, else 1 ... ShadeLevels by the cell's time against
    /// the longest-held cell's.
    int cellShade(std::size_t row, std::size_t column) const { return shade(m_cells[row][column], m_maxCell); }
    int servoShade(std::size_t point) const { return shade(m_servo[point], m_maxServo); }
    static int shade(std::uint32_t ticks, std::uint32_t maxTicks);

    /// Grows whenever a count or a trail changes; a painter with the same revision has nothing to do.
    std::uint64_t revision() const { return m_revision; }

  private:
    std::array<std::array<std::uint32_t, Size>, Size> m_cells{};
    std::array<std::uint32_t, Size> m_servo{};
    std::uint32_t m_maxCell = 0;
    std::uint32_t m_maxServo = 0;
    std::vector<Cell> m_trail;
    std::vector<std::uint8_t> m_servoTrail;
    std::uint64_t m_revision = 0;
};

} // namespace talviro6
