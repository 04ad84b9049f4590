#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace talviro6 {

/// Runs the rest of a window's start once the window has painted for the first
/// time, from the event loop right after that paint; and at once, before the event
/// is delivered, when input, a close or a drop comes first. So the window shows its
/// first page without waiting for the rest, and nothing a user does can reach a
/// control that is not built yet. Watches the whole application until it has run.
class DeferredStart : public QObject {
  public:
    DeferredStart(QWidget *window, std::function<void()> finish);

    /// The rest has run (by this or by a direct call): stop watching and go.
    void disarm();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void finishNow();

    QWidget *m_window;
    std::function<void()> m_finish;
    bool m_posted = false;
};

} // namespace talviro6
