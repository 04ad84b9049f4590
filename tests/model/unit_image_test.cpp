#include "model/unit_image.h"

#include <gtest/gtest.h>

using namespace talviro6;

TEST(UnitImage, BlocksMapOntoParameterOffsets)
{
    UnitImage image;
    for (int i = 0; i < ParameterSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7);
    for (int b = 1; b <= ParameterBlocks; ++b)
        for (int i = 0; i < BlockSize; ++i)
            EXPECT_EQ(image.block(b)[static_cast<std::size_t>(i)], image[(b - 1) * BlockSize + i]);

    image.block(2)[0] = 0xAA;
    EXPECT_EQ(image[100], 0xAA) << "block 2, byte 0 is the first map cell";
    image.block(3)[99] = 0x55;
    EXPECT_EQ(image[299], 0x55);
}

TEST(UnitImage, BlockOutsideOneToThreeIsRefused)
{
    UnitImage image;
    EXPECT_THROW(image.block(0), std::out_of_range);
    EXPECT_THROW(image.block(4), std::out_of_range);
}

TEST(UnitImage, SnapshotRestoresTheParameterAreaOnly)
{
    UnitImage image;
    image[5] = 1;
    const ParameterArea before = image.snapshot();
    image[5] = 2;
    image.header[10] = 76;
    image.restore(before);
    EXPECT_EQ(image[5], 1);
    EXPECT_EQ(image.header[10], 76);
}
