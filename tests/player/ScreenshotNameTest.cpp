// The names screenshots get, and saving one through the engine: only a file that is really
// there counts as saved.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "FakeEngineApi.h"
#include "TestFiles.h"
#include "engine/EngineInstance.h"
#include "platform/FileName.h"
#include "player/Screenshot.h"
#include "player/ScreenshotName.h"

namespace {

std::string Str(const QString& text) { return text.toStdString(); }

TEST(ScreenshotNameTest, TimeIsWholeSecondsWithAtLeastTwoDigitsOfHours) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "00-00-00"},     {12.99, "00-00-12"},
        {59.999, "00-00-59"},  {60.0, "00-01-00"},
        {3599.5, "00-59-59"},  {3723.0, "01-02-03"},
        {86399.0, "23-59-59"}, {360000.0, "100-00-00"},
        {-4.0, "00-00-00"},    {std::numeric_limits<double>::quiet_NaN(), "00-00-00"},
    };
    for (const auto& [seconds, expected] : cases)
        EXPECT_EQ(Str(ScreenshotTime(seconds)), expected) << seconds;
}

TEST(ScreenshotNameTest, TitleIsMadeSafeForBothSystems) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"Movira bars", u"Movira bars 00-00-12.png"},
        {u"a/b\\c:d*e?f\"g<h>i|j", u"a_b_c_d_e_f_g_h_i_j 00-00-12.png"},
        {u"tab\there\nnul\x7F\x85", u"tab_here_nul__ 00-00-12.png"},
        {u"Ends with dots. . .", u"Ends with dots 00-00-12.png"},
        {u"测试标题 Movira", u"测试标题 Movira 00-00-12.png"},
        {u"emoji \U0001F3AC ok", u"emoji \U0001F3AC ok 00-00-12.png"},
        {u"lone \xD800 and \xDC00", u"lone _ and _ 00-00-12.png"},
        {u"", u"MoviraPlayer 00-00-12.png"},
        {u" . ..", u"MoviraPlayer 00-00-12.png"},
        {u"///", u"___ 00-00-12.png"},
    };
    for (const auto& [title, expected] : cases) {
        const QString name = ScreenshotFileName(QString::fromUtf16(title), 12.5);
        EXPECT_EQ(name, QString::fromUtf16(expected)) << Str(QString::fromUtf16(title));
    }
    EXPECT_EQ(Str(ScreenshotFileName(QStringLiteral("Movira bars"), 3723.0, 2)),
              "Movira bars 01-02-03 (2).png");
    EXPECT_EQ(Str(ScreenshotFileName(QStringLiteral("Movira bars"), 3723.0, 13)),
              "Movira bars 01-02-03 (13).png");
}

// Long titles are cut so that every copy's name stays within 200 code units and 255 bytes,
// between whole characters and before trailing dots and spaces.
TEST(ScreenshotNameTest, LongTitlesAreCutBetweenWholeCharacters) {
    const QString emoji = QString::fromUtf16(u"\U0001F3AC");
    struct Case {
        const char* label;
        QString title;
        std::optional<QString> head;  // the title's part of the first copy's name
    };
    const Case cases[] = {
        // " 00-00-00.png" leaves 187 code units for the title.
        {"ascii", QString(300, u'a'), QString(187, u'a')},
        {"pair would straddle the limit", QString(186, u'x') + emoji, QString(186, u'x')},
        {"pair fits exactly", QString(185, u'x') + emoji, QString(185, u'x') + emoji},
        {"cut before a space", QString(186, u'x') + QStringLiteral(" .yyyy"), QString(186, u'x')},
        // 242 bytes for the title: 80 characters of three bytes each.
        {"chinese", QString(150, QChar(0x6807)), QString(80, QChar(0x6807))},
        {"emoji", u'a' + emoji.repeated(150), u'a' + emoji.repeated(60)},
    };
    for (const Case& c : cases) {
        for (const int copy : {1, 2, 100}) {
            const QString name = ScreenshotFileName(c.title, 0.0, copy);
            EXPECT_LE(name.size(), kScreenshotNameMaxLength) << c.label << " " << copy;
            EXPECT_LE(name.toUtf8().size(), kScreenshotNameMaxBytes) << c.label << " " << copy;
            EXPECT_TRUE(QStringView(name).isValidUtf16()) << c.label << " " << copy;
            EXPECT_TRUE(name.endsWith(copy == 1 ? QStringLiteral(" 00-00-00.png")
                                                : QStringLiteral(" 00-00-00 (%1).png").arg(copy)))
                << Str(name);
        }
        if (c.head) {
            EXPECT_EQ(ScreenshotFileName(c.title, 0.0), *c.head + QStringLiteral(" 00-00-00.png"))
                << c.label;
        }
    }
}

TEST(ScreenshotNameTest, FreeNameIsTheFirstCopyNothingInTheFolderHas) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString title = QStringLiteral("Clip: one");
    EXPECT_EQ(Str(FreeScreenshotName(folder.path(), title, 5.0)), "Clip_ one 00-00-05.png");

    ASSERT_FALSE(EmptyFile(folder.path(), QStringLiteral("Clip_ one 00-00-05.png")).isEmpty());
    EXPECT_EQ(Str(FreeScreenshotName(folder.path(), title, 5.0)), "Clip_ one 00-00-05 (2).png");
    // A folder takes a name as well as a file does.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Clip_ one 00-00-05 (2).png")));
    ASSERT_FALSE(EmptyFile(folder.path(), QStringLiteral("Clip_ one 00-00-05 (4).png")).isEmpty());
    EXPECT_EQ(Str(FreeScreenshotName(folder.path(), title, 5.0)), "Clip_ one 00-00-05 (3).png");
    // Another second is another name.
    EXPECT_EQ(Str(FreeScreenshotName(folder.path(), title, 6.0)), "Clip_ one 00-00-06.png");
    // A name that is free again is taken again.
    ASSERT_TRUE(QFile::remove(folder.path() + QStringLiteral("/Clip_ one 00-00-05.png")));
    EXPECT_EQ(Str(FreeScreenshotName(folder.path(), title, 5.0)), "Clip_ one 00-00-05.png");
}

// An engine instance on the fake whose screenshot command writes `written` to the file it is
// given, or nothing when that is unset.
class SaveScreenshotTest : public testing::Test {
  protected:
    SaveScreenshotTest() {
        EXPECT_TRUE(engine.Create(1, 1.0, nullptr, nullptr));
        fake.onCall = [this](const FakeCall& call) {
            if (call.function == "mpv_command" && call.args.size() == 3 &&
                call.args[0] == "screenshot-to-file" && written) {
                WriteFile(platform::DecodeFileName(call.args[1]), *written);
            }
        };
        fake.ClearCalls();
    }
    QString Shots() const { return folder.path() + QStringLiteral("/MoviraPlayer"); }
    QString Expected(const QString& name) const {
        return platform::NativeFileName(Shots() + u'/' + name);
    }

    QTemporaryDir folder;
    FakeEngineApi fake;
    EngineInstance engine{fake.Api()};
    std::optional<QByteArray> written = QByteArray("\x89PNG\r\n\x1a\n", 8);
};

TEST_F(SaveScreenshotTest, SavesUnderTheFirstFreeNameInItsOwnFolder) {
    const ScreenshotResult first =
        SaveScreenshot(engine, QStringLiteral("Movira bars"), 12.4, folder.path());
    EXPECT_TRUE(first.saved);
    EXPECT_EQ(first.path, Expected(QStringLiteral("Movira bars 00-00-12.png")));
    ASSERT_EQ(fake.Calls().size(), 1u);
    EXPECT_EQ(fake.Calls()[0].args,
              (std::vector<std::string>{"screenshot-to-file",
                                        platform::EncodeFileName(first.path).toStdString(),
                                        "subtitles"}));

    const ScreenshotResult second =
        SaveScreenshot(engine, QStringLiteral("Movira bars"), 12.9, folder.path());
    EXPECT_TRUE(second.saved);
    EXPECT_EQ(second.path, Expected(QStringLiteral("Movira bars 00-00-12 (2).png")));
    EXPECT_EQ(FolderEntries(Shots()), (QStringList{QStringLiteral("Movira bars 00-00-12 (2).png"),
                                                   QStringLiteral("Movira bars 00-00-12.png")}));
}

TEST_F(SaveScreenshotTest, FailsUnlessAFileWithSomethingInItIsThere) {
    struct Case {
        const char* label;
        int commandResult;
        std::optional<QByteArray> written;
    };
    const Case cases[] = {
        {"refused, nothing written", MPV_ERROR_COMMAND, std::nullopt},
        // A refusal counts even if a file appeared.
        {"refused, a file written", MPV_ERROR_COMMAND, QByteArray("x")},
        {"accepted, nothing written", 0, std::nullopt},
        {"accepted, an empty file", 0, QByteArray()},
    };
    for (const Case& c : cases) {
        fake.SetCommandResult(c.commandResult);
        written = c.written;
        const ScreenshotResult result =
            SaveScreenshot(engine, QString::fromUtf8(c.label), 1.0, folder.path());
        EXPECT_FALSE(result.saved) << c.label;
        EXPECT_EQ(result.path, Expected(QString::fromUtf8(c.label) + " 00-00-01.png")) << c.label;
    }
    EXPECT_EQ(fake.CallTexts("mpv_command").size(), std::size(cases));
}

TEST_F(SaveScreenshotTest, NothingIsAskedWhereTheFolderCannotBeMade) {
    // A file stands where the program's folder would go.
    ASSERT_FALSE(EmptyFile(folder.path(), QStringLiteral("MoviraPlayer")).isEmpty());
    EXPECT_FALSE(SaveScreenshot(engine, QStringLiteral("t"), 1.0, folder.path()).saved);
    EXPECT_FALSE(SaveScreenshot(engine, QStringLiteral("t"), 1.0, QString()).saved);
    EXPECT_TRUE(fake.Calls().empty());
}

}  // namespace
