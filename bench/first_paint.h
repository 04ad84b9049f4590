#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace talviro6::bench {

/// Says "painted" and the process's CPU time so far (ms) on standard output at the
/// first paint of any widget of the program and ends it: the start-up benchmark
/// times a program up to that line.
class FirstPaint : public QObject {
  public:
    FirstPaint() { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_seen = true;
            // After this paint has reached the screen, not before.
            QTimer::singleShot(0, qApp, [] {
                timespec cpu{};
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("painted %.3f\n", cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool m_seen = false;
};

} // namespace talviro6::bench
