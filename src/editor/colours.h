#pragma once

#include "link/display_state.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace talviro6 {

/// The status colours as this platform paints them.
inline QColor toQColor(Colour colour)
{
    switch (colour) {
    case Colour::Face:
        return QPalette().color(QPalette::Window);
    case Colour::Window:
        return QPalette().color(QPalette::Base);
    case Colour::Red:
        return Qt::red;
    case Colour::Yellow:
        return Qt::yellow;
    case Colour::Lime:
        return Qt::green;
    case Colour::Fuchsia:
        return Qt::magenta;
    case Colour::Aqua:
        return Qt::cyan;
    }
    return {};
}

/// Sets one palette role, touching the widget only when the colour differs.
inline void setRoleColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    if (widget->palette().color(role) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace talviro6
