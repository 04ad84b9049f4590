#include "editor/widgets/numeric_field.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>

#include <optional>

namespace talviro6 {
namespace {

/// A typed whole number: an optional sign and digits, with the locale's digit
/// grouping and blanks left out. `digits` is false while only a sign is there.
struct TypedNumber {
    bool digits = false;
    qint64 value = 0; ///< saturates far beyond any field's range
};

constexpr qint64 Saturation = 1'000'000'000'000;

std::optional<TypedNumber> parseTyped(const QString &text, const QLocale &locale)
{
    QString s = text;
    s.remove(locale.groupSeparator());
    s.remove(QLatin1Char(' '));
    s.remove(QChar(0x00A0)); // the grouping blanks some locales use
    s.remove(QChar(0x202F));
    TypedNumber n;
    bool negative = false;
    int i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    for (; i < s.size(); ++i) {
        if (s[i] < QLatin1Char('0') || s[i] > QLatin1Char('9'))
            return std::nullopt;
        n.digits = true;
        n.value = std::min(Saturation, n.value * 10 + (s[i].unicode() - '0'));
    }
    if (negative)
        n.value = -n.value;
    return n;
}

} // namespace

NumericField::NumericField(const QString &stem, Range range, int editWidth, QWidget *parent)
    : QSpinBox(parent), m_spinnerName(QStringLiteral("UpDown") + stem), m_editWidth(editWidth)
{
    setObjectName(QStringLiteral("Edit") + stem);
    setRange(range.minimum, range.maximum);
    setSingleStep(range.step);
    setValue(range.value);
    setWrapping(false);
    // The default takes the focus by the wheel, so any turn over the page would step it.
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setGroupSeparatorShown(false);
    // Read back takes the value as typed so far; a text that is not yet a number in
    // range leaves the previous value, and the next refresh puts the text right again.
    setKeyboardTracking(true);
    resize(m_editWidth + SpinnerWidth, FieldHeight);
    fitDigits();
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_textEdited = true; });
}

void NumericField::place(int x, int y)
{
    move(x, y);
}

void NumericField::fitDigits()
{
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, m_editWidth + SpinnerWidth, FieldHeight);
    option.buttonSymbols = QAbstractSpinBox::UpDownArrows; // the narrowest the edit gets
    const QRect edit = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, this);
    constexpr int LineEditMargins = 2 * 2 + 1; // the line edit's own margins and its cursor
    const int room = edit.width() - LineEditMargins;

    QString widest = textFromValue(maximum());
    if (const QString low = textFromValue(minimum()); low.size() > widest.size())
        widest = low;
    QFont font = parentWidget() ? parentWidget()->font() : this->font();
    int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    constexpr int SmallestPixels = 8;
    while (pixels > SmallestPixels && QFontMetrics(font).horizontalAdvance(widest) > room)
        font.setPixelSize(--pixels);
    if (font != this->font())
        setFont(font);
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

int NumericField::appliedValue()
{
    if (m_textEdited)
        interpretText();
    return value();
}

QValidator::State NumericField::validate(QString &text, int &) const
{
    const auto n = parseTyped(text, locale());
    if (!n)
        return QValidator::Invalid;
    if (!n->digits || n->value < minimum() || n->value > maximum())
        return QValidator::Intermediate;
    return QValidator::Acceptable;
}

void NumericField::fixup(QString &text) const
{
    const auto n = parseTyped(text, locale());
    if (n && n->digits)
        text = textFromValue(static_cast<int>(std::clamp<qint64>(n->value, minimum(), maximum())));
}

int NumericField::valueFromText(const QString &text) const
{
    const auto n = parseTyped(text, locale());
    if (!n || !n->digits)
        return value();
    return static_cast<int>(std::clamp<qint64>(n->value, minimum(), maximum()));
}

void NumericField::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QSpinBox::wheelEvent(event);
}

bool NumericField::event(QEvent *event)
{
    // Undo and redo belong to the window's history, not to the digits of one field:
    // the edit would otherwise take Ctrl+Z for itself.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        if (pressed == QKeySequence(Qt::CTRL | Qt::Key_Z) || pressed == QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z)) {
            event->ignore(); // not overridden: the shortcut goes to the menu
            return true;
        }
    }
    return QSpinBox::event(event);
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
