#pragma once

#include <QCheckBox>
#include <QMouseEvent>

namespace talviro6 {

/// A check box that reports the release of the mouse button over it. A change made
/// from the keyboard or from code does not report: it reaches the image at the next
/// read back.
class MouseUpCheckBox : public QCheckBox {
    Q_OBJECT

  public:
    using QCheckBox::QCheckBox;

  signals:
    void mouseUp(); ///< `CheckBoxMouseUp`

  protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QCheckBox::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            emit mouseUp();
    }
};

} // namespace talviro6
