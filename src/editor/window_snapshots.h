#pragma once

#include "model/edit_session.h"

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

class QStatusBar;
class QWidget;

namespace talviro6 {

class DesktopOpener;
class FormCompare;
class FormHistory;
class LinkEngine;
class UserDialogs;
class WindowFiles;

/// A snapshot of every read and verified programming, the folder they go to, and
/// the Compare window, which can take bytes over into the editor.
class WindowSnapshots {
  public:
    struct Widgets {
        QStatusBar *statusBar = nullptr; ///< StatusBar1, where a saved snapshot is noted
        QWidget *window = nullptr;       ///< the parent of the Compare window
    };

    WindowSnapshots(EditSession &session, const LinkEngine &link, UserDialogs &dialogs, DesktopOpener &desktop,
                    const WindowFiles &files, QString settingsFolder, Widgets widgets);

    /// The folder the snapshots of reads and programmings go to.
    QString snapshotFolder() const;
    /// After the link's known set changed: a snapshot when a read or a verified
    /// programming made it.
    void noteVerifiedJob();
    /// Bytes (offset, value) into the editor as one edit; the offsets validation holds
    /// otherwise than the edit put them.
    std::vector<int> takeOverFields(const std::vector<std::pair<int, std::uint8_t>> &bytes);
    /// Made on first use.
    FormCompare *compareWindow();
    /// Made on first use.
    FormHistory *historyWindow();
    void menuCompareClick();
    /// The Compare window with the editor against the unit's last known set.
    void compareEditorWithUnit();
    void menuSnapshotsClick();
    void menuHistoryClick();

  private:
    EditSession &m_session;
    const LinkEngine &m_link;
    UserDialogs &m_dialogs;
    DesktopOpener &m_desktop;
    const WindowFiles &m_files;
    QString m_settingsFolder;
    Widgets m_w;
    FormCompare *m_compare = nullptr;
    FormHistory *m_history = nullptr;
};

} // namespace talviro6
