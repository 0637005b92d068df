#include <QApplication>
#include <gtest/gtest.h>

// The window tests need a QApplication; without a display they run on the offscreen platform
// (the test registration sets it, and so does this for a run by hand).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
