// The program's icon as the window takes it from its resources: every size the
// build renders, and each one drawn (the spark in the middle, the corners clear).
#include "app/program_icon.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

TEST(ProgramIcon, EverySizeIsTheDrawnSparkOnAClearCorner)
{
    const QIcon icon = talviro6::programIcon();
    ASSERT_EQ(icon.availableSizes(), (QList<QSize>{{48, 48}, {128, 128}}));
    for (const int size : {48, 128}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << size << " px: a rounded corner is clear";
        const QColor middle = image.pixelColor(size / 2, size / 2);
        EXPECT_GT(middle.red(), 230) << size << " px: the spark's yellow in the middle";
        EXPECT_GT(middle.green(), 170) << size;
        EXPECT_LT(middle.blue(), 80) << size;
        const QColor face = image.pixelColor(size * 9 / 100, size / 2);
        EXPECT_LT(face.red(), 80) << size << " px: the dark face left of the dial";
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
