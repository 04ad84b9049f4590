#include "model/edit_history.h"

namespace talviro6 {

void EditHistory::take(const ParameterArea &image, int page)
{
    const HistorySnapshot entry{image, static_cast<std::uint8_t>(page)};
    if (m_current < m_entries.size())
        m_entries[m_current] = entry;
    else
        m_entries.push_back(entry);
}

void EditHistory::reset(const ParameterArea &image, int page)
{
    m_oldest = m_current = m_newest = 0;
    m_entries.clear();
    take(image, page);
}

bool EditHistory::record(const ParameterArea &image, int page)
{
    if (image == m_entries[m_current].image)
        return false;
    m_current = next(m_current);
    m_newest = m_current;
    if (m_oldest == m_current)
        m_oldest = next(m_oldest);
    take(image, page);
    return true;
}

const HistorySnapshot &EditHistory::undo()
{
    if (canUndo())
        m_current = previous(m_current);
    return m_entries[m_current];
}

const HistorySnapshot &EditHistory::redo()
{
    if (canRedo())
        m_current = next(m_current);
    return m_entries[m_current];
}

} // namespace talviro6
