#pragma once

#include <QString>

#include <functional>
#include <vector>

class QTabWidget;
class QWidget;

namespace talviro6 {

class KeptTexts;
class PagePrinter;
class UserDialogs;

/// Printing: pictures of the window's pages, white and without the working
/// controls, stamped with the date and time.
class WindowPrinting {
  public:
    /// The four parameter pages Print all prints; the power-output page is not one.
    static constexpr int ParameterPages = 4;

    struct Window {
        QWidget *pagesArea = nullptr;  ///< the window's central widget: what a picture shows
        QTabWidget *pages = nullptr;   ///< PageControl1
        QWidget *focusTaker = nullptr; ///< a button that takes the focus from a field being typed in
        /// The window as paper shows it: the stamp as the transfer line's notice,
        /// print mode on, painted, the control states of paper.
        std::function<void(const QString &stamp)> enterPrintMode;
        /// The window as it works again.
        std::function<void()> leavePrintMode;
        std::function<void()> updateControlStates;
    };

    WindowPrinting(const KeptTexts &texts, PagePrinter &printer, UserDialogs &dialogs, Window window);

    /// The page shown.
    void printShown();
    /// Every parameter page, each on a sheet of its own.
    void printAll();
    void printPages(const std::vector<int> &pages);

  private:
    const KeptTexts &m_texts;
    PagePrinter &m_printer;
    UserDialogs &m_dialogs;
    Window m_w;
};

} // namespace talviro6
