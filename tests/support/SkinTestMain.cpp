// The main() of the toolkit, start-up and window tests.

#include <gtest/gtest.h>

#include <QApplication>

#include "OffscreenSession.h"

int main(int argc, char** argv) {
    const OffscreenSession session;
    if (!session.IsValid()) return 2;
    QApplication app(argc, argv);
    if (!session.LoadSkin()) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
