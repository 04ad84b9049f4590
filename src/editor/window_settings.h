#pragma once

#include "files/profile_file.h"
#include "model/edit_session.h"
#include "model/unit_image.h"
#include "texts/extras_texts.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

class QAction;
class QLabel;
class QTabWidget;
class QWidget;

namespace talviro6 {

class KeptTexts;
class UserDialogs;
class WindowFiles;

/// The three files kept between runs in the settings folder: the settings (the
/// window's placement, port, language, page and files), the image as it was at
/// close, and the test-enable file. None of them can stop the tool: a missing,
/// corrupt or foreign file leaves the start-up values and is noted at start, and a
/// failed write at close is said in a box while the tool still closes.
class WindowSettings {
  public:
    /// What the settings keep of the window besides the session's settings.
    struct Window {
        QWidget *frame = nullptr;    ///< the main window, placed and sized as it was left
        QTabWidget *pages = nullptr; ///< PageControl1: the page shown
        QLabel *fileNote = nullptr;  ///< LabelFileNote: says at start what could not be read
        QAction *review = nullptr;   ///< MenuReview: the review before programming asked for or not
    };

    WindowSettings(EditSession &session, const KeptTexts &texts, UserDialogs &dialogs, WindowFiles &files,
                   QString folder, Window window);

    QString settingsFilePath() const;
    QString startupImagePath() const;
    QString testEnablePath() const;

    /// The settings file and the start-up image, which lands in `start`.
    void load(UnitImage &start);
    /// The page `load` will show: the one the settings file keeps, or the one shown
    /// now when the file names none that exists. Read before the pages are built;
    /// `load` then takes what this read rather than reading the file again.
    int rememberedPage();
    /// The settings file and the start-up image as the window and the session are now.
    void save();
    /// Extras > "Read the unit when it is found"; on unless the settings say otherwise.
    bool readUnitWhenFound() const { return m_readUnitWhenFound; }
    void setReadUnitWhenFound(bool on) { m_readUnitWhenFound = on; }

    /// Test mode on when the test-enable file holds the access word.
    void readTestEnableFile();
    /// The kept files start-up could not read, and what became of them, shown below
    /// the pages; nothing when all were read.
    void showStartNotes();

    /// Called at every showing of the window: the desktop's frame around it is known
    /// from the first on, and then the frame is brought onto the screen.
    void shown();
    /// Brings the window's frame into the available area of the screen it is on,
    /// smaller only where it cannot fit; a frame that fits stays where it is.
    void keepOnScreen();

  private:
    /// The settings file as read: no keys when it cannot be read as ours, and why.
    struct SettingsRead {
        ProfileFile ini;
        std::string problem;
    };
    SettingsRead readSettings() const;

    /// A file kept between runs that could not be read, for the status bar at start.
    void noteAtStart(const std::string &problem, ExtraText what, const QString &more = {});
    /// Keeps an unreadable settings file whole under another name, and says so.
    void setSettingsAside(const std::string &problem);
    int pageShown() const;

    EditSession &m_session;
    const KeptTexts &m_texts;
    UserDialogs &m_dialogs;
    WindowFiles &m_files;
    QString m_folder;
    Window m_w;
    bool m_shownOnce = false; ///< the frame has been fitted once it was known
    bool m_readUnitWhenFound = true;
    QStringList m_startNotes;
    std::optional<SettingsRead> m_readForLoad; ///< by rememberedPage, for load
};

} // namespace talviro6
