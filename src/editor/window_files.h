#pragma once

#include "model/edit_session.h"
#include "model/unit_image.h"

#include <QString>

#include <functional>
#include <optional>

class QDragEnterEvent;
class QDropEvent;
class QLabel;

namespace talviro6 {

class BarGauge;
class KeptTexts;
class UserDialogs;

/// The window's parameter files: New, Open and Save with their dialogs' presets,
/// a file dropped on the window or named on the command line, and which file the
/// editor's parameters came from.
class WindowFiles {
  public:
    /// The window's labels this keeps up to date; all owned by the window.
    struct Widgets {
        QLabel *fileName = nullptr;        ///< LabelFile2 on the Bike page, once that is built
        QLabel *fileNote = nullptr;        ///< LabelFileNote: what opening the file found
        QLabel *transferLine = nullptr;    ///< LabelHlaseni, hidden once a file is taken
        BarGauge *transferGauge = nullptr; ///< CGaugeProgram, likewise
    };
    /// Shows `image` in the controls and reads them back into it, then has the
    /// controls show the editor's own image again.
    using ThroughControls = std::function<void(UnitImage &image)>;

    WindowFiles(EditSession &session, const KeptTexts &texts, UserDialogs &dialogs, Widgets widgets,
                ThroughControls throughControls);

    const QString &currentFileName() const { return m_currentFileName; }
    /// The Bike page's label that shows the file name, built after the start.
    void setFileLabel(QLabel *label);
    const QString &exeDirFileName() const { return m_exeDirFileName; }
    /// The file names each dialog proposes next.
    const QString &openPreset() const { return m_openPreset; }
    const QString &savePreset() const { return m_savePreset; }
    /// The parameters as the current file held them when it was last opened or
    /// saved; empty when not known. A recording's head says whether the editor
    /// still holds them.
    const std::optional<ParameterArea> &fileParameters() const { return m_fileParameters; }
    /// The file the editor's parameters came from: the one shown, or after New or
    /// Read the one last opened or saved; empty when there is none.
    QString parameterFileName() const;
    /// The file the bike page shows; empty after New and Read.
    QString shownFileName() const;

    /// What the settings file kept: the file shown and the one last opened or saved,
    /// which both dialogs propose.
    void restore(const QString &shown, const QString &current);
    /// The parameters of the file named at start-up, as Open would take them; the
    /// window must be complete (test mode known), and it is left as it was.
    void readStartFileParameters();

    /// New: the defaults after the tuner's yes. False when the tuner declined.
    bool newSet();
    void open();
    void openExeDir();
    void save();
    void saveExeDir();
    /// Opens a parameter file as Open does after its dialog.
    void openParameterFile(const QString &path);
    /// Opens a parameter file named among the arguments (without the program name).
    void openFromCommandLine(const QStringList &arguments);
    /// The editor no longer holds a file's parameters (a read from the unit).
    void forgetShownFile();

    void dragEnter(QDragEnterEvent *event) const;
    void drop(QDropEvent *event);

  private:
    void showFileName(const QString &name);
    /// Writes the controls' validated values to `path`; false, after a message, when
    /// the file could not be written, and then the old file is as it was.
    bool saveTo(const QString &path);
    void setCurrentFile(const QString &path);
    void hideTransferLine();
    QString fileError() const;

    EditSession &m_session;
    const KeptTexts &m_texts;
    UserDialogs &m_dialogs;
    Widgets m_w;
    ThroughControls m_throughControls;

    QString m_currentFileName; ///< CurrentFileName: the file last opened or saved
    QString m_shownFileName;   ///< what LabelFile2 shows; empty after New
    std::optional<ParameterArea> m_fileParameters;
    QString m_exeDirFileName; ///< ExeDirFileName: "data.ign" beside the executable
    QString m_openPreset;     ///< what the open dialog proposes next
    QString m_savePreset;     ///< what the save dialog proposes next
};

} // namespace talviro6
