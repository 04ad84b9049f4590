#include "editor/form_hlav.h"

#include "editor/compare/form_compare.h"
#include "editor/user_dialogs.h"
#include "files/snapshots.h"
#include "model/field_compare.h"
#include "platform/file_paths.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QStatusBar>

#include <algorithm>
#include <ctime>

// Extras: what is known of the unit, snapshots of every read
// and programming, and the Compare window.

namespace talviro6 {
namespace {

QString extra(ExtraText t, int language)
{
    return QString::fromUtf8(extraText(t, language));
}

} // namespace

QString FormHlav::snapshotFolder() const
{
    return QDir(m_services.settingsFolder).filePath(QStringLiteral("snapshots"));
}

void FormHlav::refreshTitle()
{
    const int l = m_session.settings().languageIndex;
    QString title = QString::fromUtf8(captionText(Caption::FormHlav, l));
    if (m_c.frame.LabelUnitState && !m_c.frame.LabelUnitState->text().isEmpty())
        title += QStringLiteral("  \u2014  ") + m_c.frame.LabelUnitState->text();
    if (windowTitle() != title)
        setWindowTitle(title);
}

void FormHlav::updateUnitState()
{
    const int l = m_session.settings().languageIndex;
    const auto &known = m_link.knownUnitArea();
    QString state;
    if (!known)
        state = extra(ExtraText::UnitStateUnknown, l);
    else if (const int differing = countDifferingFields(*known, m_session.parameters()); differing == 0)
        state = extra(ExtraText::UnitStateSame, l);
    else
        state = extra(ExtraText::UnitStateDiffers, l) + QString::number(differing);
    if (m_c.frame.LabelUnitState->text() != state)
        m_c.frame.LabelUnitState->setText(state);
    refreshTitle();
}

void FormHlav::noteVerifiedJob()
{
    m_knownUnitSeen = m_link.knownUnitRevision();
    const LinkState &s = m_link.state();
    const auto &known = m_link.knownUnitArea();
    // After every read and every verified programming; a verify alone adds nothing new.
    if (!known || s.lastJobEnd != JobEnd::Verified ||
        (s.lastJobKind != Transfer::Read && s.lastJobKind != Transfer::Program))
        return;
    UnitImage unit = m_session.image();
    unit.parameters = *known; // what the unit holds, as it answered
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    std::optional<int> count;
    if (s.monitorFrames > 0)
        count = m_link.lastMonitorFrame().programCount;
    std::filesystem::path saved;
    const std::string error = saveSnapshot(toFsPath(snapshotFolder()), unit, local, count,
                                           s.lastJobKind == Transfer::Read ? "read" : "program", &saved);
    const int l = m_session.settings().languageIndex;
    if (error.empty())
        m_c.frame.StatusBar1->showMessage(
            extra(ExtraText::SnapshotSaved, l) + QString::fromStdString(saved.filename().string()), 10000);
    else
        m_services.dialogs.message(extra(ExtraText::SnapshotError, l) + QStringLiteral("\n") +
                                   QString::fromStdString(error));
    if (m_compare)
        m_compare->reload();
}

std::vector<int> FormHlav::takeOverFields(const std::vector<std::pair<int, std::uint8_t>> &bytes)
{
    const ParameterArea before = m_session.parameters();
    UnitImage taken = m_session.image();
    for (const auto &[offset, value] : bytes)
        taken[offset] = value;
    m_session.load(taken.parameters, LoadHow::Edit);
    const UnitImage &now = m_session.image();
    std::vector<int> otherwise;
    for (int offset = 0; offset < ParameterSize; ++offset) {
        const bool chosen = std::any_of(bytes.begin(), bytes.end(), [&](const auto &b) { return b.first == offset; });
        if (now[offset] != (chosen ? taken[offset] : before[static_cast<std::size_t>(offset)]))
            otherwise.push_back(offset);
    }
    return otherwise;
}

FormCompare *FormHlav::compareWindow()
{
    if (!m_compare) {
        FormCompare::Sources sources{
            [this] { return m_session.parameters(); },
            [this] { return m_link.knownUnitArea(); },
            snapshotFolder(),
            [this] { return currentFileName(); },
            [this] { return int(m_session.settings().languageIndex); },
            [this](const std::vector<std::pair<int, std::uint8_t>> &bytes) { return takeOverFields(bytes); },
        };
        m_compare = new FormCompare(std::move(sources), m_services.dialogs, this);
        m_compare->resize(720, 760);
    }
    return m_compare;
}

void FormHlav::MenuCompareClick()
{
    FormCompare *window = compareWindow();
    window->reload();
    window->show();
    window->raise();
    window->activateWindow();
}

void FormHlav::MenuSnapshotsClick()
{
    const QString folder = snapshotFolder();
    QDir().mkpath(folder);
    openWithDesktop(folder,
                    QString::fromUtf8(keptText(TextRole::TextManualOpenError, m_session.settings().languageIndex)) +
                        QDir::toNativeSeparators(folder) + QStringLiteral(" !"));
}

void FormHlav::MenuContensClick()
{
    const QString name = QString::fromStdString(m_texts[TextRole::TextManualFile]);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    const QString failure = QString::fromStdString(m_texts[TextRole::TextManualOpenError]) + QStringLiteral("\n") +
                            QDir::toNativeSeparators(path);
    if (QFileInfo(path).isFile())
        openWithDesktop(path, failure);
    else
        m_services.dialogs.message(failure);
}

void FormHlav::openWithDesktop(const QString &path, const QString &failureText)
{
    // The report may come after the window is gone, at the end of the run.
    m_services.shell.openDocument(path, [window = QPointer<FormHlav>(this), failureText](const QString &reason) {
        if (window)
            window->m_services.dialogs.message(reason.isEmpty() ? failureText
                                                                : failureText + QStringLiteral("\n") + reason);
    });
}

} // namespace talviro6
