#include "editor/window_edits.h"

#include "editor/widgets/drop_down_list.h"
#include "model/conversions.h"
#include "model/defaults.h"
#include "model/fields.h"

#include <QCheckBox>

namespace talviro6 {
namespace {

void noChange(UnitImage &)
{
}

} // namespace

WindowEdits::WindowEdits(EditSession &session, Widgets widgets, Live live)
    : m_session(session), m_w(widgets), m_live(std::move(live))
{
}

void WindowEdits::controlChanged()
{
    m_session.edit(noChange);
}

void WindowEdits::choose(int offset, int item)
{
    m_session.choose(offset, static_cast<std::uint8_t>(item));
}

void WindowEdits::bikeTypeChanged()
{
    // The other controls are not read back: the type's preset decides them.
    const auto code = convert::bikeItemToStored(m_w.bikeType->currentIndex());
    const int synchro = m_w.synchro->currentIndex();
    m_session.edit(
        [&](UnitImage &image) {
            if (code)
                image[field::BikeType] = *code;
            if (synchro >= 0)
                image[field::SyncMethod] = static_cast<std::uint8_t>(synchro);
            newParameterSet(image, NewSetCause::ComboChange);
        },
        EditFrom::Image);
}

void WindowEdits::stepServo(Step step)
{
    const bool all = m_w.servoAll->isChecked();
    const int point = m_live.servoPoint();
    m_session.edit([&](UnitImage &image) { stepServoVoltage(image, step, all, point); });
}

// A voltage outside the sensor's range does nothing at all: no history step, so no
// programming after change either. Inside it, the image with the voltage taken is
// an edit like any other, without reading the controls back.
void WindowEdits::captureTps(bool full)
{
    UnitImage captured = m_session.image();
    const int millivolts = m_live.tpsMillivolts();
    if (full ? captureTps100(captured, millivolts) : captureTps0(captured, millivolts))
        m_session.load(captured.parameters, LoadHow::Edit);
}

void WindowEdits::stepColumn(int column, Step step)
{
    m_session.edit([&](UnitImage &image) { stepMapColumn(image, column, step); });
}

void WindowEdits::stepAdvance(Step step)
{
    const bool all = m_w.advanceAll->isChecked();
    const std::optional<MapCell> cell = m_live.operatingCell();
    m_session.edit([&](UnitImage &image) {
        // The operating cell is found on the validated map.
        m_session.settle(image);
        talviro6::stepAdvance(image, step, all, cell);
    });
}

} // namespace talviro6
