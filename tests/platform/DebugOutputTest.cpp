#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <vector>

#include "platform/DebugOutput.h"

namespace {

struct LoggedMessage {
    QtMsgType type;
    QString category;
    QString text;
};

std::vector<LoggedMessage>* g_logged = nullptr;

void RecordMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    g_logged->push_back({type, QString::fromUtf8(context.category), text});
}

// Captures everything logged while it lives and restores the default rules afterwards.
class DebugOutputTest : public testing::Test {
  protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) {
            GTEST_SKIP() << "QT_LOGGING_RULES overrides the rules these tests set";
        }
        g_logged = &logged;
        previous = qInstallMessageHandler(RecordMessage);
    }

    void TearDown() override {
        if (g_logged != nullptr) {
            qInstallMessageHandler(previous);
            QLoggingCategory::setFilterRules(QString());
            g_logged = nullptr;
        }
    }

    std::vector<LoggedMessage> logged;
    QtMessageHandler previous = nullptr;
};

TEST_F(DebugOutputTest, SilentUnlessEnabled) {
    platform::DebugOutput(QStringLiteral("VideoWnd: hwnd=0x1, size=640x360"));
    EXPECT_TRUE(logged.empty());
}

TEST_F(DebugOutputTest, EnabledCategoryGetsExactlyOneLinePerCall) {
    QLoggingCategory::setFilterRules(QStringLiteral("movira.debug=true"));

    platform::DebugOutput(QStringLiteral("VideoWnd: hwnd=0x1, size=640x360"));
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].type, QtDebugMsg);
    EXPECT_EQ(logged[0].category, QStringLiteral("movira"));
    EXPECT_EQ(logged[0].text, QStringLiteral("VideoWnd: hwnd=0x1, size=640x360"));

    platform::DebugOutput(QStringLiteral("first\r\nsecond\nthird"));
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_FALSE(logged[1].text.contains(u'\n'));
    EXPECT_FALSE(logged[1].text.contains(u'\r'));
    EXPECT_TRUE(logged[1].text.startsWith(QStringLiteral("first")));
    EXPECT_TRUE(logged[1].text.endsWith(QStringLiteral("third")));
}

}  // namespace
