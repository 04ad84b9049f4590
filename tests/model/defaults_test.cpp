#include "model/defaults.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace talviro6;

namespace {

struct PresetRow {
    int bikeType;
    int sync, lobes, channels, ignitions;
    std::array<int, 2> maxLobe, startLobe, maxEdge2, startEdge2, maxPickup2, startPickup2;
};

const std::vector<PresetRow> PresetRows = {
    {0, 0, 1, 2, 1, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {2, 0, 1, 2, 2, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {3, 0, 1, 1, 3, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {4, 0, 1, 2, 0, {1, 1}, {1, 1}, {0, 0}, {1, 1}, {0, 1}, {0, 1}},
    {5, 6, 4, 2, 1, {2, 2}, {3, 3}, {1, 1}, {1, 1}, {0, 1}, {0, 1}},
};

void expectPreset(const UnitImage &image, const PresetRow &p)
{
    SCOPED_TRACE("bike type " + std::to_string(p.bikeType));
    EXPECT_EQ(image[field::SyncMethod], p.sync);
    EXPECT_EQ(image[field::LobeCount], p.lobes);
    EXPECT_EQ(image[field::ChannelCount], p.channels);
    EXPECT_EQ(image[field::IgnitionsPerRev], p.ignitions);
    for (int c = 0; c < 2; ++c) {
        const auto i = static_cast<std::size_t>(c);
        EXPECT_EQ(image[field::MaxAdvLobe(c)], p.maxLobe[i]);
        EXPECT_EQ(image[field::StartAdvLobe(c)], p.startLobe[i]);
        EXPECT_EQ(image[field::MaxAdvEdge2(c)], p.maxEdge2[i]);
        EXPECT_EQ(image[field::StartAdvEdge2(c)], p.startEdge2[i]);
        EXPECT_EQ(image[field::MaxAdvPickup2(c)], p.maxPickup2[i]);
        EXPECT_EQ(image[field::StartAdvPickup2(c)], p.startPickup2[i]);
    }
}

/// An image in which every byte differs from every default and preset value.
UnitImage scribbled()
{
    UnitImage image;
    image.parameters.fill(0xEE);
    return image;
}

void expectDefaults(const UnitImage &image)
{
    const std::pair<int, int> singles[] = {
        {field::BaseAdvance, 10},       {field::AdvanceCorrection1, 100}, {field::AdvanceCorrection2, 100},
        {field::PickupInvert1, 0},      {field::PickupInvert2, 0},        {field::StartLimiter, 100},
        {field::Limiter, 110},          {field::Tps0Voltage, 70},         {field::Tps100Voltage, 129},
        {field::TpsMapEnable, 0},       {field::ServoEnable, 1},          {field::ServoHysteresis, 40},
        {field::TachoPulses, 1},        {field::TachoCorrection, 100},    {field::StartRevolutions, 1},
        {field::Compensation1, 11},     {field::Compensation2, 11},       {field::Retard, 6},
        {field::ClutchTime, 10},        {field::ClutchPause, 50},         {field::PowerOutMode(0), 1},
        {field::PowerOutMode(1), 2},    {field::PowerOutMode(2), 3},      {field::PowerOutRpm(1, 0), 90},
        {field::PowerOutRpm(2, 0), 40}, {field::PowerOutRpm(2, 1), 125},  {field::PowerOutTps(2, 0), 75},
    };
    for (auto [offset, value] : singles)
        EXPECT_EQ(image[offset], value) << "offset " << offset;
    const int advanceRpm[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    const int servoRpm[] = {12, 20, 30, 40, 60, 80, 100, 120, 140, 160};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(image[field::AdvanceRpm(i)], advanceRpm[i]);
        EXPECT_EQ(image[field::ServoRpm(i)], servoRpm[i]);
        EXPECT_EQ(image[field::ServoVoltage(i)], 100 + 5 * i);
    }
    // Corners and a few inner cells of the default map.
    EXPECT_EQ(image[field::AdvanceMap(0, 0)], 4);
    EXPECT_EQ(image[field::AdvanceMap(0, 9)], 33);
    EXPECT_EQ(image[field::AdvanceMap(3, 5)], 47);
    EXPECT_EQ(image[field::AdvanceMap(4, 9)], 31);
    EXPECT_EQ(image[field::AdvanceMap(6, 8)], 33);
    EXPECT_EQ(image[field::AdvanceMap(9, 9)], 32);
}

} // namespace

TEST(Defaults, WriteTheirFieldsAndNothingElse)
{
    UnitImage image = scribbled();
    applyDefaults(image);
    expectDefaults(image);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(image[field::MaxAdvEdge2(c)], 0);
        EXPECT_EQ(image[field::StartAdvPickup2(c)], 0);
    }
    const int untouched[] = {field::BikeType,
                             field::SyncMethod,
                             field::LobeCount,
                             field::ChannelCount,
                             field::IgnitionsPerRev,
                             field::MaxAdvLobe(0),
                             field::StartAdvLobe(1),
                             field::Input1Function,
                             field::Input2Function,
                             field::PowerOutRpm(0, 0),
                             field::PowerOutRpm(1, 2),
                             field::PowerOutTps(0, 1),
                             field::PowerOutCells(0, 0),
                             field::PowerOutCells(2, 2),
                             1,
                             7,
                             29,
                             32,
                             299};
    for (int offset : untouched)
        EXPECT_EQ(image[offset], 0xEE) << "offset " << offset;
}

TEST(Presets, EachBikeTypeWritesItsRow)
{
    for (const PresetRow &p : PresetRows) {
        UnitImage image = scribbled();
        image[field::BikeType] = static_cast<std::uint8_t>(p.bikeType);
        applyPreset(image);
        expectPreset(image, p);
        EXPECT_EQ(image[field::BaseAdvance], 0xEE) << "a preset writes only synchronisation fields";
    }
}

TEST(Presets, SpecialAndUnknownTypesWriteNothing)
{
    for (int type : {1, 6, 255}) {
        UnitImage image = scribbled();
        image[field::BikeType] = static_cast<std::uint8_t>(type);
        const UnitImage before = image;
        applyPreset(image);
        EXPECT_EQ(image, before) << "type " << type;
    }
}

TEST(NewParameterSet, DefaultsThenPresetForEveryCaller)
{
    for (const PresetRow &p : PresetRows) {
        for (NewSetCause cause : {NewSetCause::StartOrNew, NewSetCause::ComboChange}) {
            UnitImage image = scribbled();
            image[field::BikeType] = static_cast<std::uint8_t>(p.bikeType);
            newParameterSet(image, cause);
            expectDefaults(image);
            expectPreset(image, p);
        }
    }
}

TEST(NewParameterSet, SwitchingToSpecialKeepsEverything)
{
    // From the Honda preset with an edited map, the tuner picks "Special setting".
    UnitImage image;
    image[field::BikeType] = bike::HondaNsr;
    newParameterSet(image, NewSetCause::StartOrNew);
    image[field::AdvanceMap(5, 5)] = 44;
    image[field::BikeType] = bike::Special;
    const UnitImage before = image;
    newParameterSet(image, NewSetCause::ComboChange);
    EXPECT_EQ(image, before);
    expectPreset(image, PresetRows[4]);

    // Back to any other type: the map is the default one again.
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::ComboChange);
    EXPECT_EQ(image[field::AdvanceMap(5, 5)], 30);
    expectPreset(image, PresetRows[0]);
}

TEST(NewParameterSet, NewWithSpecialAppliesDefaultsButKeepsSynchronisation)
{
    UnitImage image;
    image[field::BikeType] = bike::Special;
    image[field::SyncMethod] = 3;
    image[field::LobeCount] = 24;
    image[field::MaxAdvLobe(0)] = 7;
    image[field::StartAdvEdge2(0)] = 1;
    image[field::AdvanceMap(0, 0)] = 50;
    newParameterSet(image, NewSetCause::StartOrNew);
    expectDefaults(image);
    EXPECT_EQ(image[field::SyncMethod], 3);
    EXPECT_EQ(image[field::LobeCount], 24);
    EXPECT_EQ(image[field::MaxAdvLobe(0)], 7);
    EXPECT_EQ(image[field::StartAdvEdge2(0)], 0) << "the defaults clear the edge flags";
}

TEST(NewParameterSet, TypeChangeKeepsInputsAndPowerOutputCells)
{
    UnitImage image;
    image[field::Input1Function] = 2;
    image[field::Input2Function] = 4;
    image[field::PowerOutCells(1, 2)] = 9;
    image[field::BikeType] = bike::ThreeLobes;
    newParameterSet(image, NewSetCause::ComboChange);
    EXPECT_EQ(image[field::Input1Function], 2);
    EXPECT_EQ(image[field::Input2Function], 4);
    EXPECT_EQ(image[field::PowerOutCells(1, 2)], 9);
    EXPECT_EQ(image[field::ChannelCount], 1) << "three lobes per revolution have one channel";
}

TEST(NewParameterSet, StartUpImage)
{
    // What the tool holds right after its first start: all zero, classic type.
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);

    EXPECT_EQ(image[field::Input1Function], 0);
    EXPECT_EQ(image[field::Input2Function], 0);
    const int rpm[3][3] = {{3, 4, 5}, {90, 91, 92}, {40, 125, 126}};
    const int tps[3][2] = {{0, 1}, {0, 1}, {75, 76}};
    // The pilot light and the power jet hold the cells their modes fix.
    const int cells[3][3] = {{0, 0, 0}, {14, 14, 14}, {14, 12, 12}};
    for (int o = 0; o < 3; ++o) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(image[field::PowerOutRpm(o, k)], rpm[o][k]) << "output " << o;
        for (int k = 0; k < 2; ++k)
            EXPECT_EQ(image[field::PowerOutTps(o, k)], tps[o][k]) << "output " << o;
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(image[field::PowerOutCells(o, r)], cells[o][r]) << "output " << o << ", row " << r;
    }
    // The preset's flag columns hold ones after start-up.
    EXPECT_EQ(image[42], 1);
    EXPECT_EQ(image[43], 1);
    EXPECT_EQ(image[47], 1);
    EXPECT_EQ(image[51], 1);
}
