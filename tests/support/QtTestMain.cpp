#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Test discovery runs this binary without a display, so the offscreen
// platform must be chosen before QApplication exists.
int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
