#include "model/edit_session.h"

#include "model/settle.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace talviro6 {

EditSession::EditSession()
{
    m_history.reset(m_image.parameters, 0);
}

void EditSession::readBack()
{
    if (m_controls)
        m_controls->readBack(m_image);
}

void EditSession::settle(UnitImage &image)
{
    validate(image, m_settings);
    settleToControls(image, m_testEnable);
}

void EditSession::notify(const EditChange &change)
{
    if (m_listener)
        m_listener(change);
}

void EditSession::historyStep(EditChange &change)
{
    const bool changed = m_history.record(m_image.parameters, pageShown());
    change.historyMoved = changed;
    change.programNow = m_programAfterChange.step(m_programTicked, changed);
}

void EditSession::edit(const Change &change, EditFrom from)
{
    if (from == EditFrom::Controls)
        readBack();
    change(m_image);
    settle(m_image);
    // The history takes the settled image, which refreshing the controls leaves as it
    // is; the listener refreshes before it starts a programming.
    EditChange step;
    historyStep(step);
    notify(step);
}

void EditSession::choose(int offset, std::uint8_t value)
{
    m_image[offset] = value;
    EditChange step;
    step.refresh = false;
    historyStep(step);
    notify(step);
}

void EditSession::takeControls()
{
    readBack();
    settle(m_image);
    notify(EditChange{});
}

int EditSession::load(const ParameterArea &area, LoadHow how)
{
    m_image.parameters = area;
    settle(m_image);
    const int corrected = std::inner_product(area.begin(), area.end(), m_image.parameters.begin(), 0, std::plus<>(),
                                             std::not_equal_to<>());
    switch (how) {
    case LoadHow::Start:
        m_history.reset(m_image.parameters, pageShown());
        {
            EditChange started;
            started.historyMoved = true;
            notify(started);
        }
        break;
    case LoadHow::Edit: {
        EditChange step;
        historyStep(step);
        notify(step);
        break;
    }
    case LoadHow::FromUnit:
        notify(EditChange{});
        break;
    }
    return corrected;
}

bool EditSession::restore(const HistorySnapshot &entry)
{
    m_image.parameters = entry.image;
    // The restored image is programmed whatever the armed flag says, which it keeps.
    EditChange restored;
    restored.historyMoved = true;
    restored.page = entry.page;
    restored.programNow = m_programTicked;
    notify(restored);
    return true;
}

bool EditSession::undo()
{
    return m_history.canUndo() && restore(m_history.undo());
}

bool EditSession::redo()
{
    return m_history.canRedo() && restore(m_history.redo());
}

ParameterArea EditSession::held() const
{
    UnitImage copy = m_image;
    if (m_controls)
        m_controls->readBack(copy);
    SettingsIndexes settings = m_settings;
    validate(copy, settings);
    return copy.parameters;
}

} // namespace talviro6
