#pragma once

#include "model/unit_image.h"

#include <cstdint>
#include <vector>

namespace talviro6 {

/// One undo step: the parameter area (not the header) and the page then shown.
struct HistorySnapshot {
    ParameterArea image{};
    std::uint8_t page = 0; ///< index of the page shown, modulo 256
};

/// The edit history: a ring of 200 snapshots. The oldest entry stays as the floor,
/// so at most 199 undo steps follow one another; a new change drops whatever redo
/// could have reached, and a full ring overwrites its oldest entry silently.
class EditHistory {
  public:
    static constexpr std::uint16_t Capacity = 200;

    EditHistory()
    {
        m_entries.reserve(Capacity); // never moves: entries handed out stay where they are
        m_entries.emplace_back();
    }

    /// Forgets everything; the image becomes the only entry.
    void reset(const ParameterArea &image, int page);

    /// The history step's record: a new entry when the image differs from the
    /// current one (the page alone is no change). True when one was recorded.
    bool record(const ParameterArea &image, int page);

    bool canUndo() const { return m_current != m_oldest; }
    bool canRedo() const { return m_current != m_newest; }

    /// The entry to restore; unchanged position (and the current entry) at the limit.
    const HistorySnapshot &undo();
    const HistorySnapshot &redo();

    const HistorySnapshot &current() const { return m_entries[m_current]; }
    std::uint16_t oldestIndex() const { return m_oldest; }
    std::uint16_t currentIndex() const { return m_current; }
    std::uint16_t newestIndex() const { return m_newest; }

  private:
    static std::uint16_t next(std::uint16_t i) { return i + 1 >= Capacity ? 0 : static_cast<std::uint16_t>(i + 1); }
    static std::uint16_t previous(std::uint16_t i) { return i == 0 ? Capacity - 1 : static_cast<std::uint16_t>(i - 1); }
    void take(const ParameterArea &image, int page);

    // Filled as steps come: the whole ring zeroed up front cost the start-up 60 KB
    // of memory touched for steps most sessions never take. Indices advance one by
    // one, so an index is at most the size, and the ring wraps only when full.
    std::vector<HistorySnapshot> m_entries;
    std::uint16_t m_oldest = 0;
    std::uint16_t m_current = 0;
    std::uint16_t m_newest = 0;
};

/// Programming after a change. Ticking the box alone programs nothing; the first
/// history step that sees it ticked programs only a real change, every later one
/// programs whether or not something changed, so the unit always holds what the
/// tuner sees.
class ProgramAfterChange {
  public:
    /// The history step's part: true when the unit is to be programmed now.
    bool step(bool ticked, bool changed)
    {
        if (!ticked) {
            m_armed = false;
            return false;
        }
        const bool program = changed || m_armed;
        m_armed = true;
        return program;
    }
    bool armed() const { return m_armed; }
    void reset() { m_armed = false; }

  private:
    bool m_armed = false; ///< ProgramAfterChangeArmed
};

} // namespace talviro6
