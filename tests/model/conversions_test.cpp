#include "model/conversions.h"

#include <gtest/gtest.h>

using namespace talviro6::convert;

TEST(Conversions, ScaledFieldsTruncate)
{
    struct Row {
        int shown, scale, stored, shownBack;
    };
    const Row rows[] = {
        {15050, RpmScale, 150, 15000},   // limiter typed with a stray 50 rpm
        {999, RpmScale, 9, 900},         // lowest limiter
        {25000, RpmScale, 250, 25000},   // highest limiter
        {705, TpsVoltageScale, 70, 700}, // throttle 0 %
        {1274, HysteresisScale, 254, 1270},
        {5000, ServoVoltageScale, 250, 5000},
        {2500, ClutchScale, 250, 2500},
        {0, ClutchScale, 0, 0},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(scaledToStored(r.shown, r.scale), r.stored) << r.shown << " / " << r.scale;
        EXPECT_EQ(scaledToShown(scaledToStored(r.shown, r.scale), r.scale), r.shownBack) << r.shown;
    }
}

TEST(Conversions, OffsetFieldsAddAHundred)
{
    EXPECT_EQ(offsetToStored(-60), 40);
    EXPECT_EQ(offsetToStored(0), 100);
    EXPECT_EQ(offsetToStored(20), 120);
    EXPECT_EQ(offsetToShown(40), -60);
    EXPECT_EQ(offsetToShown(0), -100);
    EXPECT_EQ(offsetToShown(255), 155);
    for (int shown = -100; shown <= 155; ++shown)
        EXPECT_EQ(offsetToShown(offsetToStored(shown)), shown);
}

TEST(Conversions, Tps100VoltageStartsAt2500)
{
    EXPECT_EQ(tps100ToStored(2500), 0);
    EXPECT_EQ(tps100ToStored(4750), 225);
    EXPECT_EQ(tps100ToStored(3790), 129);
    EXPECT_EQ(tps100ToStored(5050), 255);
    EXPECT_EQ(tps100ToShown(0), 2500);
    EXPECT_EQ(tps100ToShown(225), 4750);
    for (int stored = 0; stored < 256; ++stored)
        EXPECT_EQ(tps100ToStored(tps100ToShown(static_cast<std::uint8_t>(stored))), stored);
}

TEST(Conversions, IgnitionsPerRevolutionItems)
{
    // items: 1, 2, 3 per revolution, 1 per 2 revolutions (camshaft)
    const int stored[] = {1, 2, 3, 0};
    for (int item = 0; item < 4; ++item) {
        EXPECT_EQ(ignitionsItemToStored(item), stored[item]);
        EXPECT_EQ(ignitionsStoredToItem(static_cast<std::uint8_t>(stored[item])), item);
    }
}

TEST(Conversions, BikeTypeItemsAndCodes)
{
    const int codeOfItem[] = {0, 2, 3, 4, 5, 1};
    for (int item = 0; item < 6; ++item) {
        EXPECT_EQ(bikeItemToStored(item), codeOfItem[item]);
        EXPECT_EQ(bikeStoredToItem(static_cast<std::uint8_t>(codeOfItem[item])), item);
    }
    EXPECT_EQ(bikeItemToStored(5), 1) << "Special setting";
    EXPECT_EQ(bikeStoredToItem(5), 4) << "Honda NSR";
    EXPECT_FALSE(bikeStoredToItem(6).has_value());
    EXPECT_FALSE(bikeStoredToItem(255).has_value());
    EXPECT_FALSE(bikeItemToStored(-1).has_value()) << "no item selected";
}

TEST(Conversions, PowerOutCellsAreBitsBySpeedColumn)
{
    EXPECT_EQ(cellsToStored({false, false, false, false}), 0);
    EXPECT_EQ(cellsToStored({true, false, false, false}), 1);
    EXPECT_EQ(cellsToStored({true, true, false, false}), 3);
    EXPECT_EQ(cellsToStored({false, false, false, true}), 8);
    EXPECT_EQ(cellsToStored({true, true, true, true}), 15);
    EXPECT_TRUE(cellIsSet(0xF8, 3));
    EXPECT_FALSE(cellIsSet(0xF8, 2));
}
