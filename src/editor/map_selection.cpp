#include "editor/map_selection.h"

#include "editor/controls.h"
#include "editor/user_dialogs.h"
#include "editor/widgets/numeric_field.h"
#include "model/edit_session.h"
#include "model/field_table.h"
#include "model/fields.h"
#include "texts/map_block_texts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <limits>

namespace talviro6 {
namespace {

constexpr int AddLimit = MapCellMax; ///< degrees either way: more reaches a range end from anywhere
constexpr int ScaleMaximum = 1000;   ///< percent

struct MenuEntry {
    MapBlockText text;
    const char *name;
    std::optional<BlockOperation> operation; ///< empty: copy or paste
};

constexpr MenuEntry MenuEntries[] = {
    {MapBlockText::MenuSet, "MapBlockSet", BlockOperation::Set},
    {MapBlockText::MenuAdd, "MapBlockAdd", BlockOperation::Add},
    {MapBlockText::MenuScale, "MapBlockScale", BlockOperation::Scale},
    {MapBlockText::MenuInterpolateRows, "MapBlockInterpolateRows", BlockOperation::InterpolateRows},
    {MapBlockText::MenuInterpolateColumns, "MapBlockInterpolateColumns", BlockOperation::InterpolateColumns},
    {MapBlockText::MenuBilinear, "MapBlockBilinear", BlockOperation::Bilinear},
    {MapBlockText::MenuSmooth, "MapBlockSmooth", BlockOperation::Smooth},
    {MapBlockText::MenuCopy, "MapBlockCopy", std::nullopt},
    {MapBlockText::MenuPaste, "MapBlockPaste", std::nullopt},
};

} // namespace

MapSelectionFrame::MapSelectionFrame(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MapSelectionFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(parent->rect());
    raise();
}

void MapSelectionFrame::setOutline(const QRect &rect)
{
    if (rect == m_outline)
        return;
    m_outline = rect;
    setGeometry(parentWidget()->rect());
    raise();
    setVisible(!rect.isEmpty());
    update();
}

void MapSelectionFrame::paintEvent(QPaintEvent *)
{
    if (m_outline.isEmpty() || (m_hidden && m_hidden()))
        return;
    // Four bands inside the outline: exact pixels whatever the pen rules.
    QPainter painter(this);
    const QRect r = m_outline;
    const int w = PenWidth;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), colour());
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour());
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), colour());
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), colour());
}

MapSelection::MapSelection(AdvancePage &advance, EditSession &session, UserDialogs &dialogs,
                           std::function<bool()> printing, QWidget *owner)
    : QObject(owner), m_advance(advance), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("MapSelection"));
    auto &adv = advance;
    m_frame = new MapSelectionFrame(adv.GroupBox6);
    // A printed page shows the parameters, not where the mouse was.
    m_frame->setHiddenWhile(std::move(printing));
    m_frame->hide();
    for (auto &row : adv.EditCell)
        for (NumericField *cell : row) {
            cell->installEventFilter(this);
            cell->edit()->installEventFilter(this);
        }

    m_menu = new QMenu(owner);
    m_menu->setObjectName(QStringLiteral("MapBlockMenu"));
    for (const MenuEntry &e : MenuEntries) {
        if (e.text == MapBlockText::MenuCopy)
            m_menu->addSeparator();
        QAction *action = m_menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(e.name));
        connect(action, &QAction::triggered, this, [this, e] {
            if (e.operation)
                apply(*e.operation);
            else if (e.text == MapBlockText::MenuCopy)
                copy();
            else
                paste();
        });
    }
    retranslate();
}

QString MapSelection::text(MapBlockText id) const
{
    return QString::fromUtf8(mapBlockText(id, m_session.settings().languageIndex));
}

void MapSelection::retranslate()
{
    const auto actions = m_menu->actions();
    int i = 0;
    for (QAction *action : actions)
        if (!action->isSeparator())
            action->setText(text(MenuEntries[i++].text));
}

NumericField *MapSelection::field(MapCell cell) const
{
    return m_advance.EditCell[static_cast<std::size_t>(cell.row)][static_cast<std::size_t>(cell.column)];
}

bool MapSelection::visible(MapCell cell) const
{
    return cell.row >= 0 && cell.row < field::MapRows && cell.column >= 0 && cell.column < field::MapColumns &&
           field(cell)->isVisibleTo(m_advance.GroupBox6);
}

std::optional<MapCell> MapSelection::cellOf(QObject *watched) const
{
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c) {
            NumericField *f = field({r, c});
            if (watched == f || watched == f->edit())
                return MapCell{r, c};
        }
    return std::nullopt;
}

std::optional<MapCell> MapSelection::cellAt(const QPoint &globalPos) const
{
    // The nearest visible cell by rows and columns apart, so a drag past the map's
    // edge or across the gaps between cells keeps the block.
    const QPoint p = m_advance.GroupBox6->mapFromGlobal(globalPos);
    std::optional<MapCell> best;
    long long bestDistance = std::numeric_limits<long long>::max();
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c) {
            if (!visible({r, c}))
                continue;
            const QRect g = field({r, c})->geometry();
            const long long dx = p.x() < g.left() ? g.left() - p.x() : p.x() > g.right() ? p.x() - g.right() : 0;
            const long long dy = p.y() < g.top() ? g.top() - p.y() : p.y() > g.bottom() ? p.y() - g.bottom() : 0;
            const long long distance = dx * dx + dy * dy;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = MapCell{r, c};
            }
        }
    return best;
}

void MapSelection::setBlock(std::optional<MapBlock> block)
{
    m_block = block;
    updateFrame();
}

void MapSelection::updateFrame()
{
    if (!m_frame)
        return;
    if (!m_block || !visible({m_block->top, m_block->left}) || !visible({m_block->bottom, m_block->right})) {
        m_frame->setOutline({});
        return;
    }
    const QRect first = field({m_block->top, m_block->left})->geometry();
    const QRect last = field({m_block->bottom, m_block->right})->geometry();
    constexpr int Margin = 3; ///< px around the cells, clear of their own frames
    m_frame->setOutline(first.united(last).adjusted(-Margin, -Margin, Margin, Margin));
}

void MapSelection::extendBy(MapCell from, int rows, int columns)
{
    if (!m_block) {
        m_anchor = from;
        m_end = from;
    }
    MapCell next = m_end;
    // Rows hidden (the map shown as its last row only) are stepped over.
    do {
        next.row += rows;
        next.column += columns;
    } while (next.row >= 0 && next.row < field::MapRows && next.column >= 0 && next.column < field::MapColumns &&
             !visible(next));
    if (visible(next))
        m_end = next;
    setBlock(MapBlock::spanning(m_anchor, m_end));
}

void MapSelection::showMenu(MapCell cell, const QPoint &globalPos)
{
    if (!m_block || !m_block->contains(cell)) {
        m_anchor = m_end = cell;
        setBlock(MapBlock::spanning(cell, cell));
    }
    retranslate();
    m_menu->popup(globalPos);
}

bool MapSelection::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto cell = cellOf(watched);
        if (mouse->button() != Qt::LeftButton || !cell)
            break;
        m_dragging = true;
        if ((mouse->modifiers() & Qt::ShiftModifier) && m_block) {
            m_end = *cell;
            setBlock(MapBlock::spanning(m_anchor, m_end));
        } else {
            m_anchor = m_end = *cell;
            setBlock(std::nullopt);
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_dragging || !(mouse->buttons() & Qt::LeftButton))
            break;
        const auto cell = cellAt(mouse->globalPosition().toPoint());
        if (!cell || (!m_block && cell->row == m_anchor.row && cell->column == m_anchor.column))
            break; // still within the pressed cell: the edit selects its text
        m_end = *cell;
        setBlock(MapBlock::spanning(m_anchor, m_end));
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_dragging = false;
        break;
    case QEvent::ContextMenu: {
        const auto cell = cellOf(watched);
        if (!cell)
            break;
        showMenu(*cell, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const auto cell = cellOf(watched);
        if (!cell)
            break;
        if (key->matches(QKeySequence::Copy)) {
            if (!m_block)
                setBlock(MapBlock::spanning(*cell, *cell));
            copy();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            if (!m_block) {
                m_anchor = m_end = *cell;
                setBlock(MapBlock::spanning(*cell, *cell));
            }
            paste();
            return true;
        }
        if (key->key() == Qt::Key_Escape && m_block) {
            setBlock(std::nullopt);
            return true;
        }
        if (key->modifiers() == Qt::ShiftModifier) {
            const int rows = key->key() == Qt::Key_Up ? -1 : key->key() == Qt::Key_Down ? 1 : 0;
            const int columns = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
            if (rows != 0 || columns != 0) {
                extendBy(*cell, rows, columns);
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void MapSelection::apply(BlockOperation operation)
{
    if (!m_block)
        return;
    int argument = 0;
    const FieldInfo *cellInfo = fieldAt(field::AdvanceMap(m_block->top, m_block->left));
    std::optional<int> answer;
    switch (operation) {
    case BlockOperation::Set:
        answer = m_dialogs.askNumber(text(MapBlockText::AskSet),
                                     m_session.image()[field::AdvanceMap(m_block->top, m_block->left)],
                                     cellInfo->minimum, cellInfo->maximum);
        break;
    case BlockOperation::Add:
        answer = m_dialogs.askNumber(text(MapBlockText::AskAdd), 1, -AddLimit, AddLimit);
        break;
    case BlockOperation::Scale:
        answer = m_dialogs.askNumber(text(MapBlockText::AskScale), 100, 0, ScaleMaximum);
        break;
    default:
        answer = 0;
        break;
    }
    if (!answer)
        return;
    argument = *answer;
    const MapBlock block = *m_block;
    m_session.edit([&](UnitImage &image) { applyBlockOperation(image, block, operation, argument); });
}

void MapSelection::copy()
{
    if (!m_block)
        return;
    // A number typed and not yet applied is taken first, as leaving its cell would.
    m_session.edit([](UnitImage &) {});
    QApplication::clipboard()->setText(QString::fromStdString(blockToText(m_session.image(), *m_block)));
}

void MapSelection::paste()
{
    if (!m_block)
        return;
    const ParsedPaste parsed = parseTabSeparated(QApplication::clipboard()->text().toStdString());
    if (parsed.error) {
        if (parsed.error->kind == PasteError::Kind::NoNumbers)
            m_dialogs.message(text(MapBlockText::PasteNoNumbers));
        else
            m_dialogs.message(text(MapBlockText::PasteNotANumber)
                                  .arg(QString::number(parsed.error->line), QString::number(parsed.error->column),
                                       QString::fromStdString(parsed.error->cell)));
        return;
    }
    MapBlock covered;
    const MapCell at{m_block->top, m_block->left};
    m_session.edit([&](UnitImage &image) { covered = pasteCells(image, at, parsed.cells); });
    m_anchor = {covered.top, covered.left};
    m_end = {covered.bottom, covered.right};
    setBlock(covered);
}

} // namespace talviro6
