#include "editor/window_transfers.h"

#include "editor/qt_translations.h"
#include "editor/window_files.h"
#include "link/link_engine.h"

#include <QAction>

namespace talviro6 {

WindowTransfers::WindowTransfers(EditSession &session, LinkEngine &link, WindowFiles &files, QtTranslations &qtTexts,
                                 const PortItems &portItems, Window window)
    : m_session(session), m_link(link), m_files(files), m_qtTexts(qtTexts), m_portItems(portItems),
      m_window(std::move(window))
{
}

void WindowTransfers::read()
{
    m_link.StartReadJob();
    m_files.forgetShownFile();
    m_window.paintLive();
}

void WindowTransfers::verify()
{
    // What the controls hold, validated and shown, is what the unit is compared with.
    m_session.takeControls();
    m_link.StartVerifyJob(m_session.parameters());
    m_window.paintLive();
}

void WindowTransfers::program()
{
    m_session.takeControls();
    m_link.StartProgramJob(m_session.parameters());
    m_window.paintLive();
}

void WindowTransfers::choosePort(int entry)
{
    m_link.choosePort(static_cast<std::uint8_t>(entry));
    markPortMenu();
    m_window.paintLive();
}

void WindowTransfers::markPortMenu()
{
    for (std::size_t i = 0; i < m_portItems.size(); ++i)
        m_portItems[i]->setChecked(i == m_session.settings().portIndex);
}

void WindowTransfers::switchLanguage(std::uint8_t language)
{
    m_session.settings().languageIndex = language;
    m_qtTexts.apply(language);
    m_window.retext();
    m_window.refresh();
}

} // namespace talviro6
