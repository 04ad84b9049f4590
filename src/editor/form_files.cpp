#include "editor/form_hlav.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/user_dialogs.h"
#include "files/atomic_write.h"
#include "files/open_for_reading.h"
#include "files/parameter_file.h"
#include "platform/file_paths.h"
#include "texts/extras_texts.h"

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

// Parameter files in and out, and the manual.

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

void FormHlav::setCurrentFile(const QString &path)
{
    m_c.frame.LabelFileNote->hide(); // it spoke of the file before
    m_c.bike.LabelFile2->setText(path);
    m_currentFileName = path;
    m_fileParameters = m_session.held();
}

void FormHlav::MenuSaveClick()
{
    const QString path = m_services.dialogs.askSaveFileName(m_savePreset);
    if (path.isEmpty())
        return;
    const QString fileError = QString::fromStdString(m_texts[TextRole::TextFileOpenError]);
    // A folder that takes no file is found before anything changes.
    if (const std::string error = checkFileWritable(toFsPath(path)); !error.empty()) {
        m_services.dialogs.message(fileError + QStringLiteral("\n") + QString::fromStdString(error));
        return;
    }
    // The file and the window hold the same, corrected values.
    m_session.takeControls();
    const UnitImage saved = m_session.image();
    if (const std::string error =
            writeFileAtomically(toFsPath(path), [&saved](std::ostream &out) { writeParameterFile(out, saved); });
        !error.empty()) {
        // The old file is as it was; the tuner is told, and nothing claims the save.
        m_services.dialogs.message(fileError + QStringLiteral("\n") + QString::fromStdString(error));
        return;
    }
    setCurrentFile(path);
    m_openPreset = path;
}

void FormHlav::MenuSaveExeDirClick()
{
    m_openPreset = m_savePreset = m_exeDirFileName;
    MenuSaveClick();
}

void FormHlav::MenuOpenClick()
{
    const QString path = m_services.dialogs.askOpenFileName(m_openPreset);
    if (!path.isEmpty())
        openParameterFile(path);
    m_c.frame.monitor.LabelHlaseni->hide();
    m_c.frame.monitor.CGaugeProgram->hide();
}

void FormHlav::MenuOpenExeDirClick()
{
    m_openPreset = m_savePreset = m_exeDirFileName;
    MenuOpenClick();
}

void FormHlav::openParameterFile(const QString &path)
{
    m_c.frame.LabelFileNote->hide();
    std::ifstream in;
    if (const std::string error = openForReading(toFsPath(path), in); !error.empty()) {
        m_services.dialogs.message(QString::fromStdString(m_texts[TextRole::TextFileOpenError]) + QStringLiteral("\n") +
                                   QString::fromStdString(error));
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
        m_services.dialogs.message(QString::fromStdString(m_texts[TextRole::TextFileOpenError]) + QStringLiteral("\n") +
                                   QString::fromStdString(readErrorText(toFsPath(path))));
        return;
    }
    in.close();
    for (const FileMessage m : messages)
        m_services.dialogs.message(
            QString::fromStdString(m_texts[m == FileMessage::OlderFileVersion ? TextRole::TextOlderFileVersion
                                                                              : TextRole::TextFileVersionMismatch]));
    const int l = m_session.settings().languageIndex;
    if (version == 0) {
        // A version the tool does not know has had its own box.
        if (!report.keyFound)
            m_services.dialogs.message(QString::fromUtf8(extraText(ExtraText::NotAParameterFile, l)) +
                                       QStringLiteral("\n") + QDir::toNativeSeparators(path));
        return;
    }
    m_session.load(loaded.parameters, LoadHow::Edit);
    setCurrentFile(path);
    m_savePreset = path;
    // Older versions lack values by nature, and their box says so.
    if (version == ParameterFileVersion && report.valuesMissing > 0) {
        m_c.frame.LabelFileNote->setText(QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                                         QString::number(report.valuesMissing) +
                                         QString::fromUtf8(extraText(ExtraText::ValuesNotInFile, l)));
        m_c.frame.LabelFileNote->show();
    }
}

void FormHlav::openFromCommandLine(const QStringList &arguments)
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

void FormHlav::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedParameterFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FormHlav::dropEvent(QDropEvent *event)
{
    const QString path = droppedParameterFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openParameterFile(path);
}

} // namespace talviro6
