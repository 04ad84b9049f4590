#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QScreen;

namespace talviro6 {

/// A window's frame `frame` brought into `available`, the part of a screen windows
/// may cover. A frame that fits comes back as it was. One that reaches over an edge
/// is moved in; only one larger than `available` is made smaller, though never
/// below `minimum`, and where even that is too large its top left corner stays on
/// the screen, so that its title and menu can still be reached.
QRect fitIntoScreen(const QRect &frame, const QRect &available, const QSize &minimum = {});

/// The screen of `screens` whose available area holds the largest part of `frame`;
/// null when it lies on none of them.
QScreen *screenUnder(const QRect &frame, const QList<QScreen *> &screens);

} // namespace talviro6
