#include "app/recording_screenshots.h"

#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "editor/replay/form_replay.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace talviro6 {
namespace {

constexpr int RecordMilliseconds = 3500; ///< long enough for REC to count and a dozen frames
constexpr int ReplayMilliseconds = 1500;

bool save(QWidget *widget, const QString &path)
{
    const bool ok = widget->grab().save(path, "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

void takeRecordingScreenshotsThenQuit(FormHlav &window, const QString &dir, bool ok)
{
    QString csv = QDir(dir).filePath(QStringLiteral("recording.csv"));
    if (window.recording())
        csv = QFile::decodeName(window.recorder().path().c_str());
    else
        ok = window.startRecording(csv) && ok;
    window.controls().frame.PageControl1->setCurrentWidget(window.controls().frame.TabSheetAdvance);
    QTimer::singleShot(RecordMilliseconds, &window, [&window, dir, csv, ok]() mutable {
        ok = save(&window, QDir(dir).filePath(QStringLiteral("recording.png"))) && ok;
        window.stopRecording();
        ok = window.openRecording(csv) && ok;
        QTimer::singleShot(ReplayMilliseconds, &window, [&window, dir, ok]() mutable {
            FormReplay *replay = window.replayWindow();
            if (replay) {
                replay->setSpeed(4);
                replay->pause();
                QApplication::processEvents();
                ok = save(replay, QDir(dir).filePath(QStringLiteral("replay.png"))) && ok;
                ok = save(&window, QDir(dir).filePath(QStringLiteral("replay-window.png"))) && ok;
                replay->close();
            }
            QApplication::exit(ok && replay ? 0 : 1);
        });
    });
}

} // namespace talviro6
