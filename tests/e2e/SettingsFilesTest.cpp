// What a run leaves in config.ini and progress.ini, for each way a user or the session can
// end it: the settings with their defaults, the file's entry, and whatever someone wrote
// into the files by hand.
#include <csignal>

#include "MediaSession.h"
#include "SettingsFiles.h"

namespace e2e {
namespace {

enum class Ending { CloseButton, Interrupt, HangUp };

struct EndingCase {
    const char* name;
    Ending ending;
    // Only the close button records the window's rectangle in the file's entry; after any
    // other ending it keeps the values of a new entry, -1, -1, 0, 0.
    bool recordsWindow;
};
// Failure messages name the case rather than dump its bytes.
void PrintTo(const EndingCase& c, std::ostream* os) { *os << c.name; }

class SettingsFilesTest : public MediaTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(SettingsFilesTest, RunWritesSettingsAndPositionAndKeepsForeignEntries) {
    const QString file = media::path(media::kTitled);
    const QString key = resumeKey(file);
    const QString folder = player_->settingsDir();

    // A progress.ini edited by hand: comments, blank lines and odd spacing, a section the
    // player knows nothing of, the entry of another file, and a comment and a key of the
    // user's own inside the clip's section, whose "progress" the player rewrites. Every
    // line but that one must come back byte for byte and in the same order.
    const QString otherKey = resumeKey(QStringLiteral("/home/someone/Videos/another film.mkv"));
    const QStringList kept{
        QStringLiteral("; tidied by hand"),
        QStringLiteral("[hand made]"),
        QStringLiteral("note=kept by hand"),
        QStringLiteral("   spaced key   =   spaced value   "),
        QStringLiteral("# neither a key nor a comment"),
        QString(),
        QStringLiteral("[%1]").arg(otherKey),
        QStringLiteral("progress=42.000"),
        QStringLiteral("x=1"),
        QStringLiteral("y=2"),
        QStringLiteral("w=3"),
        QStringLiteral("h=4"),
        QString(),
        QStringLiteral("[%1]").arg(key),
        QStringLiteral("; rated after the first viewing"),
        QStringLiteral("  rating =  5  "),
    };
    ASSERT_NO_FATAL_FAILURE(seedSettings(
        QStringLiteral("progress.ini"),
        (kept.join(QLatin1Char('\n')) + QStringLiteral("\nprogress=0.000\n")).toUtf8()));

    ASSERT_NO_FATAL_FAILURE(startWith(media::kTitled, media::kTitledWindow));
    switch (GetParam().ending) {
        case Ending::CloseButton:
            ASSERT_NO_FATAL_FAILURE(closeWithButton());
            break;
        case Ending::Interrupt:
            ASSERT_TRUE(player_->sendSignal(SIGINT));
            ASSERT_NO_FATAL_FAILURE(expectExit());
            break;
        case Ending::HangUp:
            ASSERT_TRUE(player_->sendSignal(SIGHUP));
            ASSERT_NO_FATAL_FAILURE(expectExit());
            break;
    }

    const auto config = IniText::load(folder + QStringLiteral("/config.ini"));
    ASSERT_TRUE(config.has_value()) << "no config.ini";
    const QString settings = QStringLiteral("Settings");
    EXPECT_EQ(config->value(settings, QStringLiteral("Volume")), QStringLiteral("100.0"))
        << str(config->text());
    EXPECT_EQ(config->value(settings, QStringLiteral("Mute")), QStringLiteral("0"));
    EXPECT_EQ(config->value(settings, QStringLiteral("TopMost")), QStringLiteral("0"));
    EXPECT_EQ(config->value(settings, QStringLiteral("Language")), QStringLiteral("lan_en.xml"));

    const auto progress = IniText::load(folder + QStringLiteral("/progress.ini"));
    ASSERT_TRUE(progress.has_value()) << "no progress.ini";
    SCOPED_TRACE(str(progress->text()));
    EXPECT_EQ(progress->value(QStringLiteral("hand made"), QStringLiteral("note")),
              QStringLiteral("kept by hand"));
    EXPECT_EQ(progress->value(QStringLiteral("hand made"), QStringLiteral("spaced key")),
              QStringLiteral("spaced value"));
    EXPECT_EQ(progress->value(otherKey, QStringLiteral("progress")), QStringLiteral("42.000"));
    EXPECT_EQ(progress->value(key, QStringLiteral("rating")), QStringLiteral("5"));
    const QStringList lines = progress->text().split(QLatin1Char('\n'));
    qsizetype from = 0;
    for (const QString& line : kept) {
        const qsizetype at = lines.indexOf(line, from);
        EXPECT_GE(at, 0) << "lost or moved: \"" << str(line) << '"';
        if (at >= 0) from = at + 1;
    }
    // The clip is shorter than 5 s, so wherever it was, no position is kept.
    EXPECT_EQ(progress->value(key, QStringLiteral("progress")), QStringLiteral("0.000"));
    const QRect window = GetParam().recordsWindow ? media::kTitledWindow : QRect(-1, -1, 0, 0);
    EXPECT_EQ(progress->value(key, QStringLiteral("x")), QString::number(window.x()));
    EXPECT_EQ(progress->value(key, QStringLiteral("y")), QString::number(window.y()));
    EXPECT_EQ(progress->value(key, QStringLiteral("w")), QString::number(window.width()));
    EXPECT_EQ(progress->value(key, QStringLiteral("h")), QString::number(window.height()));
}

INSTANTIATE_TEST_SUITE_P(Endings, SettingsFilesTest,
                         ::testing::Values(EndingCase{"CloseButton", Ending::CloseButton, true},
                                           EndingCase{"Interrupt", Ending::Interrupt, false},
                                           EndingCase{"HangUp", Ending::HangUp, false}),
                         CaseName());

}  // namespace
}  // namespace e2e
