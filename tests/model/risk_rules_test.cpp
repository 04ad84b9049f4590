#include "model/risk_rules.h"

#include "model/defaults.h"
#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace talviro6;

namespace {

std::vector<RiskWarning> ofRule(const std::vector<RiskWarning> &all, RiskRule rule)
{
    std::vector<RiskWarning> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out),
                 [rule](const RiskWarning &w) { return w.rule == rule; });
    return out;
}

/// The defaults with every map cell at `degrees` and the throttle map on, so that
/// every row is in use and a changed cell stands out against flat neighbours.
UnitImage flatMap(int degrees, bool throttleMap = true)
{
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            image[field::AdvanceMap(r, c)] = static_cast<std::uint8_t>(degrees);
    image[field::TpsMapEnable] = throttleMap ? 1 : 0;
    return image;
}

TEST(RiskRules, TheDefaultsAndEveryPresetRaiseNone)
{
    for (const int bikeType : {bike::Classic, bike::TwoLobes, bike::ThreeLobes, bike::Camshaft, bike::HondaNsr})
        for (const int throttleMap : {0, 1}) {
            SCOPED_TRACE("bike type " + std::to_string(bikeType) + ", throttle map " + std::to_string(throttleMap));
            UnitImage image;
            image[field::BikeType] = static_cast<std::uint8_t>(bikeType);
            newParameterSet(image, NewSetCause::StartOrNew);
            image[field::TpsMapEnable] = static_cast<std::uint8_t>(throttleMap);
            validate(image);
            EXPECT_TRUE(riskWarnings(image.parameters, std::nullopt).empty());
            EXPECT_TRUE(riskWarnings(image.parameters, image.parameters).empty()) << "the unit holds the same";
        }
}

TEST(RiskRules, ASpikeIsMoreThanEightDegreesAboveOrBelowBothNeighbours)
{
    struct Case {
        int value;
        bool spike;
        bool above;
    };
    // Flat at 20°: 28° and 12° are exactly 8° away, 29° and 11° the next step.
    for (const Case c : {Case{28, false, true}, Case{29, true, true}, Case{12, false, false}, Case{11, true, false}}) {
        SCOPED_TRACE(c.value);
        UnitImage image = flatMap(20);
        image[field::AdvanceMap(5, 3)] = static_cast<std::uint8_t>(c.value);
        const auto spikes = ofRule(riskWarnings(image.parameters, std::nullopt), RiskRule::Spike);
        if (!c.spike) {
            EXPECT_TRUE(spikes.empty());
            continue;
        }
        ASSERT_EQ(spikes.size(), 1u) << "one warning for the cell, though it sticks out of row and column";
        const RiskWarning &w = spikes[0];
        EXPECT_EQ(w.field, fieldAt(field::AdvanceMap(5, 3)));
        EXPECT_EQ(w.shown, c.value);
        EXPECT_EQ(w.above, c.above);
        EXPECT_FALSE(w.inColumn);
        EXPECT_EQ(w.neighbours, (std::array<int, 2>{20, 20}));
        EXPECT_EQ(w.rpm, 4000) << "column 3 of the defaults' speeds";
        EXPECT_EQ(w.throttle, 30) << "row 5";
    }
}

TEST(RiskRules, ASpikeStandsOutOfItsRowOrItsColumnAndNeedsTwoNeighbours)
{
    // Above its column's neighbours (15°, 16°) but level with its row's.
    UnitImage image = flatMap(30);
    image[field::AdvanceMap(4, 6)] = 15;
    image[field::AdvanceMap(6, 6)] = 16;
    auto spikes = ofRule(riskWarnings(image.parameters, std::nullopt), RiskRule::Spike);
    // The lowered cells stand below their rows; the cell between them above its column.
    const auto between = std::find_if(spikes.begin(), spikes.end(),
                                      [](const RiskWarning &w) { return w.field == fieldAt(field::AdvanceMap(5, 6)); });
    ASSERT_NE(between, spikes.end());
    EXPECT_TRUE(between->inColumn);
    EXPECT_TRUE(between->above);
    EXPECT_EQ(between->neighbours, (std::array<int, 2>{15, 16})) << "lower throttle first";

    // A cell at the map's edge has one neighbour on that side: no spike there.
    image = flatMap(20);
    image[field::AdvanceMap(0, 0)] = 40;
    image[field::AdvanceMap(9, 9)] = 0;
    EXPECT_TRUE(ofRule(riskWarnings(image.parameters, std::nullopt), RiskRule::Spike).empty());
}

TEST(RiskRules, WithTheThrottleMapOffOnlyTheLastRowCounts)
{
    UnitImage image = flatMap(20, false);
    image[field::AdvanceMap(4, 4)] = 59; // hidden: a spike, high, and far from the unit
    const ParameterArea unit = image.parameters;
    image[field::AdvanceMap(4, 5)] = 0;
    EXPECT_TRUE(riskWarnings(image.parameters, unit).empty());

    image[field::AdvanceMap(9, 4)] = 29;
    const auto spikes = ofRule(riskWarnings(image.parameters, std::nullopt), RiskRule::Spike);
    ASSERT_EQ(spikes.size(), 1u);
    EXPECT_EQ(spikes[0].field, fieldAt(field::AdvanceMap(9, 4)));
    EXPECT_FALSE(spikes[0].inColumn) << "the hidden rows are no neighbours";
    EXPECT_EQ(spikes[0].throttle, 100);
}

TEST(RiskRules, AdvanceAboveFiftyDegrees)
{
    UnitImage image = flatMap(45);
    image[field::AdvanceMap(7, 2)] = 50;
    EXPECT_TRUE(riskWarnings(image.parameters, std::nullopt).empty());
    image[field::AdvanceMap(7, 2)] = 51;
    const auto all = riskWarnings(image.parameters, std::nullopt);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].rule, RiskRule::HighAdvance);
    EXPECT_EQ(all[0].field, fieldAt(field::AdvanceMap(7, 2)));
    EXPECT_EQ(all[0].shown, 51);
    EXPECT_EQ(all[0].rpm, 3000);
    EXPECT_EQ(all[0].throttle, 60);
}

TEST(RiskRules, AChangeOfMoreThanTenDegreesAgainstTheUnit)
{
    struct Case {
        int offset;
        int unitValue;
        int editorValue;
        bool warns;
    };
    const int cell = field::AdvanceMap(9, 6);
    for (const Case c : {Case{cell, 20, 30, false}, Case{cell, 20, 31, true}, Case{cell, 20, 10, false},
                         Case{cell, 20, 9, true}, Case{field::BaseAdvance, 12, 22, false},
                         Case{field::BaseAdvance, 12, 23, true}, Case{field::BaseAdvance, 12, 1, true}}) {
        SCOPED_TRACE(std::to_string(c.offset) + ": " + std::to_string(c.unitValue) + " -> " +
                     std::to_string(c.editorValue));
        UnitImage unit = flatMap(20, false);
        unit[c.offset] = static_cast<std::uint8_t>(c.unitValue);
        UnitImage editor = unit;
        editor[c.offset] = static_cast<std::uint8_t>(c.editorValue);
        const auto changes = ofRule(riskWarnings(editor.parameters, unit.parameters), RiskRule::BigChange);
        EXPECT_TRUE(ofRule(riskWarnings(editor.parameters, std::nullopt), RiskRule::BigChange).empty())
            << "no unit known: silent";
        if (!c.warns) {
            EXPECT_TRUE(changes.empty());
            continue;
        }
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0].field, fieldAt(c.offset));
        EXPECT_EQ(changes[0].shown, c.editorValue);
        EXPECT_EQ(changes[0].other, c.unitValue);
        if (c.offset == cell) {
            EXPECT_EQ(changes[0].rpm, 7000);
            EXPECT_EQ(changes[0].throttle, 100);
        }
    }
}

TEST(RiskRules, EveryChangeOfTheTriggerSetUpAgainstTheUnit)
{
    struct Case {
        int offset;
        int stored;
        int shownUnit;
        int shownEditor;
    };
    // Classic: sync 0, 1 lobe, 2 channels, 1 ignition per revolution (item 0); of
    // channel 2 the start advance comes from the second edge, both from the second pick-up.
    const std::vector<Case> cases = {
        {field::SyncMethod, 3, 0, 3},         {field::LobeCount, 12, 1, 12},      {field::ChannelCount, 1, 2, 1},
        {field::IgnitionsPerRev, 0, 0, 3},    {field::PickupInvert1, 1, 0, 1},    {field::PickupInvert2, 1, 0, 1},
        {field::MaxAdvEdge2(0), 1, 0, 1},     {field::StartAdvEdge2(1), 0, 1, 0}, {field::MaxAdvPickup2(1), 0, 1, 0},
        {field::StartAdvPickup2(0), 1, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(fieldName(*fieldAt(c.offset)));
        const UnitImage unit = flatMap(20, false);
        UnitImage editor = unit;
        editor[c.offset] = static_cast<std::uint8_t>(c.stored);
        const auto all = riskWarnings(editor.parameters, unit.parameters);
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0].rule, RiskRule::TriggerChange);
        EXPECT_EQ(all[0].field, fieldAt(c.offset));
        EXPECT_EQ(all[0].shown, c.shownEditor);
        EXPECT_EQ(all[0].other, c.shownUnit);
        EXPECT_TRUE(riskWarnings(editor.parameters, std::nullopt).empty()) << "no unit known: silent";
    }
    // Other fields of the bike page, and the speeds, are no trigger set-up.
    const UnitImage unit = flatMap(20, false);
    UnitImage editor = unit;
    editor[field::Limiter] = 90;
    editor[field::StartRevolutions] = 5;
    EXPECT_TRUE(riskWarnings(editor.parameters, unit.parameters).empty());
}

TEST(RiskRules, TheThrottleMapNeedsTheZeroVoltageBelowTheFullOne)
{
    struct Case {
        int tps0Stored;   ///< mV / 10
        int tps100Stored; ///< (mV - 2500) / 10
        bool throttleMap;
        bool warns;
    };
    for (const Case c : {Case{250, 1, true, false}, Case{250, 0, true, true}, Case{250, 0, false, false},
                         Case{70, 129, true, false}}) {
        SCOPED_TRACE(std::to_string(c.tps0Stored) + " / " + std::to_string(c.tps100Stored));
        UnitImage image = flatMap(20, c.throttleMap);
        image[field::Tps0Voltage] = static_cast<std::uint8_t>(c.tps0Stored);
        image[field::Tps100Voltage] = static_cast<std::uint8_t>(c.tps100Stored);
        const auto all = riskWarnings(image.parameters, std::nullopt);
        if (!c.warns) {
            EXPECT_TRUE(all.empty());
            continue;
        }
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0].rule, RiskRule::ThrottleSensor);
        EXPECT_EQ(all[0].field, fieldAt(field::Tps0Voltage));
        EXPECT_EQ(all[0].shown, 2500);
        EXPECT_EQ(all[0].other, 2500);
    }
}

} // namespace
