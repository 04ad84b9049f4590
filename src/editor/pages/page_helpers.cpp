#include "editor/pages/page_builders.h"

#include "model/field_table.h"

#include <QApplication>
#include <QLabel>

namespace talviro6 {

NumericField::Range rangeOf(int offset, int initial)
{
    const FieldInfo *f = fieldAt(offset);
    Q_ASSERT(f);
    return {f->minimum, f->maximum, f->step, initial};
}

QFont pixelFont(int pixels, bool bold)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel *makeLabel(QWidget *parent, const QString &name, int x, int y, const QString &fixedText)
{
    auto *label = new QLabel(fixedText, parent);
    label->setObjectName(name);
    label->move(x, y);
    return label;
}

} // namespace talviro6
