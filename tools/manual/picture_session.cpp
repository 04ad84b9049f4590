#include "picture_session.h"

#include "editor/form_hlav.h"
#include "sim/loopback_port.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

namespace talviro6 {

PictureSession::PictureSession(FormHlav &window, sim::ManualClock &clock, QString dir)
    : m_window(window), m_clock(clock), m_dir(std::move(dir))
{
}

void PictureSession::run(int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        m_clock.advance(FormHlav::TickMilliseconds * 1000);
        m_window.Timer1Timer();
        QApplication::processEvents();
    }
}

bool PictureSession::save(QWidget *widget, const QString &name)
{
    QApplication::processEvents();
    const QString path = QDir(m_dir).filePath(name + QStringLiteral(".png"));
    const bool ok = widget->grab().save(path, "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace talviro6
