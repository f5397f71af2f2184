#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    // QProcess wants an application object; no event loop runs, every wait is bounded.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
