#pragma once

#include "editor/window_services.h"

#include <QObject>
#include <QString>

#include <optional>

namespace talviro6 {

/// The questions and messages the window puts to the tuner. Tests pass a double
/// that answers and records what was shown.
class UserDialogs {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;
    /// A modal box with OK. The tick keeps running while it is open.
    virtual void message(const QString &text) = 0;
    /// A modal box with Yes, No and Cancel; closing it counts as Cancel.
    virtual Answer askYesNoCancel(const QString &text) = 0;
    /// The open dialog for parameter files, proposing `preset`; empty when cancelled.
    virtual QString askOpenFileName(const QString &preset) = 0;
    /// The save dialog for parameter files, proposing `preset`; it adds ".ign" to a
    /// name without an extension and asks before a file is overwritten. Empty when
    /// cancelled.
    virtual QString askSaveFileName(const QString &preset) = 0;
    /// A whole number within [minimum, maximum], proposing `preset`; empty when
    /// cancelled. A double that does not answer cancels.
    virtual std::optional<int> askNumber(const QString &text, int preset, int minimum, int maximum)
    {
        (void)text, (void)preset, (void)minimum, (void)maximum;
        return std::nullopt;
    }
    /// The same two dialogs for recordings of the live data (.csv). A double
    /// answers them as it answers those for parameter files.
    virtual QString askOpenRecordingName(const QString &preset) { return askOpenFileName(preset); }
    virtual QString askSaveRecordingName(const QString &preset) { return askSaveFileName(preset); }
};

/// The real thing: message boxes and file dialogs over the active window.
class MessageBoxDialogs final : public UserDialogs {
  public:
    void message(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
    QString askOpenFileName(const QString &preset) override;
    QString askSaveFileName(const QString &preset) override;
    std::optional<int> askNumber(const QString &text, int preset, int minimum, int maximum) override;
    QString askOpenRecordingName(const QString &preset) override;
    QString askSaveRecordingName(const QString &preset) override;
};

/// The desktop's viewer for a document or folder. On Windows and macOS the
/// platform's call knows whether it opened. Elsewhere that call only starts the
/// desktop's opener and cannot tell when the opener then finds no viewer, so the
/// opener runs here as a process of its own whose exit is watched; without a
/// desktop environment it keeps the viewer in the foreground and ends with it, so
/// it is never waited for.
class DesktopShell final : public DocumentShell {
  public:
    /// `opener`: the program given the path, e.g. xdg-open, which follows its exit codes.
    explicit DesktopShell(QString opener = QStringLiteral("xdg-open"));
    /// An opener still running is ended (not the viewer it started) and reports nothing.
    ~DesktopShell() override;
    void openDocument(const QString &path, Failure onFailure) override;

  private:
    QString m_opener;
    QObject m_running; ///< parent of the openers that have not ended yet
};

} // namespace talviro6
