#include "editor/form_hlav.h"

#include "editor/user_dialogs.h"
#include "editor/window_placement.h"
#include "files/atomic_write.h"
#include "files/kept_files.h"
#include "files/open_for_reading.h"
#include "files/parameter_file.h"
#include "files/profile_file.h"
#include "files/settings_files.h"
#include "files/startup_image_file.h"
#include "platform/file_paths.h"
#include "texts/extras_texts.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>

#include <fstream>

// The three files kept between runs: the settings, the image as it was at close,
// and the test-enable file. None of them can stop the tool: a missing, corrupt or
// foreign file leaves the start-up values, and a failed write at close is said in
// a box while the tool still closes.

namespace talviro6 {
namespace {

constexpr std::string_view Basic = BasicSection;
constexpr int LargestWindow = 20000; ///< px; a size beyond this is no window of ours

/// A byte setting as the settings file stores it: modulo 256.
std::uint8_t byteOf(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

QString FormHlav::settingsFilePath() const
{
    return QDir(m_services.settingsFolder).filePath(QString::fromStdString(settingsFileName()));
}

QString FormHlav::startupImagePath() const
{
    return QDir(m_services.settingsFolder).filePath(QString::fromStdString(startupImageFileName()));
}

QString FormHlav::testEnablePath() const
{
    return QDir(m_services.settingsFolder).filePath(QString::fromLatin1(TestEnableFileName));
}

void FormHlav::noteAtStart(const std::string &problem, ExtraText what, const QString &more)
{
    m_startNotes << QString::fromStdString(problem) +
                        QString::fromUtf8(extraText(what, m_session.settings().languageIndex)) + more;
}

void FormHlav::setSettingsAside(const std::string &problem)
{
    std::filesystem::path keptAs;
    if (const std::string error = setAside(toFsPath(settingsFilePath()), &keptAs); !error.empty())
        noteAtStart(problem, ExtraText::NotSetAside, QString::fromStdString(error));
    else
        noteAtStart(problem, ExtraText::KeptAs, QString::fromStdString(keptAs.filename().string()));
}

void FormHlav::loadSettings(UnitImage &start)
{
    // A settings file that is not ours (a folder, UTF-16, an I/O error, too large)
    // is kept whole under another name: what it held is the tuner's, and the file
    // written at close must not take its place.
    ProfileFile ini;
    if (const KeptFileRead read =
            readKeptFile(toFsPath(settingsFilePath()), [&ini](std::istream &in) { return ini.read(in); });
        !read.problem.empty()) {
        ini = ProfileFile();
        setSettingsAside(read.problem); // tried again at close when it fails now
    }

    // Each key falls back to the value the setting has now. Left and Top place the
    // window's frame, Width and Height are the window without it, as Qt moves and
    // sizes a window, so that a close and a start always give the same placement.
    const QRect placed(ini.readInteger(Basic, "Left", x()), ini.readInteger(Basic, "Top", y()),
                       ini.readInteger(Basic, "Width", width()), ini.readInteger(Basic, "Height", height()));
    // A placement on a screen that is no longer there, or of no sensible size,
    // would hide the window: then it stays centred as start-up placed it. One made
    // on a larger screen is brought into the screen it lands on now.
    const bool sensibleSize = placed.width() > 0 && placed.height() > 0 && placed.width() <= LargestWindow &&
                              placed.height() <= LargestWindow;
    if (sensibleSize && screenUnder(placed, QGuiApplication::screens())) {
        move(placed.topLeft());
        resize(placed.size());
        keepOnScreen();
    }

    m_session.settings().portIndex = byteOf(ini.readInteger(Basic, "ComPort", m_session.settings().portIndex) - 1);
    m_session.settings().scanIndex = byteOf(ini.readInteger(Basic, "ComPortAuto", m_session.settings().scanIndex) - 1);
    m_session.settings().languageIndex = byteOf(ini.readInteger(Basic, "Language", m_session.settings().languageIndex));
    m_files->restore(QString::fromStdString(ini.readString(Basic, "File", {})),
                     QString::fromStdString(ini.readString(Basic, "IniDir", {})));
    const int page = ini.readInteger(Basic, "PageControl1->ActivePageIndex", pageShown());
    if (page >= 0 && page < m_c.frame.PageControl1->count())
        m_c.frame.PageControl1->setCurrentIndex(page);

    // Read aside: a file that fails midway leaves the start's values whole.
    UnitImage kept = start;
    if (const KeptFileRead read = readKeptFile(toFsPath(startupImagePath()),
                                               [&kept](std::istream &in) {
                                                   readStartupImage(in, kept);
                                                   return true;
                                               });
        read.problem.empty())
        start = kept;
    else
        noteAtStart(read.problem, ExtraText::KeepsDefaults);
}

void FormHlav::keepOnScreen()
{
    // pos() is the frame's corner; the frame's width is known once the window has
    // been shown, and counts as none before.
    const QSize decoration = frameGeometry().size() - size();
    const QRect frame(pos(), size() + decoration);
    const QScreen *screen = screenUnder(frame, QGuiApplication::screens());
    if (!screen)
        return;
    const QRect fitted =
        fitIntoScreen(frame, screen->availableGeometry(), minimumSizeHint().expandedTo(minimumSize()) + decoration);
    if (fitted.topLeft() != frame.topLeft())
        move(fitted.topLeft());
    if (fitted.size() != frame.size())
        resize(fitted.size() - decoration);
}

void FormHlav::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The desktop's frame around the window is known from the first showing on.
    if (!m_shownOnce) {
        m_shownOnce = true;
        keepOnScreen();
    }
}

void FormHlav::saveSettings()
{
    QString errors;
    const auto note = [&errors](const std::string &error) {
        if (!error.empty())
            errors += QStringLiteral("\n") + QString::fromStdString(error);
    };
    if (!QDir().mkpath(m_services.settingsFolder))
        note(m_services.settingsFolder.toStdString() + ": cannot create the folder");

    // What the file holds besides our keys (the port mappings, a tuner's notes) stays;
    // a file that became unreadable since the start is kept aside as then.
    ProfileFile ini;
    bool writeSettings = true;
    if (const KeptFileRead read =
            readKeptFile(toFsPath(settingsFilePath()), [&ini](std::istream &in) { return ini.read(in); });
        !read.problem.empty()) {
        ini = ProfileFile();
        std::filesystem::path keptAs;
        if (const std::string error = setAside(toFsPath(settingsFilePath()), &keptAs); !error.empty()) {
            note(read.problem + "; not written over: " + error);
            writeSettings = false;
        }
    }
    ini.writeInteger(Basic, "Left", x());
    ini.writeInteger(Basic, "Top", y());
    ini.writeInteger(Basic, "Height", height());
    ini.writeInteger(Basic, "Width", width());
    ini.writeInteger(Basic, "ComPort", m_session.settings().portIndex + 1);
    ini.writeInteger(Basic, "ComPortAuto", m_session.settings().scanIndex + 1);
    ini.writeInteger(Basic, "Language", m_session.settings().languageIndex);
    ini.write(Basic, "File", m_c.bike.LabelFile2->text().toStdString());
    ini.write(Basic, "IniDir", currentFileName().toStdString());
    ini.writeInteger(Basic, "PageControl1->ActivePageIndex", pageShown());
    if (writeSettings)
        note(writeFileAtomically(toFsPath(settingsFilePath()), [&](std::ostream &out) { ini.writeTo(out); }));
    note(writeFileAtomically(toFsPath(startupImagePath()),
                             [&](std::ostream &out) { writeStartupImage(out, m_session.image()); }));

    if (!errors.isEmpty())
        m_services.dialogs.message(QString::fromStdString(m_texts[TextRole::TextSettingsSaveError]) + errors);
}

void FormHlav::readTestEnableFile()
{
    m_session.setTestEnable(false);
    if (const KeptFileRead read = readKeptFile(toFsPath(testEnablePath()),
                                               [this](std::istream &in) {
                                                   m_session.setTestEnable(containsAccessWord(in));
                                                   return true;
                                               });
        !read.problem.empty()) {
        m_session.setTestEnable(false);
        noteAtStart(read.problem, ExtraText::KeepsDefaults);
    }
}

} // namespace talviro6
