#pragma once

#include "model/edit_history.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <functional>
#include <optional>

namespace talviro6 {

/// Where an edit's change starts from.
enum class EditFrom {
    Controls, ///< every control read back first: an edit in a field, a step button
    Image,    ///< the image as it stands: a button that takes a live value, the type's preset
};

/// How a whole parameter area enters the editor.
enum class LoadHow {
    Start,    ///< start-up: validated and shown; the history starts over from it
    Edit,     ///< a file, the defaults, Compare's take-over: validated, shown, one history step
    FromUnit, ///< a finished read: validated and shown; the next history step records it with its edit
};

/// What one operation of the session asks of whoever shows the parameters. It
/// comes once, after the session's own steps, so a listener sees a settled image;
/// it refreshes first, then moves the page, then starts a programming asked for.
struct EditChange {
    /// Show the image in every control; false when only the controls' states can
    /// have changed (a choice in a group the image took as it was).
    bool refresh = true;
    bool historyMoved = false; ///< undo or redo may have become possible or impossible
    std::optional<int> page;   ///< the page to show: the one a restored entry was made on
    bool programNow = false;   ///< programming after change: the unit is to be programmed now
};

/// The editor's parameters and every way they change. An edit always runs the
/// same steps, in this order: read back (when it starts from the controls), the
/// change, validation with the controls' own bounds, the one notification (refresh),
/// the history step, and programming after change; nothing outside spells them out.
/// Undo and redo restore an entry without validation and without a history step.
/// Knows no widget: the controls are reached through `Editor`.
class EditSession {
  public:
    /// The editor's controls as the session needs them. The window is one; tests
    /// pass a double.
    class Editor {
      public:
        virtual ~Editor() = default;
        /// Read back: every control into `image`.
        virtual void readBack(UnitImage &image) const = 0;
        /// The page shown, kept with each history entry.
        virtual int pageShown() const = 0;
    };
    using Listener = std::function<void(const EditChange &)>;
    using Change = std::function<void(UnitImage &)>;

    EditSession();

    /// Both must outlive the session, or be replaced before they go.
    void setEditor(const Editor *editor) { m_controls = editor; }
    void setListener(Listener listener) { m_listener = std::move(listener); }

    const UnitImage &image() const { return m_image; }
    const ParameterArea &parameters() const { return m_image.parameters; }
    /// The settings validation keeps in range; the link reads and moves the port's.
    SettingsIndexes &settings() { return m_settings; }
    const SettingsIndexes &settings() const { return m_settings; }
    const EditHistory &history() const { return m_history; }

    /// Test mode: outside it the compensations are fixed (the controls do not show them).
    bool testEnable() const { return m_testEnable; }
    void setTestEnable(bool on) { m_testEnable = on; }
    /// "Programming after change" ticked or not; read by every history step.
    void setProgramAfterChange(bool ticked) { m_programTicked = ticked; }
    bool programAfterChange() const { return m_programTicked; }

    /// An edit: read back (from the controls), `change`, validation, refresh,
    /// history step, programming after change.
    void edit(const Change &change, EditFrom from = EditFrom::Controls);
    /// A choice that the image takes as it is (a function group's item): the byte,
    /// then the history step and programming after change; no validation, and the
    /// controls keep what they show.
    void choose(int offset, std::uint8_t value);
    /// What Save, Program and Verify take: read back, validation, refresh; no
    /// history step (the next one records it with its own edit).
    void takeControls();
    /// A whole area into the editor, `how` says with which steps. Returns the bytes
    /// validation changed: what the editor holds otherwise than `area`.
    int load(const ParameterArea &area, LoadHow how);
    /// The history's undo and redo: false, with nothing done, at its limit.
    bool undo();
    bool redo();

    /// Validation with the controls' own bounds, on an image of the caller's: the
    /// image then holds exactly what the controls would show of it.
    void settle(UnitImage &image);
    /// What saving or programming would take now, without changing anything: the
    /// controls read back into a copy and validated.
    ParameterArea held() const;

    /// The bytes with no step at all: for setting up a test or a picture, never for
    /// an edit. Whoever writes here refreshes what shows them.
    UnitImage &rawImage() { return m_image; }

  private:
    void readBack();
    void historyStep(EditChange &change);
    void notify(const EditChange &change);
    bool restore(const HistorySnapshot &entry);
    int pageShown() const { return m_controls ? m_controls->pageShown() : 0; }

    UnitImage m_image;
    SettingsIndexes m_settings;
    EditHistory m_history;
    ProgramAfterChange m_programAfterChange;
    bool m_programTicked = false;
    bool m_testEnable = false;
    const Editor *m_controls = nullptr;
    Listener m_listener;
};

} // namespace talviro6
