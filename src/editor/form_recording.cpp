#include "editor/form_hlav.h"

#include "editor/binding.h"
#include "editor/replay/form_replay.h"
#include "editor/user_dialogs.h"
#include "platform/file_paths.h"
#include "recordings/monitor_csv.h"
#include "recordings/recording_reader.h"
#include "texts/recording_texts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

// Recording the live data to a file, and playing a recording back.

namespace talviro6 {
namespace {

QString recText(RecordingText t, int language)
{
    return QString::fromUtf8(recordingText(t, language));
}

} // namespace

void FormHlav::MenuRecordClick()
{
    if (!m_c.menu.MenuRecord->isChecked()) {
        stopRecording();
        return;
    }
    const QString folder = QFileInfo(savePreset()).absolutePath();
    const QString preset = QDir(folder.isEmpty() ? QDir::homePath() : folder)
                               .filePath(QStringLiteral("talviro6_") +
                                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmm")) +
                                         QStringLiteral(".csv"));
    const QString path = m_services.dialogs.askSaveRecordingName(preset);
    if (path.isEmpty() || !startRecording(path))
        m_c.menu.MenuRecord->setChecked(false);
}

bool FormHlav::startRecording(const QString &path)
{
    stopRecording();
    const UnitHeaderTexts &unit = m_link.unitHeaderTexts();
    const QString file = parameterFileName();
    // A recording is read against the parameters it was made with: the file alone
    // does not say them once the editor has left it.
    const auto &fileParameters = m_files->fileParameters();
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
        m_services.dialogs.message(recText(RecordingText::RecordCannotStart, m_session.settings().languageIndex) +
                                   QStringLiteral("\n") + QString::fromStdString(error));
        m_c.menu.MenuRecord->setChecked(false);
        return false;
    }
    // Frames that came before the start are not part of the recording.
    m_recordSeen = m_link.state().monitorFrames;
    if (!m_recLabel) {
        m_recLabel = new QLabel(m_c.frame.StatusBar1);
        m_recLabel->setObjectName(QStringLiteral("LabelRecording"));
        m_recLabel->setStyleSheet(QStringLiteral("QLabel { color: white; background: #c00000; font-weight: bold; "
                                                 "padding: 0px 6px; }"));
        m_recLabel->setMaximumHeight(m_c.frame.StatusBar1->fontMetrics().height());
        // Left of the unit state: permanent widgets are laid out in the order inserted,
        // and their indexes count after the bar's one ordinary widget, the file note.
        m_c.frame.StatusBar1->insertPermanentWidget(1, m_recLabel);
    }
    m_recLabel->setToolTip(recText(RecordingText::RecordingTo, m_session.settings().languageIndex) +
                           QStringLiteral(" ") + path);
    m_recLabel->setText(QString::fromStdString(recordingBadge(0)));
    m_recLabel->show();
    m_c.menu.MenuRecord->setChecked(true);
    return true;
}

void FormHlav::stopRecording()
{
    if (m_recLabel)
        m_recLabel->hide();
    m_c.menu.MenuRecord->setChecked(false);
    if (!m_recorder.active())
        return;
    std::string error;
    if (!m_recorder.stop(&error))
        m_services.dialogs.message(recText(RecordingText::RecordStopped, m_session.settings().languageIndex) +
                                   QStringLiteral("\n") + QString::fromStdString(error));
}

void FormHlav::recordStep()
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
        m_c.menu.MenuRecord->setChecked(false);
        m_services.dialogs.message(recText(RecordingText::RecordStopped, m_session.settings().languageIndex) +
                                   QStringLiteral("\n") + QString::fromStdString(error));
        return;
    }
    if (m_recorder.elapsedSeconds() != before)
        m_recLabel->setText(QString::fromStdString(recordingBadge(m_recorder.elapsedSeconds())));
}

void FormHlav::MenuReplayClick()
{
    const QString path = m_services.dialogs.askOpenRecordingName(QFileInfo(openPreset()).absolutePath());
    if (!path.isEmpty())
        openRecording(path);
}

bool FormHlav::openRecording(const QString &path)
{
    const int l = m_session.settings().languageIndex;
    RecordingRead read = readRecording(toFsPath(path));
    if (read.problem != RecordingProblem::None) {
        const QString reason = read.problem == RecordingProblem::NotARegularFile
                                   ? recText(RecordingText::NotARegularFile, l)
                                   : QString::fromStdString(read.reason);
        m_services.dialogs.message(recText(RecordingText::ReplayCannotRead, l) + QStringLiteral("\n") + path +
                                   QStringLiteral("\n") + reason);
        return false;
    }
    Recording &recording = read.recording;
    if (recording.frames.empty()) {
        QString text = recText(RecordingText::ReplayNoFrames, l) + QStringLiteral("\n") + path;
        if (recording.skippedLines > 0)
            text += QStringLiteral("\n") + recText(RecordingText::ReplaySkipped, l) + QStringLiteral(" ") +
                    QString::number(recording.skippedLines);
        m_services.dialogs.message(text);
        return false;
    }
    if (m_replay) {
        m_replay->close();
        m_replay->deleteLater();
    }
    m_replay = new FormReplay(
        ReplayClock(std::move(recording.frames)), path, recording.skippedLines, l,
        [this](const MonitorFrame &frame) { m_link.HandleMonitorFrame(encodeMonitorFrame(frame)); }, this);
    m_replay->show();
    m_replay->play();
    return true;
}

void FormHlav::replayStep()
{
    const bool replaying = m_replay && m_replay->isVisible();
    m_link.setUnitLiveFramesIgnored(replaying);
    if (!replaying)
        return;
    if (m_replay->language() != m_session.settings().languageIndex)
        m_replay->setLanguage(m_session.settings().languageIndex);
    m_replay->tick();
    // Replayed frames are not the unit's: the recorder leaves them out.
    m_recordSeen = m_link.state().monitorFrames;
}

} // namespace talviro6
