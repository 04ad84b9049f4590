#include "editor/window_font.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// One QApplication for the whole program; digit grouping follows the locale, so it is fixed here.
int main(int argc, char **argv)
{
    // Test discovery runs the program at build time, where no display may exist.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    talviro6::applyWindowFont(); // the tool's own, so the tests see its window
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
