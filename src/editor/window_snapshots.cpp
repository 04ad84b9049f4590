#include "editor/window_snapshots.h"

#include "editor/compare/form_compare.h"
#include "editor/desktop_opener.h"
#include "editor/history/form_history.h"
#include "editor/user_dialogs.h"
#include "editor/window_files.h"
#include "files/snapshot_history.h"
#include "files/snapshots.h"
#include "link/link_engine.h"
#include "link/unit_header.h"
#include "platform/file_paths.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

#include <algorithm>
#include <ctime>

namespace talviro6 {
namespace {

QString extra(ExtraText t, int language)
{
    return QString::fromUtf8(extraText(t, language));
}

} // namespace

WindowSnapshots::WindowSnapshots(EditSession &session, const LinkEngine &link, UserDialogs &dialogs,
                                 DesktopOpener &desktop, const WindowFiles &files, QString settingsFolder,
                                 Widgets widgets)
    : m_session(session), m_link(link), m_dialogs(dialogs), m_desktop(desktop), m_files(files),
      m_settingsFolder(std::move(settingsFolder)), m_w(widgets)
{
}

QString WindowSnapshots::snapshotFolder() const
{
    return QDir(m_settingsFolder).filePath(QStringLiteral("snapshots"));
}

void WindowSnapshots::noteVerifiedJob()
{
    const LinkState &s = m_link.state();
    const auto &known = m_link.knownUnitArea();
    // After every read and every verified programming; a verify alone adds nothing new,
    // and a quiet read, which the tuner did not ask for, leaves no file behind.
    if (!known || m_link.knownUnitFromQuietRead() || s.lastJobEnd != JobEnd::Verified ||
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
    std::string unitError;
    if (error.empty())
        if (const std::string unit = unitIdentity(m_link.unitHeader()); !unit.empty())
            unitError = saveSnapshotUnit(saved, unit);
    if (error.empty() && !unitError.empty())
        m_dialogs.message(extra(ExtraText::UnitNotRecorded, l) + QStringLiteral("\n") +
                          QString::fromStdString(unitError));
    else if (error.empty())
        m_w.statusBar->showMessage(
            extra(ExtraText::SnapshotSaved, l) + QString::fromStdString(saved.filename().string()), 10000);
    else
        m_dialogs.message(extra(ExtraText::SnapshotError, l) + QStringLiteral("\n") + QString::fromStdString(error));
    if (m_compare)
        m_compare->reload();
    if (m_history)
        m_history->reload();
}

std::vector<int> WindowSnapshots::takeOverFields(const std::vector<std::pair<int, std::uint8_t>> &bytes)
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

FormCompare *WindowSnapshots::compareWindow()
{
    if (!m_compare) {
        FormCompare::Sources sources{
            [this] { return m_session.parameters(); },
            [this] { return m_link.knownUnitArea(); },
            snapshotFolder(),
            [this] { return m_files.currentFileName(); },
            [this] { return int(m_session.settings().languageIndex); },
            [this](const std::vector<std::pair<int, std::uint8_t>> &bytes) { return takeOverFields(bytes); },
        };
        m_compare = new FormCompare(std::move(sources), m_dialogs, m_w.window);
        m_compare->resize(720, 760);
    }
    return m_compare;
}

FormHistory *WindowSnapshots::historyWindow()
{
    if (!m_history) {
        FormHistory::Sources sources{
            snapshotFolder(),
            [this] { return int(m_session.settings().languageIndex); },
            [this](const ParameterArea &area) { m_session.load(area, LoadHow::Edit); },
            [this](const QString &a, const QString &b) {
                FormCompare *window = compareWindow();
                window->reload();
                // A snapshot is listed by Compare under its absolute path; a file
                // chosen for the side does as well should the two ever differ.
                for (const auto &[side, path] : {std::pair{0, a}, std::pair{1, b}})
                    if (!window->choose(side, FormCompare::Kind::Snapshot, QFileInfo(path).absoluteFilePath()))
                        window->choose(side, FormCompare::Kind::File, path);
                window->show();
                window->raise();
                window->activateWindow();
            },
        };
        m_history = new FormHistory(std::move(sources), m_dialogs, m_w.window);
        m_history->resize(760, 520);
    }
    return m_history;
}

void WindowSnapshots::menuHistoryClick()
{
    FormHistory *window = historyWindow();
    window->reload();
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowSnapshots::menuCompareClick()
{
    FormCompare *window = compareWindow();
    window->reload();
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowSnapshots::compareEditorWithUnit()
{
    FormCompare *window = compareWindow();
    window->reload();
    window->choose(0, FormCompare::Kind::Editor);
    window->choose(1, FormCompare::Kind::Unit);
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowSnapshots::menuSnapshotsClick()
{
    const QString folder = snapshotFolder();
    QDir().mkpath(folder);
    m_desktop.open(folder,
                   QString::fromUtf8(keptText(TextRole::TextManualOpenError, m_session.settings().languageIndex)) +
                       QDir::toNativeSeparators(folder) + QStringLiteral(" !"));
}

} // namespace talviro6
