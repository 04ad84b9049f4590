#include "editor/map_selection.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// The advance page shown with the whole map (the TPS map on) as the start of the
/// history, the cells at known values.
class MapSelectionTest : public WindowFixture {
  protected:
    MapSelectionTest()
    {
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
        image()[field::TpsMapEnable] = 1;
        for (int r = 0; r < field::MapRows; ++r)
            for (int col = 0; col < field::MapColumns; ++col)
                image()[field::AdvanceMap(r, col)] = static_cast<std::uint8_t>(10 + r + col);
        afterEditStep();
        QApplication::processEvents();
    }

    MapSelection &selection() { return *window.mapSelection(); }
    NumericField *cell(int r, int col) { return c().advance.EditCell[r][col]; }
    QLineEdit *edit(int r, int col) { return cell(r, col)->edit(); }
    /// A cell's centre in the coordinates of another cell's edit.
    QPoint centreOf(int r, int col, QWidget *in)
    {
        return in->mapFromGlobal(edit(r, col)->mapToGlobal(edit(r, col)->rect().center()));
    }

    void drag(MapCell from, MapCell to)
    {
        QLineEdit *pressed = edit(from.row, from.column);
        QTest::mousePress(pressed, Qt::LeftButton, {}, pressed->rect().center());
        QTest::mouseMove(pressed, centreOf(to.row, to.column, pressed));
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, centreOf(to.row, to.column, pressed));
        QApplication::processEvents();
    }

    std::vector<std::vector<int>> values(const MapBlock &b)
    {
        std::vector<std::vector<int>> v;
        for (int r = b.top; r <= b.bottom; ++r) {
            v.emplace_back();
            for (int col = b.left; col <= b.right; ++col)
                v.back().push_back(image()[field::AdvanceMap(r, col)]);
        }
        return v;
    }

    void rightClick(int r, int col)
    {
        QLineEdit *e = edit(r, col);
        QContextMenuEvent event(QContextMenuEvent::Mouse, e->rect().center(), e->mapToGlobal(e->rect().center()));
        QApplication::sendEvent(e, &event);
        QApplication::processEvents();
    }

    void chooseFromMenu(const char *action)
    {
        QMenu *menu = selection().menu();
        ASSERT_TRUE(menu->isVisible());
        auto *a = menu->findChild<QAction *>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        QApplication::processEvents();
    }

    int undoSteps() const { return window.history().currentIndex(); }
};

} // namespace

TEST_F(MapSelectionTest, MouseDragSelectsARectangleShownAsAFrame)
{
    const struct {
        MapCell from;
        MapCell to;
        std::optional<MapBlock> block;
    } cases[] = {
        {{2, 3}, {4, 6}, MapBlock{2, 3, 4, 6}},
        {{7, 8}, {5, 1}, MapBlock{5, 1, 7, 8}},
        {{0, 0}, {0, 9}, MapBlock{0, 0, 0, 9}},
        {{3, 3}, {3, 3}, std::nullopt}, // a click is no block
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(std::to_string(k.from.row * 10 + k.from.column));
        drag(k.from, k.to);
        EXPECT_EQ(selection().block(), k.block);
        EXPECT_EQ(selection().frame()->isVisible(), k.block.has_value());
    }

    drag({2, 3}, {4, 6});
    QWidget *box = c().advance.GroupBox6;
    const QImage picture = box->grab().toImage();
    const QRect outline = selection().frame()->outline();
    ASSERT_FALSE(outline.isEmpty());
    EXPECT_TRUE(outline.contains(cell(2, 3)->geometry()));
    EXPECT_TRUE(outline.contains(cell(4, 6)->geometry()));
    EXPECT_FALSE(outline.intersects(cell(5, 3)->geometry()));
    // The outline in the frame's colour on all four sides; the cells keep their colour.
    const QColor frame = MapSelectionFrame::colour();
    const QPoint mid = outline.center();
    for (const QPoint p : {QPoint(outline.left() + 1, mid.y()), QPoint(outline.right() - 1, mid.y()),
                           QPoint(mid.x(), outline.top() + 1), QPoint(mid.x(), outline.bottom() - 1)})
        EXPECT_EQ(QColor(picture.pixel(p)), frame) << p.x() << "," << p.y();
    EXPECT_EQ(cell(3, 4)->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
    EXPECT_EQ(image()[field::AdvanceMap(2, 3)], 15) << "a drag edits nothing";

    QTest::keyClick(edit(3, 4), Qt::Key_Escape);
    EXPECT_EQ(selection().block(), std::nullopt);
    EXPECT_FALSE(selection().frame()->isVisible());
}

TEST_F(MapSelectionTest, ShiftArrowsGrowTheBlockFromTheFocusedCell)
{
    cell(5, 5)->setFocus();
    QLineEdit *e = edit(5, 5);
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up})
        QTest::keyClick(e, key, Qt::ShiftModifier);
    EXPECT_EQ(selection().block(), (MapBlock{4, 5, 5, 7}));
    EXPECT_EQ(image()[field::AdvanceMap(5, 5)], 20) << "Shift+Up/Down do not step the value";
    EXPECT_EQ(cell(5, 5)->value(), 20);
    for (int i = 0; i < 12; ++i)
        QTest::keyClick(e, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(selection().block(), (MapBlock{4, 0, 5, 5})) << "stops at the map's edge";

    // Only the last row shows without the TPS map: the block stays in it.
    QTest::keyClick(e, Qt::Key_Escape);
    image()[field::TpsMapEnable] = 0;
    window.refresh();
    cell(9, 2)->setFocus();
    QTest::keyClick(edit(9, 2), Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(edit(9, 2), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selection().block(), (MapBlock{9, 2, 9, 3}));
}

TEST_F(MapSelectionTest, EachOperationFromTheContextMenuIsOneUndoStep)
{
    // The block rows 1 ... 2, columns 2 ... 4 holds {13 14 15} {14 15 16}.
    const struct {
        const char *action;
        std::optional<int> number;
        std::vector<std::vector<int>> expected;
    } cases[] = {
        {"MapBlockSet", 33, {{33, 33, 33}, {33, 33, 33}}},
        {"MapBlockSet", 99, {{60, 60, 60}, {60, 60, 60}}}, // past a dialog's own limit, still clamped
        {"MapBlockAdd", -14, {{0, 0, 1}, {0, 1, 2}}},
        {"MapBlockScale", 250, {{33, 35, 38}, {35, 38, 40}}},
        // 87 / 6 = 14.5 -> 15 in the middle column, 60 / 4 = 15 at the right
        {"MapBlockSmooth", std::nullopt, {{14, 15, 15}, {14, 15, 15}}},
    };
    const MapBlock block{1, 2, 2, 4};
    for (const auto &k : cases) {
        SCOPED_TRACE(std::string(k.action) + " " + std::to_string(k.number.value_or(0)));
        const UnitImage before = image();
        const int steps = undoSteps();
        dialogs.number = k.number;
        dialogs.numberQuestions.clear();
        drag({1, 2}, {2, 4});
        rightClick(2, 3);
        EXPECT_EQ(selection().block(), block) << "a right click inside keeps the block";
        chooseFromMenu(k.action);
        EXPECT_EQ(dialogs.numberQuestions.size(), k.number ? 1u : 0u);
        EXPECT_EQ(values(block), k.expected);
        EXPECT_EQ(cell(1, 2)->value(), k.expected[0][0]) << "shown";
        const bool changed = !(image() == before);
        EXPECT_EQ(undoSteps(), steps + (changed ? 1 : 0));

        window.SpeedButtonZpetClick();
        EXPECT_EQ(image(), before);
        EXPECT_EQ(cell(1, 2)->value(), 13);
    }

    // A right click outside the block selects the clicked cell; a cancelled question changes nothing.
    const int steps = undoSteps();
    dialogs.number.reset();
    rightClick(8, 8);
    EXPECT_EQ(selection().block(), (MapBlock{8, 8, 8, 8}));
    chooseFromMenu("MapBlockAdd");
    EXPECT_EQ(dialogs.numberQuestions.size(), 1u);
    EXPECT_EQ(image()[field::AdvanceMap(8, 8)], 26);
    EXPECT_EQ(undoSteps(), steps);
}

TEST_F(MapSelectionTest, CopyAndPasteAsTabSeparatedText)
{
    drag({0, 0}, {1, 2});
    QTest::keyClick(edit(1, 2), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("10\t11\t12\n11\t12\t13\n"));

    // Pasted at the top left of the block, cut at the map's edge, clamped, one undo step.
    QApplication::clipboard()->setText(QStringLiteral("1\t2\t3\r\n70\t\t-4\r\n"));
    const int steps = undoSteps();
    drag({8, 8}, {9, 9});
    QTest::keyClick(edit(9, 9), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(values({8, 8, 9, 9}), (std::vector<std::vector<int>>{{1, 2}, {60, 28}}));
    EXPECT_EQ(cell(9, 8)->value(), 60);
    EXPECT_EQ(undoSteps(), steps + 1);
    EXPECT_EQ(selection().block(), (MapBlock{8, 8, 9, 9}));
    EXPECT_TRUE(dialogs.messages.empty());

    // Without a block, the focused cell is the top left.
    QTest::keyClick(edit(9, 9), Qt::Key_Escape);
    QApplication::clipboard()->setText(QStringLiteral("44"));
    cell(0, 9)->setFocus();
    QTest::keyClick(edit(0, 9), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(image()[field::AdvanceMap(0, 9)], 44);
}

TEST_F(MapSelectionTest, MalformedPasteShowsAMessageAndChangesNothing)
{
    const struct {
        const char *text;
        const char *message;
    } cases[] = {
        {"1\t2\n3\tx4\n", "line 2, column 2"},
        {"\"5\t6", "line 1, column 1"},
        {"\t\n", "no numbers"},
    };
    drag({2, 2}, {3, 3});
    for (const auto &k : cases) {
        SCOPED_TRACE(k.text);
        dialogs.messages.clear();
        const UnitImage before = image();
        const int steps = undoSteps();
        QApplication::clipboard()->setText(QString::fromLatin1(k.text));
        rightClick(2, 2);
        chooseFromMenu("MapBlockPaste");
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].contains(QString::fromLatin1(k.message))) << dialogs.messages[0].toStdString();
        EXPECT_EQ(image(), before);
        EXPECT_EQ(cell(2, 2)->value(), 14);
        EXPECT_EQ(undoSteps(), steps);
    }
}

TEST_F(MapSelectionTest, ANumberTypedAndNotYetAppliedIsReadBackFirst)
{
    // Typed into a cell of the block without Enter, then the block edited: the
    // typed number is what the edit works on, in the same undo step.
    const UnitImage before = image();
    const int steps = undoSteps();
    drag({1, 2}, {1, 3});
    edit(1, 2)->selectAll();
    QTest::keyClicks(edit(1, 2), QStringLiteral("50"));
    EXPECT_EQ(image()[field::AdvanceMap(1, 2)], 13) << "not applied yet";
    dialogs.number = 1;
    rightClick(1, 3);
    chooseFromMenu("MapBlockAdd");
    EXPECT_EQ(values({1, 2, 1, 3}), (std::vector<std::vector<int>>{{51, 15}}));
    EXPECT_EQ(undoSteps(), steps + 1);
    window.SpeedButtonZpetClick();
    EXPECT_EQ(image(), before);
}
