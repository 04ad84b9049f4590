#pragma once

#include "model/edit_session.h"

#include <array>
#include <cstdint>
#include <functional>

class QAction;

namespace talviro6 {

class LinkEngine;
class QtTranslations;
class WindowFiles;

/// The commands that start a job on the link (read, verify, program), the choice
/// of port and the switch of language.
class WindowTransfers {
  public:
    using PortItems = std::array<QAction *, 21>; ///< MenuComItems
    /// What the window does around them.
    struct Window {
        std::function<void()> paintLive; ///< the link's state shown at once, not at the next tick
        std::function<void()> retext;    ///< the kept texts and every caption in the language in use
        std::function<void()> refresh;   ///< the image into every control
    };

    WindowTransfers(EditSession &session, LinkEngine &link, WindowFiles &files, QtTranslations &qtTexts,
                    const PortItems &portItems, Window window);

    void read();
    void verify();
    void program();
    void choosePort(int entry);
    /// The port in use ticked in the menu.
    void markPortMenu();
    void switchLanguage(std::uint8_t language);

  private:
    EditSession &m_session;
    LinkEngine &m_link;
    WindowFiles &m_files;
    QtTranslations &m_qtTexts;
    const PortItems &m_portItems; ///< filled when the menu is built, after this piece
    Window m_window;
};

} // namespace talviro6
