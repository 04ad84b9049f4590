#include "editor/widgets/numeric_field.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace talviro6 {

NumericField::NumericField(const QString &stem, Range range, int editWidth, QWidget *parent)
    : QSpinBox(parent), m_spinnerName(QStringLiteral("UpDown") + stem), m_editWidth(editWidth)
{
    setObjectName(QStringLiteral("Edit") + stem);
    setRange(range.minimum, range.maximum);
    setSingleStep(range.step);
    setValue(range.value);
    setWrapping(false);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setGroupSeparatorShown(false);
    // Read back takes the value as typed so far; a text that is not yet a number in
    // range leaves the previous value, and the next refresh puts the text right again.
    setKeyboardTracking(true);
    resize(m_editWidth + SpinnerWidth, FieldHeight);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_textEdited = true; });
}

void NumericField::place(int x, int y)
{
    move(x, y);
}

void NumericField::setSpinnerVisible(bool visible)
{
    if (visible == m_spinnerVisible)
        return;
    m_spinnerVisible = visible;
    setButtonSymbols(visible ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    resize(m_editWidth + (visible ? SpinnerWidth : 0), FieldHeight);
}

void NumericField::showValue(int value)
{
    // Refresh runs after every edit over some 200 fields: touch only those that differ.
    if (value == this->value() && !m_textEdited)
        return;
    setValue(value);
    lineEdit()->setText(textFromValue(this->value()));
    m_textEdited = false;
}

void NumericField::stepBy(int steps)
{
    QSpinBox::stepBy(steps);
    m_textEdited = false;
    emit upDownClick();
}

void NumericField::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter never reaches the window as a character: it applies and moves on.
        interpretText();
        event->accept();
        emit enterPressed();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void NumericField::focusOutEvent(QFocusEvent *event)
{
    QSpinBox::focusOutEvent(event);
    // Leaving the window (a message box, another program) is not leaving the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit editExit();
}

} // namespace talviro6
