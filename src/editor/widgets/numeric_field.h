#pragma once

#include <QSpinBox>

namespace talviro6 {

/// An edit box with its attached up-down, as one widget: the spin box's value is the
/// up-down's position and its line edit is the edit box. The up-down can be hidden
/// on its own (the edit keeps its width), as the control states and printing need.
class NumericField : public QSpinBox {
    Q_OBJECT

  public:
    struct Range {
        int minimum;
        int maximum;
        int step;
        int value; ///< initial value, replaced at start-up by the image
    };

    static constexpr int SpinnerWidth = 16; ///< px, the up-down beside the edit
    static constexpr int FieldHeight = 21;  ///< px

    /// stem: the name shared by the edit ("Edit" + stem) and its up-down ("UpDown" + stem).
    NumericField(const QString &stem, Range range, int editWidth, QWidget *parent);

    QString editName() const { return objectName(); }
    QString spinnerName() const { return m_spinnerName; }

    /// Places the edit box's top left corner; the up-down sits right of it.
    void place(int x, int y);

    void setSpinnerVisible(bool visible);

    /// Makes the widest number the field can hold (its range, with or without digit
    /// grouping as set) show whole, by a smaller font where the edit is too narrow:
    /// "10000" cut to "1000" would tell the tuner a wrong value. Call again after
    /// switching the grouping on.
    void fitDigits();
    bool isSpinnerVisible() const { return m_spinnerVisible; }

    /// Shows a value from the image. What the field accepts (clamped to its range)
    /// is what it shows; a half-typed text is replaced by the value.
    void showValue(int value);

    /// The edit box itself.
    QLineEdit *edit() const { return lineEdit(); }

    /// An arrow or an arrow key: steps, clamps, and reports `UpDownClick`.
    void stepBy(int steps) override;

    /// The value for read back: text typed and not yet applied is applied first
    /// (clamped), so a command that does not move the focus still takes what shows.
    int appliedValue();

    // Any whole number is accepted while typing, also one beyond the range: the
    // number is clamped to [minimum, maximum] when it is applied, so typing 75 into a
    // 0 ... 60 field gives 60, not a rejected last digit and a stored 7.
    QValidator::State validate(QString &text, int &position) const override;
    void fixup(QString &text) const override;
    int valueFromText(const QString &text) const override;

  signals:
    /// An arrow (or an arrow key) stepped the value: `UpDownClick`.
    void upDownClick();
    /// Enter pressed in the edit; the key is consumed: `FormKeyPress`.
    void enterPressed();
    /// The focus moved to another control of the window: `EditExit`.
    void editExit();

  protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    /// Only a field with the focus follows the wheel: a wheel turn that passes over
    /// a page must not change, and perhaps program, every field under the pointer.
    void wheelEvent(QWheelEvent *event) override;

  private:
    QString m_spinnerName;
    int m_editWidth;
    bool m_spinnerVisible = true;
    bool m_textEdited = false;
};

} // namespace talviro6
