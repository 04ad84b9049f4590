#include "editor/window_live.h"

#include "editor/charts/charts_window.h"
#include "editor/live_display.h"
#include "editor/recording_dwell/form_recording_dwell.h"
#include "editor/replay/form_replay.h"
#include "editor/user_dialogs.h"
#include "editor/viewer/form_viewer.h"
#include "editor/window_files.h"
#include "link/link_engine.h"
#include "live/live_data.h"
#include "platform/file_paths.h"
#include "recordings/monitor_csv.h"
#include "recordings/recording_reader.h"
#include "texts/charts_texts.h"
#include "texts/recording_texts.h"
#include "texts/viewer_texts.h"

#include <QAction>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include <utility>

namespace talviro6 {
namespace {

QString recText(RecordingText t, int language)
{
    return QString::fromUtf8(recordingText(t, language));
}

} // namespace

WindowLive::WindowLive(const EditSession &session, LinkEngine &link, const LiveData &live, UserDialogs &dialogs,
                       const WindowFiles &files, LiveDisplayPainter &painter, Widgets widgets, ChartsLibrary charts)
    : m_session(session), m_link(link), m_live(live), m_dialogs(dialogs), m_files(files), m_painter(painter),
      m_w(widgets), m_chartsLibrary(std::move(charts))
{
}

void WindowLive::menuRecordClick()
{
    if (!m_w.record->isChecked()) {
        stopRecording();
        return;
    }
    const QString folder = QFileInfo(m_files.savePreset()).absolutePath();
    const QString preset = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                               .filePath(QStringLiteral("talviro6_") +
                                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmm")) +
                                         QStringLiteral(".csv"));
    const QString path = m_dialogs.askSaveRecordingName(preset);
    if (path.isEmpty() || !startRecording(path))
        m_w.record->setChecked(false);
}

bool WindowLive::startRecording(const QString &path)
{
    stopRecording();
    const UnitHeaderTexts &unit = m_link.unitHeaderTexts();
    const QString file = m_files.parameterFileName();
    // A recording is read against the parameters it was made with: the file alone
    // does not say them once the editor has left it.
    const auto &fileParameters = m_files.fileParameters();
    const bool edited = !fileParameters || *fileParameters != m_session.held();
    const std::vector<std::string> comments{
        "parameter file: " +
            (file.isEmpty() ? std::string("(none)") : file.toStdString() + (edited ? " (edited since)" : "")),
        // The unit's header comes with a read, a verify or a programming.
        unit.UnitNameText.empty()
            ? std::string("unit: (not read)")
            : "unit: " + unit.UnitNameText + " | " + unit.UnitDateText + " | " + unit.UnitTimeText,
        "started: " + QDateTime::currentDateTime().toString(Qt::ISODate).toStdString(),
    };
    std::string error;
    if (!m_recorder.start(QFile::encodeName(path).toStdString(), comments, &error)) {
        m_dialogs.message(recText(RecordingText::RecordCannotStart, language()) + QStringLiteral("\n") +
                          QString::fromStdString(error));
        m_w.record->setChecked(false);
        return false;
    }
    // Frames that came before the start are not part of the recording.
    m_recordSeen = m_link.state().monitorFrames;
    if (!m_recLabel) {
        m_recLabel = new QLabel(m_w.statusBar);
        m_recLabel->setObjectName(QStringLiteral("LabelRecording"));
        m_recLabel->setStyleSheet(QStringLiteral("QLabel { color: white; background: #c00000; font-weight: bold; "
                                                 "padding: 0px 6px; }"));
        m_recLabel->setMaximumHeight(m_w.statusBar->fontMetrics().height());
        // Left of the unit state: permanent widgets are laid out in the order inserted,
        // and their indexes count after the bar's one ordinary widget, the file note.
        m_w.statusBar->insertPermanentWidget(1, m_recLabel);
    }
    m_recLabel->setToolTip(recText(RecordingText::RecordingTo, language()) + QStringLiteral(" ") + path);
    m_recLabel->setText(QString::fromStdString(recordingBadge(0)));
    m_recLabel->show();
    m_w.record->setChecked(true);
    return true;
}

void WindowLive::stopRecording()
{
    if (m_recLabel)
        m_recLabel->hide();
    m_w.record->setChecked(false);
    if (!m_recorder.active())
        return;
    std::string error;
    if (!m_recorder.stop(&error))
        m_dialogs.message(recText(RecordingText::RecordStopped, language()) + QStringLiteral("\n") +
                          QString::fromStdString(error));
}

void WindowLive::recordStep()
{
    const std::uint32_t frames = m_link.state().monitorFrames;
    if (!m_recorder.active()) {
        m_recordSeen = frames;
        return;
    }
    std::string error;
    bool ok = true;
    if (frames != m_recordSeen) {
        m_recordSeen = frames;
        ok = m_recorder.frame(m_link.lastMonitorFrame(), m_live.state().TpsMillivolts, &error);
    }
    const std::uint32_t before = m_recorder.elapsedSeconds();
    ok = ok && m_recorder.tick(&error);
    if (!ok) {
        // The recorder has closed the file; a full disk must not look like a recording.
        if (m_recLabel)
            m_recLabel->hide();
        m_w.record->setChecked(false);
        m_dialogs.message(recText(RecordingText::RecordStopped, language()) + QStringLiteral("\n") +
                          QString::fromStdString(error));
        return;
    }
    if (m_recorder.elapsedSeconds() != before)
        m_recLabel->setText(QString::fromStdString(recordingBadge(m_recorder.elapsedSeconds())));
}

std::optional<Recording> WindowLive::readRecordingOrSay(const QString &path, const QString &noFrames)
{
    const int l = language();
    RecordingRead read = readRecording(toFsPath(path));
    if (read.problem != RecordingProblem::None) {
        const QString reason = read.problem == RecordingProblem::NotARegularFile
                                   ? recText(RecordingText::NotARegularFile, l)
                                   : QString::fromStdString(read.reason);
        m_dialogs.message(recText(RecordingText::ReplayCannotRead, l) + QStringLiteral("\n") + path +
                          QStringLiteral("\n") + reason);
        return std::nullopt;
    }
    if (read.recording.frames.empty()) {
        QString text = noFrames + QStringLiteral("\n") + path;
        if (read.recording.skippedLines > 0)
            text += QStringLiteral("\n") + recText(RecordingText::ReplaySkipped, l) + QStringLiteral(" ") +
                    QString::number(read.recording.skippedLines);
        m_dialogs.message(text);
        return std::nullopt;
    }
    return std::move(read.recording);
}

void WindowLive::menuReplayClick()
{
    const QString path = m_dialogs.askOpenRecordingName(QFileInfo(m_files.openPreset()).absolutePath());
    if (!path.isEmpty())
        openRecording(path);
}

bool WindowLive::openRecording(const QString &path)
{
    const int l = language();
    std::optional<Recording> read = readRecordingOrSay(path, recText(RecordingText::ReplayNoFrames, l));
    if (!read)
        return false;
    Recording &recording = *read;
    if (m_replay) {
        m_replay->close();
        m_replay->deleteLater();
    }
    m_replay = new FormReplay(
        ReplayClock(std::move(recording.frames)), path, recording.skippedLines, l,
        [this](const MonitorFrame &frame) { m_link.HandleMonitorFrame(encodeMonitorFrame(frame)); }, m_w.window);
    m_replay->show();
    m_replay->play();
    return true;
}

void WindowLive::menuViewerClick()
{
    const QString path = m_dialogs.askOpenRecordingName(QFileInfo(m_files.openPreset()).absolutePath());
    if (!path.isEmpty())
        openViewer(path);
}

bool WindowLive::openViewer(const QString &path)
{
    const int l = language();
    std::optional<Recording> read =
        readRecordingOrSay(path, QString::fromUtf8(viewerText(ViewerText::NotARecording, l)));
    if (!read)
        return false;
    if (m_viewer) {
        m_viewer->close();
        m_viewer->deleteLater();
    }
    m_viewer = new FormViewer(
        std::move(*read), path, l,
        [this](const MonitorFrame &frame) { m_link.HandleMonitorFrame(encodeMonitorFrame(frame)); }, m_w.window);
    ++m_viewerOpenings;
    QObject::connect(m_viewer, &FormViewer::chosenRangeChanged, m_viewer,
                     [this, path](qint64 from, qint64 to) { countViewerRange(from, to, path); });
    m_viewer->show();
    return true;
}

void WindowLive::countViewerRange(std::int64_t fromMs, std::int64_t toMs, const QString &path)
{
    const std::deque<PackedFrame> &frames = m_viewer->clock().frames();
    FormRecordingDwell *form = madeRecordingDwellWindow();
    // A day's recording is a million frames: copied once for a viewer, not per range.
    if (m_dwellFromViewer != m_viewerOpenings) {
        form->setRecording(frames, path);
        m_dwellFromViewer = m_viewerOpenings;
    }
    const std::int64_t first = frames.front().milliseconds;
    form->showRange(first + fromMs, first + toMs);
    form->show();
    form->raise();
}

bool WindowLive::replaying() const
{
    return (m_replay && m_replay->isVisible()) || (m_viewer && m_viewer->drivesWindow());
}

void WindowLive::replayStep()
{
    m_link.setUnitLiveFramesIgnored(replaying());
    if (m_viewer && m_viewer->isVisible() && m_viewer->language() != language())
        m_viewer->setLanguage(language());
    if (!replaying())
        return;
    if (m_viewer && m_viewer->drivesWindow())
        m_viewer->tick();
    if (m_replay && m_replay->isVisible()) {
        if (m_replay->language() != language())
            m_replay->setLanguage(language());
        m_replay->tick();
    }
    // Replayed frames are not the unit's: the recorder leaves them out.
    m_recordSeen = m_link.state().monitorFrames;
}

void WindowLive::countDwell()
{
    const LinkState &s = m_link.state();
    // Only while live frames come: after the unit is lost, and during a job (no
    // polls), the last engine speed is stale and would pile onto one cell.
    if (s.SilenceTicks >= LinkEngine::LostTicks || s.TransferMode != Transfer::Idle)
        return;
    // A paused or ended replay feeds its moment again at every tick to keep it on
    // show; no time passes there.
    if (m_replay && m_replay->isVisible() && !m_replay->clock().playing())
        return;
    if (m_viewer && m_viewer->drivesWindow() && !m_viewer->playing())
        return;
    m_dwell.tick(m_live.state().operatingPoint, m_live.state().EngineSpeed);
}

void WindowLive::menuDwellClick()
{
    // The next tick repaints; painting now shows the change at once, also with no unit.
    m_painter.paintOperatingPoint(m_live.state().operatingPoint, shownDwell());
}

void WindowLive::menuDwellResetClick()
{
    m_dwell.reset();
    menuDwellClick();
}

const DwellMap *WindowLive::shownDwell() const
{
    // Two maps of counts, never added up: the live counts go on in m_dwell while a
    // recording's are shown, and come back on show when its window closes.
    if (m_recordingDwell && m_recordingDwell->isVisible())
        return &m_recordingDwell->shading();
    return m_w.dwell->isChecked() ? &m_dwell : nullptr;
}

FormRecordingDwell *WindowLive::madeRecordingDwellWindow()
{
    if (!m_recordingDwell) {
        m_recordingDwell =
            new FormRecordingDwell([this]() -> const UnitImage & { return m_session.image(); }, language(),
                                   [this] {
                                       // Another map of counts may carry the same revision: everything is repainted.
                                       m_painter.invalidate();
                                       m_painter.paintOperatingPoint(m_live.state().operatingPoint, shownDwell());
                                   },
                                   [this] {
                                       const QString path = m_dialogs.askOpenRecordingName(QString());
                                       if (!path.isEmpty())
                                           openDwellRecording(path);
                                   },
                                   m_w.window);
    }
    m_recordingDwell->setLanguage(language());
    return m_recordingDwell;
}

void WindowLive::menuRecordingDwellClick()
{
    FormRecordingDwell *form = madeRecordingDwellWindow();
    form->show();
    form->raise();
    form->activateWindow();
    if (!form->hasRecording())
        form->openButton()->click();
}

bool WindowLive::openDwellRecording(const QString &path)
{
    const int l = language();
    std::optional<Recording> read = readRecordingOrSay(path, recText(RecordingText::ReplayNoFrames, l));
    if (!read)
        return false;
    FormRecordingDwell *form = madeRecordingDwellWindow();
    form->setRecording(std::move(read->frames), path);
    m_dwellFromViewer = 0;
    form->show();
    form->raise();
    return true;
}

void WindowLive::menuChartsClick()
{
    if (!m_charts) {
        QString reason;
        m_charts = loadChartsWindow(m_chartsLibrary, m_w.window, &reason);
        if (!m_charts) {
            m_dialogs.message(QString::fromUtf8(chartsText(ChartsText::NotShown, language())) + QLatin1Char('\n') +
                              reason);
            return;
        }
    }
    QDialog *charts = m_charts->dialog();
    charts->show();
    charts->raise();
    charts->activateWindow();
    refreshCharts();
}

void WindowLive::refreshCharts()
{
    // The recording's counts follow the map's speed columns and the language too.
    if (m_recordingDwell && m_recordingDwell->isVisible()) {
        m_recordingDwell->setLanguage(language());
        m_recordingDwell->recount();
    }
    // A closed window costs the refresh and the tick nothing.
    if (!m_charts || !m_charts->dialog()->isVisible())
        return;
    m_charts->showImage(m_session.image(), language());
    m_charts->showOperatingPoint(m_live.state().operatingPoint);
}

void WindowLive::paintOperatingPoint(bool printMode)
{
    // Paper shows the parameters, not where the engine happens to run.
    if (printMode)
        m_painter.paintParametersOnly();
    else
        m_painter.paintOperatingPoint(m_live.state().operatingPoint, shownDwell());
    // The curves follow refresh(), which every edit, read and language switch runs;
    // the tick moves only the point.
    if (m_charts && m_charts->dialog()->isVisible())
        m_charts->showOperatingPoint(m_live.state().operatingPoint);
}

} // namespace talviro6
