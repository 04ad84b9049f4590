#pragma once

#include "model/edit_session.h"
#include "model/edit_steps.h"

#include <functional>
#include <optional>

class QCheckBox;

namespace talviro6 {

class DropDownList;

/// The edit handlers of the window's controls: each hands its change to the edit
/// session, which reads back, validates, has the controls refreshed and takes the
/// history step, so the controls always show the validated image.
class WindowEdits {
  public:
    struct Widgets {
        DropDownList *bikeType = nullptr; ///< ComboBoxBike
        DropDownList *synchro = nullptr;  ///< ComboBoxSynchro
        QCheckBox *servoAll = nullptr;    ///< CheckBoxServoAll: a step moves the whole servo curve
        QCheckBox *advanceAll = nullptr;  ///< CheckBoxIgnAll: a step moves the whole map
    };
    /// Where the engine runs now, as the unit last reported it.
    struct Live {
        std::function<int()> servoPoint;                       ///< the servo curve's point
        std::function<std::optional<MapCell>()> operatingCell; ///< empty below the speed range
        std::function<int()> tpsMillivolts;                    ///< mV
    };

    WindowEdits(EditSession &session, Widgets widgets, Live live);

    /// A value typed, stepped or ticked in a control: the controls as they stand.
    void controlChanged();
    /// An item of a function group; the image takes it as it is.
    void choose(int offset, int item);
    /// The bike type or the synchronization chosen: their preset decides the rest.
    void bikeTypeChanged();
    void stepServo(Step step);
    /// The throttle sensor's voltage now as its 0 % or 100 %; nothing when out of range.
    void captureTps(bool full);
    void stepColumn(int column, Step step);
    /// The operating cell, or the whole map, one step.
    void stepAdvance(Step step);

  private:
    EditSession &m_session;
    Widgets m_w;
    Live m_live;
};

} // namespace talviro6
