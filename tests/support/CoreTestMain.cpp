#include <QCoreApplication>
#include <gtest/gtest.h>

// The main of the tests of pure rules: no widgets, no display.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
