#pragma once

#include "editor/palette.h"
#include "model/map_block.h"
#include "texts/map_block_texts.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace talviro6 {

struct AdvancePage;
class EditSession;
class NumericField;
class UserDialogs;

/// The outline of the selected block, drawn over the advance page's group box. It
/// takes no mouse input and leaves the cells' colours to the live display.
class MapSelectionFrame : public QWidget {
    Q_OBJECT

  public:
    static constexpr int PenWidth = 3; ///< px
    /// Dark violet: apart from the lime operating point, the blue shade and the
    /// orange trail of where the engine ran.
    static QColor colour() { return QColor(palette::Selection.red, palette::Selection.green, palette::Selection.blue); }

    explicit MapSelectionFrame(QWidget *parent);
    /// The rectangle in the parent's coordinates; empty hides the outline.
    void setOutline(const QRect &rect);
    QRect outline() const { return m_outline; }
    /// Not drawn while `hidden` says so (printing).
    void setHiddenWhile(std::function<bool()> hidden) { m_hidden = std::move(hidden); }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QRect m_outline;
    std::function<bool()> m_hidden;
};

/// A rectangle of advance map cells chosen with the mouse (press on a cell, drag,
/// release) or Shift+arrows from the focused cell; Escape clears it. The block
/// edits come from the cells' context menu, copy and paste also from Ctrl+C and
/// Ctrl+V. Each is one edit of the session: the controls read back first, then
/// validated, shown, one undo step.
class MapSelection : public QObject {
    Q_OBJECT

  public:
    /// `printing` says when the outline must not show; `owner` holds the selection
    /// and its menu.
    MapSelection(AdvancePage &advance, EditSession &session, UserDialogs &dialogs, std::function<bool()> printing,
                 QWidget *owner);

    std::optional<MapBlock> block() const { return m_block; }
    void setBlock(std::optional<MapBlock> block);
    MapSelectionFrame *frame() const { return m_frame; }
    /// The context menu; its actions are named "MapBlockSet" ... "MapBlockPaste".
    QMenu *menu() const { return m_menu; }

    /// The operation on the block; Set, Add and Scale ask for their number first.
    void apply(BlockOperation operation);
    /// The block as tab-separated text to the clipboard.
    void copy();
    /// The clipboard's tab-separated text at the block's top left; a malformed text
    /// is named in a message and changes nothing.
    void paste();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    std::optional<MapCell> cellOf(QObject *watched) const;
    /// The visible cell under a point of the screen, if any.
    std::optional<MapCell> cellAt(const QPoint &globalPos) const;
    bool visible(MapCell cell) const;
    NumericField *field(MapCell cell) const;
    void extendBy(MapCell from, int rows, int columns);
    void showMenu(MapCell cell, const QPoint &globalPos);
    void retranslate();
    void updateFrame();
    QString text(MapBlockText id) const;

    AdvancePage &m_advance;
    EditSession &m_session;
    UserDialogs &m_dialogs;
    QPointer<MapSelectionFrame> m_frame; ///< a child of the page, gone first when the window closes
    QMenu *m_menu = nullptr;
    std::optional<MapBlock> m_block;
    MapCell m_anchor;        ///< where the block started: the pressed or focused cell
    MapCell m_end;           ///< the corner that moves
    bool m_dragging = false; ///< the left button went down on a cell and is still down
};

} // namespace talviro6
