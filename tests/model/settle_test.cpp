#include "model/field_table.h"
#include "model/fields.h"
#include "model/settle.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace talviro6;

TEST(SettleToControls, EachFieldBecomesWhatItsControlHolds)
{
    struct Row {
        const char *what;
        int offset;
        int stored;
        int settled;
        bool testEnable = false;
    };
    const Row rows[] = {
        {"a compensation outside test mode", field::Compensation1, 20, FixedCompensation},
        {"a compensation in test mode", field::Compensation2, 20, 20, true},
        {"a limiter below 999 rpm", field::Limiter, 5, 9},
        {"a limiter above 25000 rpm", field::Limiter, 255, 250},
        {"a map cell above 60 degrees", field::AdvanceMap(3, 4), 61, 60},
        {"a map cell within range", field::AdvanceMap(3, 4), 60, 60},
        {"a flag that is not 0 or 1", field::TpsMapEnable, 5, 1},
        {"ignitions per revolution as the list stores them", field::IgnitionsPerRev, 6, 2},
        {"no channel", field::ChannelCount, 0, 1},
        {"a throttle voltage at 100 % above 4750 mV", field::Tps100Voltage, 240, 225},
        {"a motorcycle code the list does not have", field::BikeType, 40, 40},
        {"a synchronisation the list does not have", field::SyncMethod, 9, 9},
        {"cells of a special output without the bits no box shows", field::PowerOutCells(0, 1), 0xF5, 0x05},
    };
    for (const Row &row : rows) {
        UnitImage image;
        image[field::PowerOutMode(0)] = powerout::Special;
        image[row.offset] = static_cast<std::uint8_t>(row.stored);
        settleToControls(image, row.testEnable);
        EXPECT_EQ(image[row.offset], row.settled) << row.what;
    }
}

// What enters the editor is validated, then settled; the next edit validates and
// settles again, and must find nothing to change.
TEST(SettleToControls, AValidatedSettledImageIsLeftAloneByBoth)
{
    std::mt19937 random(300);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int run = 0; run < 20000; ++run) {
        UnitImage image;
        for (auto &b : image.parameters)
            b = static_cast<std::uint8_t>(byte(random));
        const bool testEnable = run % 3 == 0;
        validate(image);
        settleToControls(image, testEnable);
        UnitImage again = image;
        validate(again);
        ASSERT_EQ(again, image) << "validation moved a settled image, run " << run;
        settleToControls(again, testEnable);
        ASSERT_EQ(again, image) << "a second settling moved it, run " << run;
    }
}
