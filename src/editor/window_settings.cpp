#include "editor/window_settings.h"

#include "editor/user_dialogs.h"
#include "editor/window_files.h"
#include "editor/window_placement.h"
#include "files/atomic_write.h"
#include "files/kept_files.h"
#include "files/profile_file.h"
#include "files/settings_files.h"
#include "files/startup_image_file.h"
#include "platform/file_paths.h"
#include "texts/kept_texts.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QWidget>

namespace talviro6 {
namespace {

constexpr std::string_view Basic = BasicSection;
constexpr std::string_view AskBeforeProgramming = "AskBeforeProgramming";
constexpr int LargestWindow = 20000; ///< px; a size beyond this is no window of ours

/// A byte setting as the settings file stores it: modulo 256.
std::uint8_t byteOf(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

WindowSettings::WindowSettings(EditSession &session, const KeptTexts &texts, UserDialogs &dialogs, WindowFiles &files,
                               QString folder, Window window)
    : m_session(session), m_texts(texts), m_dialogs(dialogs), m_files(files), m_folder(std::move(folder)), m_w(window)
{
}

QString WindowSettings::settingsFilePath() const
{
    return QDir(m_folder).filePath(QString::fromStdString(settingsFileName()));
}

QString WindowSettings::startupImagePath() const
{
    return QDir(m_folder).filePath(QString::fromStdString(startupImageFileName()));
}

QString WindowSettings::testEnablePath() const
{
    return QDir(m_folder).filePath(QString::fromLatin1(TestEnableFileName));
}

int WindowSettings::pageShown() const
{
    return m_w.pages->currentIndex();
}

void WindowSettings::noteAtStart(const std::string &problem, ExtraText what, const QString &more)
{
    m_startNotes << QString::fromStdString(problem) +
                        QString::fromUtf8(extraText(what, m_session.settings().languageIndex)) + more;
}

void WindowSettings::setSettingsAside(const std::string &problem)
{
    std::filesystem::path keptAs;
    if (const std::string error = setAside(toFsPath(settingsFilePath()), &keptAs); !error.empty())
        noteAtStart(problem, ExtraText::NotSetAside, QString::fromStdString(error));
    else
        noteAtStart(problem, ExtraText::KeptAs, QString::fromStdString(keptAs.filename().string()));
}

void WindowSettings::load(UnitImage &start)
{
    // A settings file that is not ours (a folder, UTF-16, an I/O error, too large)
    // is kept whole under another name: what it held is the tuner's, and the file
    // written at close must not take its place.
    SettingsRead read = m_readForLoad ? std::move(*m_readForLoad) : readSettings();
    m_readForLoad.reset();
    if (!read.problem.empty())
        setSettingsAside(read.problem); // tried again at close when it fails now
    const ProfileFile &ini = read.ini;

    // Each key falls back to the value the setting has now. Left and Top place the
    // window's frame, Width and Height are the window without it, as Qt moves and
    // sizes a window, so that a close and a start always give the same placement.
    QWidget &frame = *m_w.frame;
    const QRect placed(ini.readInteger(Basic, "Left", frame.x()), ini.readInteger(Basic, "Top", frame.y()),
                       ini.readInteger(Basic, "Width", frame.width()),
                       ini.readInteger(Basic, "Height", frame.height()));
    // A placement on a screen that is no longer there, or of no sensible size,
    // would hide the window: then it stays centred as start-up placed it. One made
    // on a larger screen is brought into the screen it lands on now.
    const bool sensibleSize = placed.width() > 0 && placed.height() > 0 && placed.width() <= LargestWindow &&
                              placed.height() <= LargestWindow;
    if (sensibleSize && screenUnder(placed, QGuiApplication::screens())) {
        frame.move(placed.topLeft());
        frame.resize(placed.size());
        keepOnScreen();
    }

    m_session.settings().portIndex = byteOf(ini.readInteger(Basic, "ComPort", m_session.settings().portIndex) - 1);
    m_session.settings().scanIndex = byteOf(ini.readInteger(Basic, "ComPortAuto", m_session.settings().scanIndex) - 1);
    m_session.settings().languageIndex = byteOf(ini.readInteger(Basic, "Language", m_session.settings().languageIndex));
    m_files.restore(QString::fromStdString(ini.readString(Basic, "File", {})),
                    QString::fromStdString(ini.readString(Basic, "IniDir", {})));
    m_w.review->setChecked(ini.readInteger(ReviewSection, AskBeforeProgramming, 1) != 0);
    const int page = ini.readInteger(Basic, "PageControl1->ActivePageIndex", pageShown());
    m_readUnitWhenFound = ini.readInteger(QuietReadSection, "ReadUnitWhenFound", 1) != 0;
    if (page >= 0 && page < m_w.pages->count())
        m_w.pages->setCurrentIndex(page);

    // Read aside: a file that fails midway leaves the start's values whole.
    UnitImage kept = start;
    if (const KeptFileRead read = readKeptFile(toFsPath(startupImagePath()),
                                               [&kept](std::string_view content) {
                                                   readStartupImage(content, kept);
                                                   return true;
                                               });
        read.problem.empty())
        start = kept;
    else
        noteAtStart(read.problem, ExtraText::KeepsDefaults);
}

WindowSettings::SettingsRead WindowSettings::readSettings() const
{
    SettingsRead read;
    read.problem = readKeptFile(toFsPath(settingsFilePath()), [&read](std::string_view content) {
                       return read.ini.read(content);
                   }).problem;
    if (!read.problem.empty())
        read.ini = ProfileFile();
    return read;
}

int WindowSettings::rememberedPage()
{
    // What load() does with the key, without its side effects: a file it would set
    // aside names no page here either.
    m_readForLoad = readSettings();
    const int page = m_readForLoad->ini.readInteger(Basic, "PageControl1->ActivePageIndex", pageShown());
    return page >= 0 && page < m_w.pages->count() ? page : pageShown();
}

void WindowSettings::keepOnScreen()
{
    // pos() is the frame's corner; the frame's width is known once the window has
    // been shown, and counts as none before.
    QWidget &window = *m_w.frame;
    const QSize decoration = window.frameGeometry().size() - window.size();
    const QRect frame(window.pos(), window.size() + decoration);
    const QScreen *screen = screenUnder(frame, QGuiApplication::screens());
    if (!screen)
        return;
    const QRect fitted = fitIntoScreen(frame, screen->availableGeometry(),
                                       window.minimumSizeHint().expandedTo(window.minimumSize()) + decoration);
    if (fitted.topLeft() != frame.topLeft())
        window.move(fitted.topLeft());
    if (fitted.size() != frame.size())
        window.resize(fitted.size() - decoration);
}

void WindowSettings::shown()
{
    if (!m_shownOnce) {
        m_shownOnce = true;
        keepOnScreen();
    }
}

void WindowSettings::save()
{
    QString errors;
    const auto note = [&errors](const std::string &error) {
        if (!error.empty())
            errors += QStringLiteral("\n") + QString::fromStdString(error);
    };
    if (!QDir().mkpath(m_folder))
        note(m_folder.toStdString() + ": cannot create the folder");

    // What the file holds besides our keys (the port mappings, a tuner's notes) stays;
    // a file that became unreadable since the start is kept aside as then.
    SettingsRead read = readSettings();
    ProfileFile &ini = read.ini;
    bool writeSettings = true;
    if (!read.problem.empty()) {
        std::filesystem::path keptAs;
        if (const std::string error = setAside(toFsPath(settingsFilePath()), &keptAs); !error.empty()) {
            note(read.problem + "; not written over: " + error);
            writeSettings = false;
        }
    }
    const QWidget &frame = *m_w.frame;
    ini.writeInteger(Basic, "Left", frame.x());
    ini.writeInteger(Basic, "Top", frame.y());
    ini.writeInteger(Basic, "Height", frame.height());
    ini.writeInteger(Basic, "Width", frame.width());
    ini.writeInteger(Basic, "ComPort", m_session.settings().portIndex + 1);
    ini.writeInteger(Basic, "ComPortAuto", m_session.settings().scanIndex + 1);
    ini.writeInteger(Basic, "Language", m_session.settings().languageIndex);
    ini.write(Basic, "File", m_files.shownFileName().toStdString());
    ini.write(Basic, "IniDir", m_files.currentFileName().toStdString());
    ini.writeInteger(Basic, "PageControl1->ActivePageIndex", pageShown());
    ini.writeInteger(ReviewSection, AskBeforeProgramming, m_w.review->isChecked() ? 1 : 0);
    ini.writeInteger(QuietReadSection, "ReadUnitWhenFound", m_readUnitWhenFound ? 1 : 0);
    if (writeSettings)
        note(writeFileAtomically(toFsPath(settingsFilePath()), [&](std::ostream &out) { ini.writeTo(out); }));
    note(writeFileAtomically(toFsPath(startupImagePath()),
                             [&](std::ostream &out) { writeStartupImage(out, m_session.image()); }));

    if (!errors.isEmpty())
        m_dialogs.message(QString::fromStdString(m_texts[TextRole::TextSettingsSaveError]) + errors);
}

void WindowSettings::readTestEnableFile()
{
    m_session.setTestEnable(false);
    if (const KeptFileRead read = readKeptFile(toFsPath(testEnablePath()),
                                               [this](std::string_view content) {
                                                   m_session.setTestEnable(containsAccessWord(content));
                                                   return true;
                                               });
        !read.problem.empty()) {
        m_session.setTestEnable(false);
        noteAtStart(read.problem, ExtraText::KeepsDefaults);
    }
}

void WindowSettings::showStartNotes()
{
    if (m_startNotes.isEmpty())
        return;
    // The files all lie in the settings folder: the line names them, the tooltip
    // says where.
    const QString notes = m_startNotes.join(QStringLiteral("  |  "));
    QString shortNotes = notes;
    shortNotes.replace(QDir(m_folder).absolutePath() + QLatin1Char('/'), QString());
    m_w.fileNote->setText(shortNotes);
    m_w.fileNote->setToolTip(notes);
    m_w.fileNote->show();
}

} // namespace talviro6
