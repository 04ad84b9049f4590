#pragma once

#include <QObject>

class QSocketNotifier;

namespace talviro6 {

/// SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C in the terminal that started
/// the window) as a Qt signal on the GUI thread, so that the window can close as
/// File > Exit closes it: settings saved, the port let go. The handler itself only
/// writes the number into a pipe, the one thing it may safely do; the event loop
/// reads it. One instance at a time; the default actions return when it goes. On a
/// system without these signals it does nothing.
class ExitSignals final : public QObject {
    Q_OBJECT
  public:
    explicit ExitSignals(QObject *parent = nullptr);
    ~ExitSignals() override;
    ExitSignals(const ExitSignals &) = delete;
    ExitSignals &operator=(const ExitSignals &) = delete;

  signals:
    void received(int signalNumber);

  private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace talviro6
