#include "editor/window_placement.h"

#include <QScreen>

#include <algorithm>

namespace talviro6 {
namespace {

/// One axis: a start `at` and a length `size` into [from, from + extent).
int placeOnAxis(int at, int size, int from, int extent)
{
    // The far edge is brought in first, so that when the length is more than the
    // extent the near edge, with the title and the menu, wins.
    return std::max(std::min(at, from + extent - size), from);
}

} // namespace

QRect fitIntoScreen(const QRect &frame, const QRect &available, const QSize &minimum)
{
    const int width = std::max(std::min(frame.width(), available.width()), minimum.width());
    const int height = std::max(std::min(frame.height(), available.height()), minimum.height());
    return QRect(placeOnAxis(frame.x(), width, available.x(), available.width()),
                 placeOnAxis(frame.y(), height, available.y(), available.height()), width, height);
}

QScreen *screenUnder(const QRect &frame, const QList<QScreen *> &screens)
{
    QScreen *best = nullptr;
    qint64 bestArea = 0;
    for (QScreen *screen : screens) {
        const QRect common = screen->availableGeometry().intersected(frame);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

} // namespace talviro6
