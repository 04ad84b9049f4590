#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <utility>
#include <vector>

using namespace talviro6;

namespace {

using Curve = std::array<int, 10>;

void setCurve(UnitImage &image, int base, const Curve &values)
{
    for (int i = 0; i < 10; ++i)
        image[base + i] = static_cast<std::uint8_t>(values[static_cast<std::size_t>(i)]);
}

Curve curve(const UnitImage &image, int base)
{
    Curve values{};
    for (int i = 0; i < 10; ++i)
        values[static_cast<std::size_t>(i)] = image[base + i];
    return values;
}

/// An image that validation leaves alone, so each case sees only its own change.
UnitImage consistentImage()
{
    UnitImage image;
    setCurve(image, field::AdvanceRpmBase, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100});
    setCurve(image, field::ServoRpmBase, {12, 20, 30, 40, 60, 80, 100, 120, 140, 160});
    for (int o = 0; o < field::PowerOutputs; ++o) {
        image[field::PowerOutRpm(o, 0)] = 10;
        image[field::PowerOutRpm(o, 1)] = 20;
        image[field::PowerOutRpm(o, 2)] = 30;
        image[field::PowerOutTps(o, 1)] = 1;
    }
    image[field::SyncMethod] = 0;
    image[field::LobeCount] = 1;
    image[field::Limiter] = 110;
    image[field::StartLimiter] = 100;
    return image;
}

} // namespace

TEST(Validate, CurveSpeedsAreClampedThenMadeIncreasing)
{
    struct Row {
        const char *name;
        Curve in, out;
    };
    const std::vector<Row> rows = {
        {"all zero", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"all 250",
         {250, 250, 250, 250, 250, 250, 250, 250, 250, 250},
         {191, 192, 193, 194, 195, 196, 197, 198, 199, 200}},
        {"flat", {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
        {"falling", {5, 4, 3, 2, 1, 0, 0, 0, 0, 0}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {"already good", {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {"high start pushes the rest up",
         {199, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {191, 192, 193, 194, 195, 196, 197, 198, 199, 200}},
    };
    for (const int base : {field::AdvanceRpmBase, field::ServoRpmBase}) {
        for (const Row &row : rows) {
            UnitImage image = consistentImage();
            setCurve(image, base, row.in);
            validate(image);
            EXPECT_EQ(curve(image, base), row.out) << row.name << " at offset " << base;
        }
    }
}

TEST(Validate, ThrottleSensorVoltagesAreBounded)
{
    UnitImage image = consistentImage();
    image[field::Tps0Voltage] = 255;
    image[field::Tps100Voltage] = 200;
    validate(image);
    EXPECT_EQ(image[field::Tps0Voltage], 250);
    EXPECT_EQ(image[field::Tps100Voltage], 200);
    image[field::Tps100Voltage] = 251;
    validate(image);
    EXPECT_EQ(image[field::Tps100Voltage], 250);
}

TEST(Validate, SynchronisationFieldsAgree)
{
    UnitImage image = consistentImage();
    image[field::SyncMethod] = 0;
    image[field::LobeCount] = 40;
    image[field::MaxAdvLobe(0)] = 5;
    image[field::StartAdvLobe(1)] = 9;
    validate(image);
    EXPECT_EQ(image[field::LobeCount], 1);
    EXPECT_EQ(image[field::MaxAdvLobe(0)], 1);
    EXPECT_EQ(image[field::StartAdvLobe(1)], 1);

    image[field::SyncMethod] = 3;
    image[field::LobeCount] = 24;
    image[field::MaxAdvLobe(1)] = 24;
    image[field::StartAdvLobe(0)] = 30;
    validate(image);
    EXPECT_EQ(image[field::LobeCount], 24) << "only method 0 forces one lobe";
    EXPECT_EQ(image[field::MaxAdvLobe(1)], 24);
    EXPECT_EQ(image[field::StartAdvLobe(0)], 24);
}

TEST(Validate, SecondPickupFlagsOnlyWhereASecondPickupIsUsed)
{
    for (int method = 0; method <= 6; ++method) {
        UnitImage image = consistentImage();
        image[field::SyncMethod] = static_cast<std::uint8_t>(method);
        image[field::LobeCount] = 4;
        for (int c = 0; c < 2; ++c) {
            image[field::MaxAdvPickup2(c)] = 1;
            image[field::StartAdvPickup2(c)] = 1;
            image[field::MaxAdvEdge2(c)] = 1;
        }
        validate(image);
        const int expected = (method == 0 || method == 4 || method == 6) ? 1 : 0;
        for (int c = 0; c < 2; ++c) {
            EXPECT_EQ(image[field::MaxAdvPickup2(c)], expected) << "method " << method;
            EXPECT_EQ(image[field::StartAdvPickup2(c)], expected) << "method " << method;
            EXPECT_EQ(image[field::MaxAdvEdge2(c)], 1) << "edge flags are never touched";
        }
    }
}

TEST(Validate, ChannelCountAndStartLimiter)
{
    UnitImage image = consistentImage();
    image[field::ChannelCount] = 3;
    image[field::StartLimiter] = 150;
    image[field::Limiter] = 110;
    validate(image);
    EXPECT_EQ(image[field::ChannelCount], 2);
    EXPECT_EQ(image[field::StartLimiter], 110);

    image[field::ChannelCount] = 0;
    validate(image);
    EXPECT_EQ(image[field::ChannelCount], 0) << "zero channels is left alone";
}

TEST(Validate, PowerOutputThresholds)
{
    struct Row {
        const char *name;
        std::array<int, 3> rpm;
        std::array<int, 2> tps;
        std::array<int, 3> rpmAfter;
        std::array<int, 2> tpsAfter;
    };
    const Row rows[] = {
        {"zeros rise to the minimum, then increase", {0, 0, 0}, {0, 0}, {3, 4, 5}, {0, 1}},
        {"below the minimum and out of order", {2, 1, 0}, {0, 0}, {3, 4, 5}, {0, 1}},
        {"a low threshold before a valid one", {0, 3, 4}, {0, 0}, {3, 4, 5}, {0, 1}},
        {"middle too low", {40, 30, 90}, {50, 50}, {40, 41, 90}, {50, 51}},
        {"last too low", {40, 50, 50}, {10, 20}, {40, 50, 51}, {10, 20}},
        {"successor of 255 stays 255", {255, 0, 0}, {255, 0}, {255, 255, 255}, {255, 255}},
        {"254 climbs to 255 and stays", {254, 254, 1}, {0, 0}, {254, 255, 255}, {0, 1}},
    };
    for (const Row &row : rows) {
        for (int o = 0; o < field::PowerOutputs; ++o) {
            UnitImage image = consistentImage();
            for (int k = 0; k < 3; ++k)
                image[field::PowerOutRpm(o, k)] = static_cast<std::uint8_t>(row.rpm[static_cast<std::size_t>(k)]);
            for (int k = 0; k < 2; ++k)
                image[field::PowerOutTps(o, k)] = static_cast<std::uint8_t>(row.tps[static_cast<std::size_t>(k)]);
            validate(image);
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(image[field::PowerOutRpm(o, k)], row.rpmAfter[static_cast<std::size_t>(k)])
                    << row.name << ", output " << o << ", threshold " << k;
            for (int k = 0; k < 2; ++k)
                EXPECT_EQ(image[field::PowerOutTps(o, k)], row.tpsAfter[static_cast<std::size_t>(k)])
                    << row.name << ", output " << o << ", throttle " << k;
        }
    }
}

TEST(Validate, PilotLightAndPowerJetFixTheirCells)
{
    struct Row {
        std::uint8_t mode;
        std::array<int, 3> cells;
    };
    const Row rows[] = {
        {powerout::Off, {0, 0, 0}},
        {powerout::FuelPump, {0, 0, 0}},
        {powerout::PilotLight, {0b1110, 0b1110, 0b1110}},
        {powerout::PowerJet, {0b1110, 0b1100, 0b1100}},
        {powerout::Special, {0, 0, 0}},
    };
    for (const Row &row : rows)
        for (int o = 0; o < field::PowerOutputs; ++o) {
            UnitImage image;
            image[field::PowerOutMode(o)] = row.mode;
            validate(image);
            for (int r = 0; r < field::PowerOutRows; ++r)
                EXPECT_EQ(image[field::PowerOutCells(o, r)], row.cells[static_cast<std::size_t>(r)])
                    << "mode " << int(row.mode) << ", output " << o << ", row " << r;
        }
}

TEST(Validate, PowerOutputModeAboveSpecialSwitchesTheOutputOff)
{
    UnitImage image = consistentImage();
    image[field::PowerOutMode(0)] = 4;
    image[field::PowerOutMode(1)] = 5;
    image[field::PowerOutMode(2)] = 255;
    validate(image);
    EXPECT_EQ(image[field::PowerOutMode(0)], 4);
    EXPECT_EQ(image[field::PowerOutMode(1)], 0);
    EXPECT_EQ(image[field::PowerOutMode(2)], 0);
}

TEST(Validate, SettingsIndexesAreBroughtIntoRange)
{
    struct Row {
        SettingsIndexes in, out;
    };
    const Row rows[] = {
        {{7, 25, 20}, {0, 0, 0}},
        {{3, 20, 19}, {3, 20, 19}},
        {{4, 21, 255}, {0, 0, 0}},
        {{0, 0, 0}, {0, 0, 0}},
    };
    for (const Row &row : rows) {
        UnitImage image = consistentImage();
        SettingsIndexes settings = row.in;
        validate(image, settings);
        EXPECT_EQ(settings.languageIndex, row.out.languageIndex);
        EXPECT_EQ(settings.portIndex, row.out.portIndex);
        EXPECT_EQ(settings.scanIndex, row.out.scanIndex);
    }
}

TEST(Validate, OnePassIsAFixedPoint)
{
    // Whatever the unit, a file or the kept area hands in, one pass settles it: a
    // second pass that changed something would make the tool disagree with itself
    // (a read reporting corrections of its own image, the first edit changing more).
    const auto settled = [](UnitImage image) {
        validate(image);
        const UnitImage once = image;
        validate(image);
        return std::pair{once, image};
    };
    for (int value = 0; value < 256; ++value) {
        UnitImage image;
        image.parameters.fill(static_cast<std::uint8_t>(value));
        const auto [once, twice] = settled(image);
        EXPECT_EQ(twice, once) << "every byte " << value;
    }
    std::mt19937 random(76);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int run = 0; run < 20000; ++run) {
        UnitImage image;
        for (auto &b : image.parameters)
            b = static_cast<std::uint8_t>(byte(random));
        // Small values, where the minimum and the order rules meet, more often.
        if (run % 2 == 0)
            for (int o = 0; o < field::PowerOutputs; ++o)
                for (int k = 0; k < field::PowerOutRpmThresholds; ++k)
                    image[field::PowerOutRpm(o, k)] = static_cast<std::uint8_t>(byte(random) % 6);
        const auto [once, twice] = settled(image);
        ASSERT_EQ(twice, once) << "random image " << run;
    }
}

TEST(Validate, BytesNoFieldNamesAreCarried)
{
    UnitImage image;
    image.parameters.fill(0xEE);
    validate(image);
    const int carried[] = {1, 7, 29, 32, 33, 36, 37, 40, 41, 44, 45, 48, 49, 52, 53, 60, 69, 227, 250, 299};
    for (int offset : carried)
        EXPECT_EQ(image[offset], 0xEE) << "offset " << offset;
}
