#pragma once

#include "live/dwell_map.h"
#include "model/unit_image.h"
#include "recordings/recording_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace talviro6 {

/// A stretch of a recording by the times of its lines, both ends included.
struct RecordingRange {
    std::optional<std::int64_t> fromMilliseconds; ///< empty: from the first frame
    std::optional<std::int64_t> toMilliseconds;   ///< empty: to the last frame
};

/// What is left out of the counts. A limit that is empty leaves nothing out.
struct DwellFilters {
    std::optional<double> maxRpmPerSecond;      ///< faster speed changes are transients
    std::optional<double> maxThrottlePerSecond; ///< % per second; faster throttle moves too
    std::uint32_t minCount = 0;                 ///< fewer frames leave a cell unshaded (counts stay)
};

/// Frames of a recording per advance map cell and servo point, as the live dwell map
/// counts its ticks: a stopped engine counts nowhere, below the first map column only
/// the servo curve counts.
struct DwellCounts {
    std::array<std::array<std::uint32_t, DwellMap::Size>, DwellMap::Size> cells{}; ///< [throttle row][speed column]
    std::array<std::uint32_t, DwellMap::Size> servo{};
    std::size_t framesInRange = 0;
    std::size_t framesCounted = 0;     ///< in range, steady and with the engine running
    std::size_t transientsLeftOut = 0; ///< in range but changing faster than a limit

    bool operator==(const DwellCounts &) const = default;
};

/// The counts of `frames` (in the order of the recording) over the map and servo curve
/// of `image`, within `range` and without the transients of `filters`. The minimum
/// count is a matter of shading and does not change the counts.
DwellCounts countRecording(const std::deque<PackedFrame> &frames, const UnitImage &image, const RecordingRange &range,
                           const DwellFilters &filters);

/// The counts as a dwell map to shade: a cell or servo point below `minCount` is left
/// out, and there is no trail (a recording has no present moment).
void shadeCounts(DwellMap &map, const DwellCounts &counts, std::uint32_t minCount);

/// The counts as text cells, the same for the command line and the window: a header
/// row (empty corner, then the map's speed columns in rpm), one row per throttle row
/// (its percentage "N %", then the counts), then the servo curve as a row of its
/// speeds in rpm and a row of counts, whose first cells are `servoSpeedLabel` and
/// `servoCountLabel`.
std::vector<std::vector<std::string>> dwellTable(const DwellCounts &counts, const UnitImage &image,
                                                 const std::string &servoSpeedLabel,
                                                 const std::string &servoCountLabel);

} // namespace talviro6
