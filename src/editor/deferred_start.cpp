#include "editor/deferred_start.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace talviro6 {
namespace {

/// What can change a control, run a command or close the window. Pointer moves,
/// hovering and focus changes are not among them: the pointer usually rests over
/// a window as it appears, and waiting for the paint costs it nothing.
bool reachesControls(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
    case QEvent::NativeGesture:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

/// A window that is never painted (started minimised, on a display that shows
/// nothing) still finishes its start.
constexpr int LatestMilliseconds = 500;

} // namespace

DeferredStart::DeferredStart(QWidget *window, std::function<void()> finish)
    : QObject(window), m_window(window), m_finish(std::move(finish))
{
    qApp->installEventFilter(this);
    QTimer::singleShot(LatestMilliseconds, this, [this] { finishNow(); });
}

void DeferredStart::disarm()
{
    qApp->removeEventFilter(this);
    m_finish = nullptr;
    // It may be inside its own event filter or timer now.
    deleteLater();
}

void DeferredStart::finishNow()
{
    if (m_finish) {
        const auto finish = std::move(m_finish);
        m_finish = nullptr;
        finish(); // disarms this
    }
}

bool DeferredStart::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_finish)
        return false;
    if (reachesControls(event->type())) {
        finishNow();
    } else if (!m_posted && event->type() == QEvent::Paint && watched->isWidgetType() &&
               static_cast<QWidget *>(watched)->window() == m_window) {
        // After this paint has gone to the screen: queued behind it.
        m_posted = true;
        QMetaObject::invokeMethod(this, &DeferredStart::finishNow, Qt::QueuedConnection);
    }
    return false;
}

} // namespace talviro6
