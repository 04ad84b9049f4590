#pragma once

#include "editor/palette.h"
#include "link/display_state.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace talviro6 {

inline QColor toQColor(palette::Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

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
        return toQColor(palette::OperatingPoint);
    case Colour::Fuchsia:
        return Qt::magenta;
    case Colour::Aqua:
        return Qt::cyan;
    case Colour::White:
        return Qt::white;
    }
    return {};
}

/// Gives a label or check box a status colour as its background. The face colour is
/// no fill at all: the widget then shows what it sits on (a page, a group box, the
/// white of a printed window) instead of a grey patch. The colour goes on the role
/// the widget's style really fills (a check box fills Button, not Window).
inline void setStatusBackground(QWidget *widget, Colour colour)
{
    const bool fill = colour != Colour::Face;
    if (widget->autoFillBackground() != fill)
        widget->setAutoFillBackground(fill);
    if (!fill)
        return;
    const QColor wanted = toQColor(colour);
    const QPalette::ColorRole role = widget->backgroundRole();
    if (widget->palette().color(role) == wanted)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, wanted);
    widget->setPalette(palette);
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
