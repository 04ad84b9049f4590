#include "model/edit_history.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace talviro6;

namespace {

/// The parameter area after the n-th recorded change; n = 0 is the start-up image.
/// Two bytes far apart, so a copy that loses either end shows.
ParameterArea imageOf(int n)
{
    ParameterArea a{};
    a[0] = static_cast<std::uint8_t>(n % 256);
    a[ParameterSize - 1] = static_cast<std::uint8_t>(n / 256 + 1);
    return a;
}

struct Positions {
    int oldest, current, newest;
    bool operator==(const Positions &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Positions &p)
{
    return out << "oldest " << p.oldest << ", current " << p.current << ", newest " << p.newest;
}

Positions positions(const EditHistory &h)
{
    return {h.oldestIndex(), h.currentIndex(), h.newestIndex()};
}

/// A history reset at start-up, then `changes` recorded changes, each on page n % 5.
EditHistory afterChanges(int changes)
{
    EditHistory h;
    h.reset(imageOf(0), 0);
    for (int n = 1; n <= changes; ++n)
        EXPECT_TRUE(h.record(imageOf(n), n % 5));
    return h;
}

} // namespace

TEST(EditHistory, StartsWithNothingToUndoOrRedo)
{
    EditHistory h;
    h.reset(imageOf(7), 3);
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(positions(h), (Positions{0, 0, 0}));
    EXPECT_EQ(h.current().image, imageOf(7));
    EXPECT_EQ(h.current().page, 3);
}

TEST(EditHistory, OneEditUndoneAndRedoneWithItsPage)
{
    EditHistory h;
    h.reset(imageOf(0), 1);
    ASSERT_TRUE(h.record(imageOf(1), 2));
    EXPECT_TRUE(h.canUndo());
    EXPECT_FALSE(h.canRedo());

    const HistorySnapshot &back = h.undo();
    EXPECT_EQ(back.image, imageOf(0));
    EXPECT_EQ(back.page, 1) << "the page shown when that entry was taken";
    EXPECT_FALSE(h.canUndo());
    EXPECT_TRUE(h.canRedo());

    const HistorySnapshot &again = h.redo();
    EXPECT_EQ(again.image, imageOf(1));
    EXPECT_EQ(again.page, 2);
    EXPECT_TRUE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
}

TEST(EditHistory, NoChangeOrAChangeOfPageAloneRecordsNothing)
{
    EditHistory h;
    h.reset(imageOf(0), 0);
    ASSERT_TRUE(h.record(imageOf(1), 2));
    h.undo();
    const Positions before = positions(h);

    EXPECT_FALSE(h.record(imageOf(0), 4)) << "same image, another page";
    EXPECT_EQ(positions(h), before);
    EXPECT_EQ(h.current().page, 0) << "the entry keeps the page it was taken with";
    EXPECT_TRUE(h.canRedo()) << "nothing recorded, so redo is still there";
    EXPECT_EQ(h.redo().image, imageOf(1));
}

TEST(EditHistory, AChangeAfterUndoDropsRedo)
{
    EditHistory h = afterChanges(5);
    h.undo();
    h.undo();
    ASSERT_EQ(positions(h), (Positions{0, 3, 5}));

    ASSERT_TRUE(h.record(imageOf(100), 4));
    EXPECT_EQ(positions(h), (Positions{0, 4, 4}));
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.redo().image, imageOf(100)) << "redo at its limit stays on the new change";
    EXPECT_EQ(h.undo().image, imageOf(3));
}

TEST(EditHistory, PositionsWrapRoundTheRing)
{
    struct Row {
        int changes;
        Positions after;
    };
    const Row rows[] = {
        {1, {0, 1, 1}},   {199, {0, 199, 199}}, // every entry in use, the oldest still the start-up image
        {200, {1, 0, 0}},                       // the first overwrite: the start-up image is gone
        {201, {2, 1, 1}}, {250, {51, 50, 50}},  {400, {1, 0, 0}}, {1000, {1, 0, 0}},
    };
    for (const Row &r : rows) {
        const EditHistory h = afterChanges(r.changes);
        EXPECT_EQ(positions(h), r.after) << r.changes << " changes";
        EXPECT_EQ(h.current().image, imageOf(r.changes));
    }
}

TEST(EditHistory, After250ChangesUndoReachesThe51stChangeIn199Steps)
{
    EditHistory h = afterChanges(250);
    for (int n = 249; n >= 51; --n) {
        ASSERT_TRUE(h.canUndo()) << n;
        const HistorySnapshot &s = h.undo();
        ASSERT_EQ(s.image, imageOf(n));
        ASSERT_EQ(s.page, n % 5);
    }
    EXPECT_FALSE(h.canUndo());
    EXPECT_EQ(positions(h), (Positions{51, 51, 50}));

    // At the limit the current entry comes back and nothing moves.
    const HistorySnapshot &limit = h.undo();
    EXPECT_EQ(limit.image, imageOf(51));
    EXPECT_EQ(positions(h), (Positions{51, 51, 50}));

    for (int n = 52; n <= 250; ++n)
        ASSERT_EQ(h.redo().image, imageOf(n)) << n;
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.redo().image, imageOf(250));
    EXPECT_EQ(positions(h), (Positions{51, 50, 50}));
}

TEST(EditHistory, AChangeAfterUndoInAFullRingKeepsTheOldest)
{
    EditHistory h = afterChanges(250);
    for (int i = 0; i < 10; ++i)
        h.undo();
    ASSERT_TRUE(h.record(imageOf(999), 0));
    EXPECT_EQ(positions(h), (Positions{51, 41, 41}));

    int steps = 0;
    while (h.canUndo()) {
        h.undo();
        ++steps;
    }
    EXPECT_EQ(steps, 190);
    EXPECT_EQ(h.current().image, imageOf(51));
}

TEST(EditHistory, ResetForgetsEverything)
{
    EditHistory h = afterChanges(250);
    h.undo();
    h.reset(imageOf(5), 2);
    EXPECT_EQ(positions(h), (Positions{0, 0, 0}));
    EXPECT_FALSE(h.canUndo());
    EXPECT_FALSE(h.canRedo());
    EXPECT_EQ(h.current().image, imageOf(5));
}

TEST(ProgramAfterChange, TickingAloneProgramsNothingThenEveryStepPrograms)
{
    struct Row {
        bool ticked, changed;
        bool programs, armedAfter;
        const char *what;
    };
    // One run of history steps, each row seeing what the rows above left.
    const Row rows[] = {
        {false, true, false, false, "box not ticked: a change programs nothing"},
        {true, false, false, true, "the step that first sees the box: no change, nothing"},
        {true, false, true, true, "from then on every step, even without a change"},
        {true, true, true, true, "and with one"},
        {false, false, false, false, "unticking disarms"},
        {true, true, true, true, "the step that first sees the box: a change programs"},
        {true, false, true, true, "and arms"},
        {false, true, false, false, "unticking with a change programs nothing"},
        {false, false, false, false, "stays disarmed"},
    };
    ProgramAfterChange p;
    EXPECT_FALSE(p.armed());
    for (const Row &r : rows) {
        EXPECT_EQ(p.step(r.ticked, r.changed), r.programs) << r.what;
        EXPECT_EQ(p.armed(), r.armedAfter) << r.what;
    }

    p.step(true, true);
    ASSERT_TRUE(p.armed());
    p.reset();
    EXPECT_FALSE(p.armed());
    EXPECT_FALSE(p.step(true, false)) << "after a reset the box counts as newly ticked";
}
