#include "editor/form_hlav.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/user_dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>

// Printing: pictures of the window's pages, white and without the working controls,
// stamped with the date and time.

namespace talviro6 {
namespace {

/// The four parameter pages Print all prints; the power-output page is not one.
constexpr int ParameterPages = 4;

} // namespace

void FormHlav::SpeedButtonPrintClick()
{
    printPages({pageShown()});
}

void FormHlav::MenuPrintAllClick()
{
    std::vector<int> pages;
    for (int i = 0; i < ParameterPages; ++i)
        pages.push_back(i);
    printPages(pages);
}

void FormHlav::printPages(const std::vector<int> &pages)
{
    // A value being typed is taken over first: the field loses the focus.
    m_c.frame.toolBar.BitBtnVerify->setFocus();

    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QString stamp = QString::fromStdString(m_texts[TextRole::TextPrintDate]) +
                          locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
                          locale.toString(now.time(), QLocale::LongFormat);
    m_link.showNotice(stamp.toStdString(), Colour::White);
    m_link.setPrintMode(true);
    paintLive();
    m_c.frame.LabelSpojeni->hide();
    updateControlStates();
    // The tool bar is gone now, and Qt would hand the button's focus to the next
    // field, which would show selected, as being edited, on paper.
    centralWidget()->setFocus();

    QTabWidget *tabs = m_c.frame.PageControl1;
    const int shownBefore = pageShown();
    std::vector<QImage> pictures;
    for (const int page : pages) {
        if (pages.size() > 1)
            for (int i = 0; i < ParameterPages; ++i)
                tabs->setTabVisible(i, i == page);
        tabs->setCurrentIndex(page);
        updateControlStates();
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        pictures.push_back(centralWidget()->grab().toImage());
    }

    for (int i = 0; i < ParameterPages; ++i)
        tabs->setTabVisible(i, true);
    tabs->setCurrentIndex(shownBefore);
    m_link.setPrintMode(false);
    updateControlStates();
    m_link.setMessageColour(Colour::Face);
    paintLive();

    QString error;
    if (!m_services.printer.print(pictures, &error))
        m_services.dialogs.message(error);
}

} // namespace talviro6
