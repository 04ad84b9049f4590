#pragma once

#include <QToolButton>
#include <QWidget>

namespace talviro6 {

/// An up arrow above a down arrow with no field attached; each arrow fires its own
/// signal. Like the tool bar, it never takes the focus from the field being edited.
class ArrowPair : public QWidget {
    Q_OBJECT

  public:
    ArrowPair(const QString &name, int width, int height, QWidget *parent);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

  signals:
    void upClicked();
    void downClicked();

  private:
    QToolButton *m_up;
    QToolButton *m_down;
};

} // namespace talviro6
