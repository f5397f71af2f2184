// The About window: its texts and version label per interface language, its buttons, its
// frame, and the modal run that ends with the window deleting itself.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/LanguageChoice.h"
#include "platform/UiLanguage.h"
#include "platform/UrlOpener.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/UIControl.h"
#include "ui/AboutWnd.h"
#include "ui/ProductVersion.h"

namespace {

class RecordingUrlOpener : public platform::UrlOpener {
  public:
    bool Open(const QString& address) override {
        opened.append(address);
        return true;
    }
    QStringList opened;
};

// The window deletes itself, so its destructor is the only place to see that, and when, it did.
class ObservedAboutWnd : public CAboutWnd {
  public:
    ObservedAboutWnd(platform::UrlOpener& opener, bool& deleted, int& loopLevelAtDeletion,
                     QString skinFile)
        : CAboutWnd(opener),
          m_deleted(deleted),
          m_loopLevelAtDeletion(loopLevelAtDeletion),
          m_skinFile(std::move(skinFile)) {}
    ~ObservedAboutWnd() override {
        m_deleted = true;
        m_loopLevelAtDeletion = QThread::currentThread()->loopLevel();
    }
    QString GetSkinFile() const override {
        return m_skinFile.isEmpty() ? CAboutWnd::GetSkinFile() : m_skinFile;
    }

  private:
    bool& m_deleted;
    int& m_loopLevelAtDeletion;
    QString m_skinFile;
};

// Stands in for the main window: a skinned window that counts its timer ticks and a private
// message, and lets the test act once both arrived.
class ParentWnd : public WindowImplBase {
  public:
    static constexpr UINT kTimerId = 1001;
    static constexpr UINT kPing = WM_USER + 77;

    QString GetWindowClassName() const override { return QStringLiteral("TestParentWnd"); }
    QString GetSkinFile() const override { return QStringLiteral("main.xml"); }
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        if (msg == WM_TIMER && wParam == kTimerId) {
            KillTimer(kTimerId);
            ++timerTicks;
        } else if (msg == kPing) {
            ++pings;
        } else {
            handled = false;
            return 0;
        }
        handled = true;
        if (onServed) onServed();
        return 0;
    }

    int timerTicks = 0;
    int pings = 0;
    std::function<void()> onServed;
};

// Runs the event loop until `done` holds or the bound passes; returns whether it held.
bool Await(const std::function<bool()>& done, int boundMs = 5000) {
    const QDeadlineTimer deadline(boundMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void ClickAt(CWindowWnd& window, QPoint pt) {
    window.SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(pt.x(), pt.y()));
    window.SendMessage(WM_LBUTTONUP, 0, MakePointLParam(pt.x(), pt.y()));
}

class AboutWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        m_hadLanguage = qEnvironmentVariableIsSet("LANGUAGE");
        m_savedLanguage = qgetenv("LANGUAGE");
        SetLanguage("en_US");
    }
    void TearDown() override {
        // A failed test may leave the window open; it refers to this fixture's members.
        if (about && !deleted && about->IsWindow()) {
            about->Close(0);
            Await([this] { return deleted; });
        }
        if (m_hadLanguage)
            qputenv("LANGUAGE", m_savedLanguage);
        else
            qunsetenv("LANGUAGE");
        LoadInterfaceLanguage(platform::UserUiPrimaryLanguage());
    }

    // Sets the interface language and loads its table, as start-up does.
    static void SetLanguage(const char* language) {
        qputenv("LANGUAGE", language);
        LoadInterfaceLanguage(platform::UserUiPrimaryLanguage());
    }

    // Opens the window the way the main window's menu button does, up to the modal run.
    bool Open(CWindowWnd* parent = nullptr, const QString& skinFile = {}) {
        deleted = false;
        about = new ObservedAboutWnd(opener, deleted, loopLevelAtDeletion, skinFile);
        const bool created =
            about->Create(parent, QStringLiteral("About"), WS_POPUP | WS_VISIBLE, 0);
        about->CenterWindow();
        return created;
    }
    CControlUI* Control(const char* name) {
        return about->GetPM().FindControl(QString::fromLatin1(name));
    }
    // The logo: the layout's one nameless button.
    CControlUI* Logo() {
        CControlUI* logo = nullptr;
        about->GetPM().GetRoot()->ForEach([&logo](CControlUI& c) {
            if (c.IsInteractive() && c.GetName().isEmpty()) logo = &c;
        });
        return logo;
    }
    QPoint CenterOf(CControlUI* control) {
        about->GetPM().LayoutIfNeeded();
        return control->GetPos().center();
    }
    void Click(CControlUI* control) {
        ASSERT_TRUE(control);
        ClickAt(*about, CenterOf(control));
        QCoreApplication::processEvents();
    }
    QStringList ShownTexts() {
        QStringList texts;
        about->GetPM().GetRoot()->ForEach([&texts](CControlUI& c) {
            if (!c.GetDisplayText().isEmpty()) texts.append(c.GetDisplayText());
        });
        return texts;
    }

    RecordingUrlOpener opener;
    CAboutWnd* about = nullptr;
    bool deleted = false;
    int loopLevelAtDeletion = -1;

  private:
    bool m_hadLanguage = false;
    QByteArray m_savedLanguage;
};

TEST(ProductVersion, KeepsAtMostThreeComponents) {
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("2.0.0.17"), QStringLiteral("2.0.0")},
        {QStringLiteral("1.2.1.0"), QStringLiteral("1.2.1")},
        {QStringLiteral("1.2.1"), QStringLiteral("1.2.1")},
        {QStringLiteral("1.2"), QStringLiteral("1.2")},
        {QStringLiteral("7"), QStringLiteral("7")},
        {QStringLiteral("1.2.3."), QStringLiteral("1.2.3")},
        {QStringLiteral("1.2.3.4.5"), QStringLiteral("1.2.3")},
        {QStringLiteral("10.20.300.4000"), QStringLiteral("10.20.300")},
        {QString(), QStringLiteral("1.0.0")},
        {QStringLiteral(""), QStringLiteral("1.0.0")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProductVersionFrom(c.text), c.shown) << c.text.toStdString();
}

TEST(ProductVersion, ComesFromTheBuild) {
    // The fallback would mean the build's version never reached the program.
    EXPECT_NE(GetProductVersion(), QStringLiteral("1.0.0"));
}

// The table gives the title, name, slogan and button; the version prefix follows the interface
// language itself. German has no table and falls back to English on both counts.
TEST_F(AboutWindow, TextsAndVersionFollowTheInterfaceLanguage) {
    const struct {
        const char* language;
        QString versionPrefix;
        QStringList texts;
        QString closeTip;
    } cases[] = {
        {"en_US",
         QStringLiteral("Version: v"),
         {QStringLiteral("About"), QStringLiteral("Movira Media Player"),
          QStringLiteral("Minimalist, pure, and fluid"), QStringLiteral("Visit Official Website")},
         QStringLiteral("Close")},
        {"zh_CN",
         QStringLiteral("版本: "),
         {QStringLiteral("关于"), QStringLiteral("Movira音视频播放器"),
          QStringLiteral("极简、纯净、流畅"), QStringLiteral("访问官方网站")},
         QStringLiteral("关闭")},
        {"zh_TW:en",
         QStringLiteral("版本: "),
         {QStringLiteral("关于"), QStringLiteral("访问官方网站")},
         QStringLiteral("关闭")},
        {"de_DE",
         QStringLiteral("Version: v"),
         {QStringLiteral("About"), QStringLiteral("Visit Official Website")},
         QStringLiteral("Close")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        SetLanguage(c.language);
        ASSERT_TRUE(Open());
        CControlUI* version = Control("lblVersion");
        ASSERT_TRUE(version);
        EXPECT_EQ(version->GetDisplayText(), c.versionPrefix + GetProductVersion());
        const QStringList shown = ShownTexts();
        for (const QString& text : c.texts) EXPECT_TRUE(shown.contains(text)) << text.toStdString();
        EXPECT_EQ(Control("closebtn")->GetToolTip(), c.closeTip);
        // A screen reader reads the same texts and buttons.
        InstallToolkitAccessibility();
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(about->GetHWND());
        ASSERT_TRUE(tree);
        QStringList read;
        for (int i = 0; i < tree->childCount(); ++i)
            read << tree->child(i)->text(QAccessible::Name);
        for (const QString& text : c.texts) EXPECT_TRUE(read.contains(text)) << text.toStdString();
        EXPECT_TRUE(read.contains(c.closeTip));
        EXPECT_FALSE(read.contains(QString())) << "a control without a name (the logo)";
        about->Close(0);
        ASSERT_TRUE(Await([this] { return deleted; }));
    }
}

TEST_F(AboutWindow, HomePageOpensInTheBrowserAndTheWindowStays) {
    ASSERT_TRUE(Open());
    Click(Control("homepage_btn"));
    EXPECT_EQ(opener.opened, QStringList{QString::fromLatin1(kHomePageAddress)});
    EXPECT_TRUE(about->IsWindow());
    EXPECT_FALSE(deleted);

    // The logo is a button too, but does nothing.
    Click(Logo());
    EXPECT_EQ(opener.opened.size(), 1);
    EXPECT_TRUE(about->IsWindow());
    EXPECT_FALSE(deleted);
}

TEST_F(AboutWindow, TabGoesRoundItsButtonsAndEnterPressesThem) {
    ASSERT_TRUE(Open());
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, k, modifiers);
        QCoreApplication::sendEvent(about->GetHWND(), &e);
        return about->IsWindow() ? about->GetPM().GetFocus() : nullptr;
    };
    // The logo names nothing: the keyboard passes it by.
    EXPECT_EQ(key(Qt::Key_Tab), Control("closebtn"));
    EXPECT_EQ(key(Qt::Key_Tab), Control("homepage_btn"));
    EXPECT_EQ(key(Qt::Key_Tab), Control("closebtn"));
    EXPECT_EQ(key(Qt::Key_Backtab, Qt::ShiftModifier), Control("homepage_btn"));
    key(Qt::Key_Return);
    EXPECT_EQ(opener.opened, QStringList{QString::fromLatin1(kHomePageAddress)});
    EXPECT_TRUE(about->IsWindow());
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_TRUE(Await([this] { return deleted; }));
}

TEST_F(AboutWindow, CloseButtonClosesAndTheWindowDeletesItself) {
    ASSERT_TRUE(Open());
    Click(Control("closebtn"));
    EXPECT_TRUE(Await([this] { return deleted; }));
    EXPECT_TRUE(opener.opened.isEmpty());
}

// The whole window drags it, except its buttons; it has no sizing border.
TEST_F(AboutWindow, TakesTheLayoutSizeAndDragsByAllButItsButtons) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(about->GetClientRect(), QRect(0, 0, 400, 300));
    const QPoint origin = about->ClientToScreen(QPoint(0, 0));
    const auto hitTest = [&](QPoint pt) {
        return about->SendMessage(WM_NCHITTEST, 0,
                                  MakePointLParam(origin.x() + pt.x(), origin.y() + pt.y()));
    };
    EXPECT_EQ(hitTest(CenterOf(Control("closebtn"))), HTCLIENT);
    EXPECT_EQ(hitTest(CenterOf(Control("homepage_btn"))), HTCLIENT);
    ASSERT_TRUE(Logo());
    EXPECT_EQ(hitTest(CenterOf(Logo())), HTCLIENT);
    EXPECT_EQ(hitTest(CenterOf(Control("lblVersion"))), HTCAPTION);
    EXPECT_EQ(hitTest(QPoint(20, 15)), HTCAPTION) << "title";
    EXPECT_EQ(hitTest(QPoint(200, 130)), HTCAPTION) << "product name";
    EXPECT_EQ(hitTest(QPoint(1, 1)), HTCAPTION) << "top-left corner";
    EXPECT_EQ(hitTest(QPoint(398, 298)), HTCAPTION) << "bottom-right corner";
}

// The main window opens the About window and waits in ShowModal; meanwhile the main window's
// timers and posted messages must still arrive, and ShowModal must come back once the About
// window closed and freed itself.
TEST_F(AboutWindow, ModalRunServesTheParentAndEndsWithTheWindowDeleted) {
    ParentWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, QStringLiteral("MoviraPlayer"),
                              WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0));
    parent.CenterWindow();
    parent.ShowWindow(true, true);
    ASSERT_TRUE(Open(&parent));
    EXPECT_EQ(about->GetWindowRect().center(), parent.GetWindowRect().center());

    bool inModal = false;
    bool servedDuringModal = false;
    bool closing = false;
    parent.onServed = [&] {
        if (parent.timerTicks < 1 || parent.pings < 1 || closing) return;
        servedDuringModal = inModal;
        closing = true;
        Click(Control("closebtn"));
    };
    QTimer::singleShot(0, [&] {
        parent.SetTimer(ParentWnd::kTimerId, 1);
        parent.PostMessage(ParentWnd::kPing);
    });
    // Upper bound: without it a broken modal loop would hang the run instead of failing it.
    bool boundReached = false;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, [&] {
        boundReached = true;
        if (!deleted) about->Close(0);
    });
    bound.start(5000);

    const int loopLevel = QThread::currentThread()->loopLevel();
    inModal = true;
    const UINT result = about->ShowModal();
    inModal = false;

    EXPECT_FALSE(boundReached);
    EXPECT_TRUE(servedDuringModal);
    EXPECT_EQ(parent.timerTicks, 1);
    EXPECT_EQ(parent.pings, 1);
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(deleted);
    EXPECT_GT(loopLevelAtDeletion, loopLevel) << "the window went while its own loop ran";
    EXPECT_TRUE(parent.IsWindow());
}

}  // namespace
