#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
    // QProcess wants an application object; no event loop runs, every wait is bounded. It
    // is a GUI one so that tests can draw the texts they expect to see with the player's
    // fonts (TextPicture.h); it draws offscreen, since the X servers belong to the tests.
    int qtArgc = 3;
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* qtArgv[] = {argv[0], platform, offscreen, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
