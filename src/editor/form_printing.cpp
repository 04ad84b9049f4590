#include "editor/form_hlav.h"

#include <QLabel>

// The window as paper shows it while its pages are pictured for printing.

namespace talviro6 {

void FormHlav::enterPrintMode(const QString &stamp)
{
    m_link.showNotice(stamp.toStdString(), Colour::White);
    m_link.setPrintMode(true);
    paintLive();
    m_c.frame.LabelSpojeni->hide();
    updateControlStates();
}

void FormHlav::leavePrintMode()
{
    m_link.setPrintMode(false);
    updateControlStates();
    m_link.setMessageColour(Colour::Face);
    paintLive();
}

} // namespace talviro6
