#include "picture_session.h"

#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "editor/replay/form_replay.h"
#include "recordings/live_recorder.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>

namespace talviro6 {

constexpr int RecordMilliseconds = 3500; ///< long enough for REC to count and a dozen frames
constexpr int ReplayMilliseconds = 1500;

bool takeRecordingPictures(PictureSession &session)
{
    FormHlav &window = session.window();
    bool ok = true;
    QString csv = QDir(session.dir()).filePath(QStringLiteral("recording.csv"));
    if (window.recording())
        csv = QFile::decodeName(window.recorder().path().c_str());
    else
        ok = window.startRecording(csv);
    window.controls().frame.PageControl1->setCurrentWidget(window.controls().frame.TabSheetAdvance);
    session.run(ticksFor(RecordMilliseconds));
    ok = session.save(&window, QStringLiteral("recording")) && ok;
    window.stopRecording();
    ok = window.openRecording(csv) && ok;
    session.run(ticksFor(ReplayMilliseconds));
    FormReplay *replay = window.replayWindow();
    if (!replay)
        return false;
    replay->setSpeed(4);
    replay->pause();
    ok = session.save(replay, QStringLiteral("replay")) && ok;
    ok = session.save(&window, QStringLiteral("replay-window")) && ok;
    replay->close();
    return ok;
}

} // namespace talviro6
