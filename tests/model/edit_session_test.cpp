// The edit session on its own: a stand-in for the controls and a listener that
// records each notification together with the image and history as it then sees them.
#include "model/defaults.h"
#include "model/edit_session.h"
#include "model/fields.h"
#include "model/settle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace talviro6;

namespace {

/// Controls that hold a few values of their own, as a tuner left them.
struct FakeControls : EditSession::Editor {
    std::optional<std::uint8_t> limiter; ///< the limiter's spinner, when set
    int page = 0;
    mutable int readBacks = 0;

    void readBack(UnitImage &image) const override
    {
        ++readBacks;
        if (limiter)
            image[field::Limiter] = *limiter;
    }
    int pageShown() const override { return page; }
};

struct Seen {
    EditChange change;
    ParameterArea parameters;
    bool canUndo;
};

class EditSessionTest : public ::testing::Test {
  protected:
    EditSessionTest()
    {
        session.setEditor(&controls);
        session.setListener([this](const EditChange &c) {
            seen.push_back({c, session.parameters(), session.history().canUndo()});
        });
        UnitImage start;
        start[field::BikeType] = bike::Classic;
        newParameterSet(start, NewSetCause::StartOrNew);
        session.load(start.parameters, LoadHow::Start);
        seen.clear();
    }

    /// A settled image with one byte otherwise.
    ParameterArea with(int offset, std::uint8_t value) const
    {
        UnitImage image = session.image();
        image[offset] = value;
        return image.parameters;
    }

    FakeControls controls;
    EditSession session;
    std::vector<Seen> seen;
};

} // namespace

TEST_F(EditSessionTest, AnEditReadsBackChangesSettlesAndNotifiesOnceWithTheHistoryStepDone)
{
    controls.limiter = 150;
    controls.page = 2;
    session.edit([](UnitImage &image) { image[field::Retard] = 200; }); // beyond any control
    EXPECT_EQ(controls.readBacks, 1);
    ASSERT_EQ(seen.size(), 1u);
    const Seen &s = seen.front();
    EXPECT_TRUE(s.change.refresh);
    EXPECT_TRUE(s.change.historyMoved);
    EXPECT_TRUE(s.canUndo) << "the step is recorded before the listener hears of it";
    EXPECT_FALSE(s.change.programNow);
    EXPECT_EQ(s.parameters[field::Limiter], 150) << "the controls were read back";
    UnitImage settled = session.image();
    session.settle(settled);
    EXPECT_EQ(settled, session.image()) << "the listener is shown a settled image";
    EXPECT_EQ(session.history().current().page, 2);

    // Undo gives back the image of the start, and the page it was made on, unvalidated.
    seen.clear();
    ASSERT_TRUE(session.undo());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.front().change.page, 0);
    EXPECT_TRUE(seen.front().change.refresh);
    EXPECT_FALSE(session.history().canUndo());
    EXPECT_TRUE(session.redo());
    EXPECT_EQ(session.parameters()[field::Limiter], 150);
    seen.clear();
    EXPECT_FALSE(session.redo()) << "at its limit";
    EXPECT_TRUE(seen.empty());
}

TEST_F(EditSessionTest, EachWayInTakesItsOwnSteps)
{
    // Always a change, so that a history step has something to record.
    const auto otherRetard = [&] { return std::uint8_t(session.parameters()[field::Retard] == 7 ? 8 : 7); };
    const struct {
        const char *name;
        std::function<void()> run;
        int readBacks;
        bool records; ///< a history step records the change
        bool refresh;
    } rows[] = {
        {"edit from the controls", [&] { session.edit([](UnitImage &) {}); }, 1, true, true},
        {"edit from the image",
         [&] { session.edit([r = otherRetard()](UnitImage &image) { image[field::Retard] = r; }, EditFrom::Image); }, 0,
         true, true},
        {"take the controls", [&] { session.takeControls(); }, 1, false, true},
        {"load a file", [&] { session.load(with(field::Retard, otherRetard()), LoadHow::Edit); }, 0, true, true},
        {"load what a read received", [&] { session.load(with(field::Retard, otherRetard()), LoadHow::FromUnit); }, 0,
         false, true},
        {"choose a function", [&] { session.choose(field::Input1Function, 3); }, 0, true, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        session.load(session.parameters(), LoadHow::Start);
        controls.limiter = static_cast<std::uint8_t>(session.parameters()[field::Limiter] == 150 ? 140 : 150);
        controls.readBacks = 0;
        seen.clear();
        row.run();
        EXPECT_EQ(controls.readBacks, row.readBacks);
        ASSERT_EQ(seen.size(), 1u) << "one notification";
        EXPECT_EQ(seen.front().change.refresh, row.refresh);
        EXPECT_EQ(session.history().canUndo(), row.records);
    }
}

TEST_F(EditSessionTest, WhatAReadBroughtIsRecordedWithTheNextEdit)
{
    const ParameterArea fromUnit = with(field::Retard, 200); // beyond the control's 25
    EXPECT_EQ(session.load(fromUnit, LoadHow::FromUnit), 1) << "one value corrected";
    EXPECT_EQ(session.parameters()[field::Retard], 25);
    EXPECT_FALSE(session.history().canUndo());

    session.edit([](UnitImage &image) { image[field::StartRevolutions] = 3; }, EditFrom::Image);
    ASSERT_TRUE(session.undo());
    EXPECT_NE(session.parameters()[field::Retard], 25) << "one step took back the read and the edit";
    EXPECT_FALSE(session.history().canUndo());
}

TEST_F(EditSessionTest, ProgrammingAfterChangeFollowsTheHistorySteps)
{
    const auto programmed = [&] { return !seen.empty() && seen.back().change.programNow; };
    const auto edit = [&](std::optional<std::uint8_t> retard) {
        seen.clear();
        session.edit(
            [retard](UnitImage &image) {
                if (retard)
                    image[field::Retard] = *retard;
            },
            EditFrom::Image);
        return programmed();
    };
    EXPECT_FALSE(edit(5)) << "not ticked";
    session.setProgramAfterChange(true);
    EXPECT_FALSE(edit(std::nullopt)) << "ticking alone programs nothing";
    EXPECT_TRUE(edit(6));
    EXPECT_TRUE(edit(std::nullopt)) << "from then on every step programs";
    seen.clear();
    session.choose(field::Input2Function, 2);
    EXPECT_TRUE(programmed());
    seen.clear();
    session.undo();
    EXPECT_TRUE(programmed()) << "the restored image is programmed";
    seen.clear();
    session.takeControls();
    EXPECT_FALSE(programmed()) << "no history step, no programming";

    session.setProgramAfterChange(false);
    EXPECT_FALSE(edit(8));
    session.setProgramAfterChange(true);
    EXPECT_FALSE(edit(std::nullopt)) << "unticking disarmed it";
}

TEST_F(EditSessionTest, HeldIsWhatTheControlsWouldGiveWithoutChangingAnything)
{
    controls.limiter = 150;
    const ParameterArea before = session.parameters();
    const ParameterArea held = session.held();
    EXPECT_EQ(held[field::Limiter], 150);
    EXPECT_EQ(session.parameters(), before);
    EXPECT_TRUE(seen.empty());
}
