#pragma once

#include "editor/charts/charts_loader.h"
#include "live/dwell_map.h"
#include "model/edit_session.h"
#include "recordings/live_recorder.h"
#include "recordings/recording_reader.h"

#include <QString>

#include <cstdint>
#include <optional>

class QAction;
class QLabel;
class QStatusBar;
class QWidget;

namespace talviro6 {

class ChartsWindow;
class FormRecordingDwell;
class FormReplay;
class FormViewer;
class LinkEngine;
class LiveData;
class LiveDisplayPainter;
class UserDialogs;
class WindowFiles;

/// What the window does with the live data besides showing it: the recording to a
/// file with its REC badge, the replay window, where the engine ran (the dwell
/// map) and the charts window, whose library is loaded when it is first asked for.
class WindowLive {
  public:
    struct Widgets {
        QAction *record = nullptr;       ///< MenuRecord
        QAction *dwell = nullptr;        ///< MenuDwell
        QStatusBar *statusBar = nullptr; ///< StatusBar1, where the REC badge goes
        QWidget *window = nullptr;       ///< the parent of the replay and charts windows
    };

    WindowLive(const EditSession &session, LinkEngine &link, const LiveData &live, UserDialogs &dialogs,
               const WindowFiles &files, LiveDisplayPainter &painter, Widgets widgets, ChartsLibrary charts);

    // Recording
    void menuRecordClick();
    bool startRecording(const QString &path);
    void stopRecording();
    /// After the link's tick: the frame it accepted into the recording.
    void recordStep();
    const LiveRecorder &recorder() const { return m_recorder; }
    QLabel *recordingLabel() const { return m_recLabel; }

    // Replay
    void menuReplayClick();
    bool openRecording(const QString &path);
    /// Before the link's tick: the replayed frame, which the link takes as the unit's.
    void replayStep();
    FormReplay *replayWindow() const { return m_replay; }

    // Viewer
    void menuViewerClick();
    /// Opens a recording in the viewer; false, after a message, when it is none.
    bool openViewer(const QString &path);
    FormViewer *viewerWindow() const { return m_viewer; }

    // Dwell
    void countDwell();
    void menuDwellClick();
    void menuDwellResetClick();
    const DwellMap &dwell() const { return m_dwell; }

    // Where the engine ran in a recording
    /// Shows the window; asks for a recording when it has none.
    void menuRecordingDwellClick();
    bool openDwellRecording(const QString &path);
    /// The viewer's chosen range (ms after its first frame) counted in the window of
    /// where the engine ran, with the viewer's recording.
    void countViewerRange(std::int64_t fromMs, std::int64_t toMs, const QString &path);
    FormRecordingDwell *recordingDwellWindow() const { return m_recordingDwell; }

    // Charts
    /// Null until Extras > Charts first opened it.
    ChartsWindow *chartsWindow() const { return m_charts; }
    /// Loads the charts' library the first time; when it cannot, the box says why
    /// and the next click tries again.
    void menuChartsClick();
    void refreshCharts();

    /// The operating point on the map and the charts; on paper, the parameters alone.
    void paintOperatingPoint(bool printMode);

  private:
    /// The recording at `path` when it holds a frame; else the box says why, headed
    /// by `noFrames` for a file without one, and nothing is returned.
    std::optional<Recording> readRecordingOrSay(const QString &path, const QString &noFrames);
    /// The replay or the viewer shows a recorded moment in the window.
    bool replaying() const;
    /// The counts the maps shade: a recording's while its window is shown, else the
    /// live ones when Extras asks for them, else none.
    const DwellMap *shownDwell() const;
    FormRecordingDwell *madeRecordingDwellWindow();
    int language() const { return m_session.settings().languageIndex; }

    const EditSession &m_session;
    LinkEngine &m_link;
    const LiveData &m_live;
    UserDialogs &m_dialogs;
    const WindowFiles &m_files;
    LiveDisplayPainter &m_painter;
    Widgets m_w;
    ChartsLibrary m_chartsLibrary;

    LiveRecorder m_recorder;
    QLabel *m_recLabel = nullptr;     ///< in the status bar, made at the first recording
    FormReplay *m_replay = nullptr;   ///< a child of the window, made by Replay
    FormViewer *m_viewer = nullptr;   ///< a child of the window, made by View a recording
    std::uint32_t m_recordSeen = 0;   ///< the link's monitorFrames the recorder last looked at
    ChartsWindow *m_charts = nullptr; ///< a child of the window, made by the charts' library
    DwellMap m_dwell;
    FormRecordingDwell *m_recordingDwell = nullptr; ///< made at the first use
    /// Which viewer's recording the counts hold (each opening of the viewer has a new
    /// number); 0 when a file was opened there.
    int m_viewerOpenings = 0;
    int m_dwellFromViewer = 0;
};

} // namespace talviro6
