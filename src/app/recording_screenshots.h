#pragma once

#include <QString>

namespace talviro6 {

class FormHlav;

/// The pictures of the recorder and the replay, taken after the others: records the
/// live data for a few seconds into `dir`/recording.csv (or goes on with the
/// recording --record started), writes recording.png with REC showing, replays the
/// file and writes replay.png (the replay window) and replay-window.png (the main
/// window as the replay drives it), then quits with 0 when `ok` and every picture
/// was written.
void takeRecordingScreenshotsThenQuit(FormHlav &window, const QString &dir, bool ok);

} // namespace talviro6
