#pragma once

#include "editor/binding.h"
#include "editor/controls.h"
#include "editor/desktop_opener.h"
#include "editor/live_display.h"
#include "editor/qt_translations.h"
#include "editor/window_edits.h"
#include "editor/window_files.h"
#include "editor/window_history.h"
#include "editor/window_live.h"
#include "editor/window_printing.h"
#include "editor/window_review.h"
#include "editor/window_risk_warnings.h"
#include "editor/window_services.h"
#include "editor/window_settings.h"
#include "editor/window_snapshots.h"
#include "editor/window_transfers.h"
#include "editor/window_unit_state.h"
#include "link/link_engine.h"
#include "live/live_data.h"
#include "model/edit_session.h"
#include "model/edit_steps.h"
#include "model/unit_image.h"
#include "model/validate.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <QLabel>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

namespace talviro6 {

class FormAbout;
class FormCompare;
class FormHistory;
class MapSelection;
class FormRecordingDwell;
class FormReplay;
class FormViewer;
class FormReview;
class ChartsWindow;
class DeferredStart;
class NumericField;
class SerialPort;
class UserDialogs;

/// The main window: owns the edit session, the link engine and every control for
/// the whole run. Every edit goes through the session, which reads the controls
/// back, validates, has them refreshed and takes the history step. The window's
/// handlers keep their names and hand the work to the pieces it composes, each
/// given the session and its own controls: WindowEdits (the edit handlers),
/// WindowFiles (new, open, save), WindowSettings (the files kept between runs),
/// WindowPrinting, WindowHistory (undo, redo, programming after change),
/// WindowUnitState (the unit state and the title), WindowRiskWarnings (the
/// warnings on risky values), DesktopOpener, WindowLive
/// (recording, replay, dwell and charts) WindowTransfers (read, verify,
/// program, the port and the language) and WindowSnapshots (the snapshots and
/// the Compare window).
class FormHlav : public QMainWindow, private LinkCallbacks, private EditSession::Editor {
    Q_OBJECT

  public:
    static constexpr int TickMilliseconds = 55;

    /// Timer: Timer1 drives the tick. Manual: nothing does; the caller calls
    /// Timer1Timer() itself (tests count ticks, they do not wait for them).
    enum class TickSource { Timer, Manual };

    FormHlav(SerialPort &port, WindowServices services, TickSource ticks = TickSource::Timer,
             QWidget *parent = nullptr);
    ~FormHlav() override;

    /// The pages in the order of their tabs.
    enum Page { PageMisc, PageBike, PageAdvance, PageServo, PagePowerOut };

    /// All: every page is built before FormCreate returns. ShownFirst: only the page
    /// the window opens on; the others are built right after the window's first
    /// paint (DeferredStart), and at once should input, a close, a file to open or
    /// a recording come first. The tick starts and the port opens only then, so no
    /// tick, job or box meets a page that is not there.
    enum class StartPages { All, ShownFirst };

    /// The start-up sequence; `arguments` without the program name. The first may
    /// pick the language.
    void FormCreate(const QStringList &arguments, StartPages pages = StartPages::All);
    /// Whether the start has finished: every page built, the tick running.
    bool started() const { return m_started; }
    /// Opens a parameter file named among the arguments. Called once the window is
    /// shown, so that a box about the file has a window to belong to.
    void openFromCommandLine(const QStringList &arguments);

    Controls &controls() { return m_c; }
    EditSession &session() { return m_session; }
    const UnitImage &image() const { return m_session.image(); }
    const SettingsIndexes &settings() const { return m_session.settings(); }
    LinkEngine &link() { return m_link; }
    /// The live values, the operating point and the monitor column.
    LiveData &live() { return m_live; }
    const EditHistory &history() const { return m_session.history(); }
    bool testEnable() const { return m_session.testEnable(); }
    void setTestEnable(bool on);
    /// The one print-mode flag; the link hides its banners by it too.
    bool printMode() const { return m_link.state().PrintMode; }
    const QString &currentFileName() const { return m_files->currentFileName(); }
    const QString &exeDirFileName() const { return m_files->exeDirFileName(); }
    /// The file names each dialog proposes next.
    const QString &openPreset() const { return m_files->openPreset(); }
    const QString &savePreset() const { return m_files->savePreset(); }
    /// The settings file, the start-up image file and the test-enable file.
    QString settingsFilePath() const { return m_settings->settingsFilePath(); }
    QString startupImagePath() const { return m_settings->startupImagePath(); }
    QString testEnablePath() const { return m_settings->testEnablePath(); }
    /// Every numeric field, for tests and for wiring.
    const std::vector<NumericField *> &numericFields() const { return m_fields; }
    const ControlBinding &binding() const { return *m_binding; }
    /// The About window, made on first use.
    FormAbout *about();

    /// The image into every control, then the control states.
    void refresh();
    void updateControlStates();

    /// Opens a parameter file as Open does after its dialog (drag and drop, command line).
    void openParameterFile(const QString &path) { m_files->openParameterFile(path); }

    /// Bytes (offset, value) into the editor as one edit: validated, shown, one undo
    /// step. Returns the offsets validation holds otherwise than the edit put them:
    /// chosen bytes it refused or changed, and others it changed because of them.
    std::vector<int> takeOverFields(const std::vector<std::pair<int, std::uint8_t>> &bytes)
    {
        return m_snapshots->takeOverFields(bytes);
    }
    /// The folder the snapshots of reads and programmings go to.
    QString snapshotFolder() const { return m_snapshots->snapshotFolder(); }
    /// The Compare window, made on first use.
    FormCompare *compareWindow() { return m_snapshots->compareWindow(); }
    /// The History window, made on first use.
    FormHistory *historyWindow() { return m_snapshots->historyWindow(); }
    /// The review before programming, made on the first Program that asks; null before.
    FormReview *reviewWindow() const { return m_review->reviewWindow(); }
    /// The block selected on the advance map and its edits.
    MapSelection *mapSelection() const { return m_mapSelection; }

    // Recording, replay, dwell and charts (WindowLive).
    /// Records every accepted live frame to `path` (the menu item, --record); false,
    /// after a message, when the file cannot be made.
    bool startRecording(const QString &path)
    {
        finishStart(); // the recorder takes what the tick brings
        return m_liveWindow->startRecording(path);
    }
    void stopRecording() { m_liveWindow->stopRecording(); }
    bool recording() const { return m_liveWindow->recorder().active(); }
    const LiveRecorder &recorder() const { return m_liveWindow->recorder(); }
    /// "REC 00:12" in the status bar; null before the first recording.
    QLabel *recordingLabel() const { return m_liveWindow->recordingLabel(); }
    /// Opens a recording as Replay does after its dialog and plays it; false, after a
    /// message, when no line of it can be read.
    bool openRecording(const QString &path) { return m_liveWindow->openRecording(path); }
    /// The replay window of the recording opened last; null before.
    FormReplay *replayWindow() const { return m_liveWindow->replayWindow(); }
    /// Opens a recording in the viewer as View a recording does after its dialog;
    /// false, after a message, when the file is no recording.
    bool openViewer(const QString &path) { return m_liveWindow->openViewer(path); }
    /// The viewer of the recording opened last; null before.
    FormViewer *viewerWindow() const { return m_liveWindow->viewerWindow(); }
    /// Where the engine ran, counted at every tick with live data.
    const DwellMap &dwell() const { return m_liveWindow->dwell(); }
    /// Where the engine ran in a recording: shows its window counting `path`; false,
    /// after a message, when it holds no line of live data.
    bool openDwellRecording(const QString &path) { return m_liveWindow->openDwellRecording(path); }
    FormRecordingDwell *recordingDwellWindow() const { return m_liveWindow->recordingDwellWindow(); }
    /// The charts window; null until Extras > Charts first opened it.
    ChartsWindow *chartsWindow() const { return m_liveWindow->chartsWindow(); }

  signals:
    /// The rest of the start begins (see StartPages), before its pages are built.
    void finishingStart();

  public slots:
    // Edit handlers.
    void UpDownClick();
    void EditExit();
    void FormKeyPress(talviro6::NumericField *field);
    void CheckBoxMouseUp();
    void RadioGroupInput1Click(int item);
    void RadioGroupInput2Click(int item);
    void RadioGroupPOutClick(int output, int item);
    void ComboBoxBikeChange();
    void BitBtnServoMinusClick();
    void BitBtnServoPlusClick();
    void BitBtnTps0Click();
    void BitBtnTps100Click();
    void CSpinButtonDownClick(int column);
    void CSpinButtonUpClick(int column);
    void CSpinButtonAllDownClick();
    void CSpinButtonAllUpClick();

    // Commands.
    void MenuNewClick();
    void MenuOpenClick();
    void MenuOpenExeDirClick();
    void MenuSaveClick();
    void MenuSaveExeDirClick();
    void SpeedButtonPrintClick();
    void MenuPrintAllClick();
    void MenuContensClick();
    void MenuReadClick();
    void MenuVerifyClick();
    void MenuProgramClick();
    void MenuCom1Click(int entry);
    void MenuExitClick();
    void MenuEnglishClick();
    void MenuGermanClick();
    void MenuFrenchClick();
    void MenuCzechClick();
    void MenuAboutClick();
    void MenuCompareClick();
    void MenuSnapshotsClick();
    void MenuHistoryClick();
    void MenuRecordClick();
    void MenuReplayClick();
    void MenuViewerClick();
    void MenuDwellClick();
    void MenuDwellResetClick();
    void MenuChartsClick();
    void MenuReadWhenFoundClick();
    void SpeedButtonZpetClick();
    void SpeedButtonZnovuClick();

    /// The tick: the link's receive, job, message and watchdog steps, then the live data and its display.
    void Timer1Timer();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

  private:
    // LinkCallbacks
    int readFinished(const ParameterArea &received) override;
    void showMessageBox(const LinkBox &box) override;
    void liveFrame(const MonitorFrame &frame) override;

    // EditSession::Editor
    void readBack(UnitImage &image) const override;
    int pageShown() const override;
    /// What the session asks after each of its operations.
    void showEdit(const EditChange &change);

    /// The page at tab `index`, unless it is built.
    void buildPage(int index);
    /// Every page not built yet, then the binding, the wiring and the edits over all.
    void buildPages();
    /// The rest of the start: the pages left, the tick, the port, the start's notes.
    void finishStart();
    void wireControls();
    void wireMenu();
    void installHintHandler();
    void centreWindow();
    void applyCommandLineLanguage(const QStringList &arguments);
    /// The kept texts of the language in use; the placeholders while no unit answers.
    void LoadMessages();
    /// Every caption, item and hint in the language in use, then LoadMessages.
    void ApplyCaptions();
    void paintLive();

    // form_printing
    void enterPrintMode(const QString &stamp);
    void leavePrintMode();

    EditSession m_session;
    KeptTexts m_texts;
    QtTranslations m_qtTexts; ///< Qt's own buttons and dialogs in the language in use
    WindowServices m_services;
    LinkEngine m_link;
    LiveData m_live;
    Controls m_c;
    std::unique_ptr<ControlBinding> m_binding;
    FormAbout *m_about = nullptr;             ///< shown on demand
    MapSelection *m_mapSelection = nullptr;   ///< a child of the window
    DeferredStart *m_deferredStart = nullptr; ///< while the start waits for the first paint
    bool m_started = false;

    std::uint32_t m_knownUnitSeen = 0; ///< the link's knownUnitRevision last looked at
    LiveDisplayPainter m_painter;
    std::vector<NumericField *> m_fields;
    QTimer m_timer;
    TickSource m_tickSource;

    std::unique_ptr<WindowEdits> m_edits;
    std::unique_ptr<WindowFiles> m_files;
    std::unique_ptr<WindowSettings> m_settings;
    std::unique_ptr<WindowPrinting> m_printing;
    std::unique_ptr<WindowHistory> m_history;
    std::unique_ptr<WindowUnitState> m_unitState;
    std::unique_ptr<WindowRiskWarnings> m_riskWarnings;
    std::unique_ptr<DesktopOpener> m_desktop;
    std::unique_ptr<WindowLive> m_liveWindow;
    std::unique_ptr<WindowTransfers> m_transfers;
    std::unique_ptr<WindowReview> m_review;
    std::unique_ptr<WindowSnapshots> m_snapshots;
};

} // namespace talviro6
