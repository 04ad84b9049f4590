#include "editor/window_printing.h"

#include "editor/user_dialogs.h"
#include "editor/window_services.h"
#include "texts/kept_texts.h"

#include <QApplication>
#include <QDateTime>
#include <QImage>
#include <QLocale>
#include <QTabWidget>
#include <QWidget>

namespace talviro6 {

WindowPrinting::WindowPrinting(const KeptTexts &texts, PagePrinter &printer, UserDialogs &dialogs, Window window)
    : m_texts(texts), m_printer(printer), m_dialogs(dialogs), m_w(std::move(window))
{
}

void WindowPrinting::printShown()
{
    printPages({m_w.pages->currentIndex()});
}

void WindowPrinting::printAll()
{
    std::vector<int> pages;
    for (int i = 0; i < ParameterPages; ++i)
        pages.push_back(i);
    printPages(pages);
}

void WindowPrinting::printPages(const std::vector<int> &pages)
{
    // A value being typed is taken over first: the field loses the focus.
    m_w.focusTaker->setFocus();

    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QString stamp = QString::fromStdString(m_texts[TextRole::TextPrintDate]) +
                          locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("    ") +
                          locale.toString(now.time(), QLocale::LongFormat);
    m_w.enterPrintMode(stamp);
    // The tool bar is gone now, and Qt would hand the button's focus to the next
    // field, which would show selected, as being edited, on paper.
    m_w.pagesArea->setFocus();

    QTabWidget *tabs = m_w.pages;
    const int shownBefore = tabs->currentIndex();
    std::vector<QImage> pictures;
    for (const int page : pages) {
        if (pages.size() > 1)
            for (int i = 0; i < ParameterPages; ++i)
                tabs->setTabVisible(i, i == page);
        tabs->setCurrentIndex(page);
        m_w.updateControlStates();
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        pictures.push_back(m_w.pagesArea->grab().toImage());
    }

    for (int i = 0; i < ParameterPages; ++i)
        tabs->setTabVisible(i, true);
    tabs->setCurrentIndex(shownBefore);
    m_w.leavePrintMode();

    QString error;
    if (!m_printer.print(pictures, &error))
        m_dialogs.message(error);
}

} // namespace talviro6
