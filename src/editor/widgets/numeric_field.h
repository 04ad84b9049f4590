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
    bool isSpinnerVisible() const { return m_spinnerVisible; }

    /// Shows a value from the image. What the field accepts (clamped to its range)
    /// is what it shows; a half-typed text is replaced by the value.
    void showValue(int value);

    /// The edit box itself.
    QLineEdit *edit() const { return lineEdit(); }

    /// An arrow or an arrow key: steps, clamps, and reports `UpDownClick`.
    void stepBy(int steps) override;

  signals:
    /// An arrow (or an arrow key) stepped the value: `UpDownClick`.
    void upDownClick();
    /// Enter pressed in the edit; the key is consumed: `FormKeyPress`.
    void enterPressed();
    /// The focus moved to another control of the window: `EditExit`.
    void editExit();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

  private:
    QString m_spinnerName;
    int m_editWidth;
    bool m_spinnerVisible = true;
    bool m_textEdited = false;
};

} // namespace talviro6
