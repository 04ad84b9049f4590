#include "editor/window_font.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace talviro6 {

void applyWindowFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);
}

} // namespace talviro6
