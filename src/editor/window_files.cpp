#include "editor/window_files.h"

#include "editor/user_dialogs.h"
#include "editor/widgets/bar_gauge.h"
#include "files/atomic_write.h"
#include "files/open_for_reading.h"
#include "files/parameter_file.h"
#include "model/defaults.h"
#include "model/validate.h"
#include "platform/file_paths.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include <fstream>
#include <vector>

namespace talviro6 {
namespace {

/// The one local file a drag carries, if it is a parameter file.
QString droppedParameterFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls().front().isLocalFile())
        return {};
    const QString path = mime->urls().front().toLocalFile();
    return QFileInfo(path).suffix().compare(QStringLiteral("ign"), Qt::CaseInsensitive) == 0 ? path : QString();
}

} // namespace

WindowFiles::WindowFiles(EditSession &session, const KeptTexts &texts, UserDialogs &dialogs, Widgets widgets,
                         ThroughControls throughControls)
    : m_session(session), m_texts(texts), m_dialogs(dialogs), m_w(widgets),
      m_throughControls(std::move(throughControls)),
      m_exeDirFileName(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data.ign")))
{
}

QString WindowFiles::fileError() const
{
    return QString::fromStdString(m_texts[TextRole::TextFileOpenError]);
}

QString WindowFiles::parameterFileName() const
{
    return m_shownFileName.isEmpty() ? m_currentFileName : m_shownFileName;
}

QString WindowFiles::shownFileName() const
{
    return m_shownFileName;
}

void WindowFiles::setFileLabel(QLabel *label)
{
    m_w.fileName = label;
    showFileName(m_shownFileName);
}

void WindowFiles::showFileName(const QString &name)
{
    m_shownFileName = name;
    if (m_w.fileName)
        m_w.fileName->setText(name);
}

void WindowFiles::restore(const QString &shown, const QString &current)
{
    showFileName(shown);
    m_currentFileName = current;
    m_openPreset = m_savePreset = m_currentFileName;
}

void WindowFiles::setCurrentFile(const QString &path)
{
    m_w.fileNote->hide(); // it spoke of the file before
    showFileName(path);
    m_currentFileName = path;
    m_fileParameters = m_session.held();
}

void WindowFiles::hideTransferLine()
{
    m_w.transferLine->hide();
    m_w.transferGauge->hide();
}

void WindowFiles::forgetShownFile()
{
    showFileName({});
    m_w.fileNote->hide();
}

bool WindowFiles::newSet()
{
    const auto answer = m_dialogs.askYesNoCancel(QString::fromStdString(m_texts[TextRole::TextDefaultQuestion]));
    if (answer != UserDialogs::Answer::Yes)
        return false;
    m_session.edit([](UnitImage &image) { newParameterSet(image, NewSetCause::StartOrNew); }, EditFrom::Image);
    hideTransferLine();
    forgetShownFile();
    return true;
}

bool WindowFiles::saveTo(const QString &path)
{
    // A folder that takes no file is found before anything changes.
    if (const std::string error = checkFileWritable(toFsPath(path)); !error.empty()) {
        m_dialogs.message(fileError() + QStringLiteral("\n") + QString::fromStdString(error));
        return false;
    }
    // The file and the window hold the same, corrected values.
    m_session.takeControls();
    const UnitImage saved = m_session.image();
    if (const std::string error =
            writeFileAtomically(toFsPath(path), [&saved](std::ostream &out) { writeParameterFile(out, saved); });
        !error.empty()) {
        // The old file is as it was; the tuner is told, and nothing claims the save.
        m_dialogs.message(fileError() + QStringLiteral("\n") + QString::fromStdString(error));
        return false;
    }
    return true;
}

void WindowFiles::save()
{
    const QString path = m_dialogs.askSaveFileName(m_savePreset);
    if (path.isEmpty() || !saveTo(path))
        return;
    setCurrentFile(path);
    m_openPreset = path;
}

void WindowFiles::saveExeDir()
{
    m_openPreset = m_savePreset = m_exeDirFileName;
    save();
}

void WindowFiles::open()
{
    const QString path = m_dialogs.askOpenFileName(m_openPreset);
    if (!path.isEmpty())
        openParameterFile(path);
    hideTransferLine();
}

void WindowFiles::openExeDir()
{
    m_openPreset = m_savePreset = m_exeDirFileName;
    open();
}

void WindowFiles::openParameterFile(const QString &path)
{
    m_w.fileNote->hide();
    std::ifstream in;
    if (const std::string error = openForReading(toFsPath(path), in); !error.empty()) {
        m_dialogs.message(fileError() + QStringLiteral("\n") + QString::fromStdString(error));
        return;
    }
    // Read aside: the reader's messages are boxes, and the tick runs while one is
    // open, so a running job must never see half a file in the image.
    UnitImage loaded = m_session.image();
    std::vector<FileMessage> messages;
    ParameterFileReport report;
    const int version = readParameterFile(
        in, loaded, [&](FileMessage m) { messages.push_back(m); }, &report);
    if (in.bad()) {
        // Half a file is no file: nothing of it is taken.
        m_dialogs.message(fileError() + QStringLiteral("\n") + QString::fromStdString(readErrorText(toFsPath(path))));
        return;
    }
    in.close();
    for (const FileMessage m : messages)
        m_dialogs.message(
            QString::fromStdString(m_texts[m == FileMessage::OlderFileVersion ? TextRole::TextOlderFileVersion
                                                                              : TextRole::TextFileVersionMismatch]));
    const int l = m_session.settings().languageIndex;
    if (version == 0) {
        // A version the tool does not know has had its own box.
        if (!report.keyFound)
            m_dialogs.message(QString::fromUtf8(extraText(ExtraText::NotAParameterFile, l)) + QStringLiteral("\n") +
                              QDir::toNativeSeparators(path));
        return;
    }
    m_session.load(loaded.parameters, LoadHow::Edit);
    setCurrentFile(path);
    m_savePreset = path;
    // Older versions lack values by nature, and their box says so.
    if (version == ParameterFileVersion && report.valuesMissing > 0) {
        m_w.fileNote->setText(QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                              QString::number(report.valuesMissing) +
                              QString::fromUtf8(extraText(ExtraText::ValuesNotInFile, l)));
        m_w.fileNote->show();
    }
}

void WindowFiles::openFromCommandLine(const QStringList &arguments)
{
    // The first argument may be a language word; any other names a parameter file.
    static const QStringList languages{QStringLiteral("ENGLISH"), QStringLiteral("DEUTSCH"), QStringLiteral("FRANCE"),
                                       QStringLiteral("CESKY")};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (i == 0 && languages.contains(arguments[i]))
            continue;
        openParameterFile(QFileInfo(arguments[i]).absoluteFilePath());
        return;
    }
}

void WindowFiles::readStartFileParameters()
{
    const QString path = parameterFileName();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return;
    std::ifstream in;
    if (!openForReading(toFsPath(path), in).empty())
        return;
    // Read over the image of the start and validated, as Open takes a file; the
    // reader's messages are for the tuner only when the tuner opens a file.
    UnitImage fromFile = m_session.image();
    if (readParameterFile(in, fromFile, [](FileMessage) {}) == 0 || in.bad())
        return;
    SettingsIndexes settings = m_session.settings();
    validate(fromFile, settings);
    // Compared as the editor would hold it: shown in the controls and read back.
    m_throughControls(fromFile);
    validate(fromFile, settings);
    m_fileParameters = fromFile.parameters;
}

void WindowFiles::dragEnter(QDragEnterEvent *event) const
{
    if (!droppedParameterFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void WindowFiles::drop(QDropEvent *event)
{
    const QString path = droppedParameterFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openParameterFile(path);
}

} // namespace talviro6
