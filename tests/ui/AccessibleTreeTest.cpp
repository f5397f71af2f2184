// The main window as a screen reader sees it: its controls' roles, names (in English and
// Chinese), states and values, and the press action and value setting reaching the engine
// exactly as clicks and drags do.
#include <QAccessible>
#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

#include "PlayerFixture.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/ResourceManager.h"
#include "toolkit/UISlider.h"

namespace {

class AccessibleTreeTest : public PlayerTest {
  protected:
    static void SetUpTestSuite() { InstallToolkitAccessibility(); }
    void SetUp() override {
        CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml"));
        PlayerTest::SetUp();
    }
    void TearDown() override {
        CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml"));
    }

    QAccessibleInterface* Tree() const {
        return QAccessible::queryAccessibleInterface(window->GetHWND());
    }
    // "role:name" of every child, in order.
    static QStringList Children(QAccessibleInterface* parent) {
        QStringList children;
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            children << QString::number(child->role()) + u':' + child->text(QAccessible::Name);
        }
        return children;
    }
    static QAccessibleInterface* Find(QAccessibleInterface* parent, QAccessible::Role role,
                                      const QString& name) {
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            if (child->role() == role && child->text(QAccessible::Name) == name) return child;
        }
        return nullptr;
    }
};

QString Entry(QAccessible::Role role, const char* name) {
    return QString::number(role) + u':' + QString::fromUtf8(name);
}

// What is announced while it lives: "name=value text" of every value change, "name:on" or
// "name:off" of every change of a toggle's state.
class HeardValues {
  public:
    HeardValues() {
        heard.clear();
        SetAccessibleListener(&Record);
    }
    ~HeardValues() { SetAccessibleListener(nullptr); }
    static inline QStringList heard;

  private:
    static void Record(QAccessibleEvent* event) {
        QAccessibleInterface* iface = event->accessibleInterface();
        if (!iface) return;
        const QString name = iface->text(QAccessible::Name);
        if (event->type() == QAccessible::ValueChanged)
            heard << name + u'=' + iface->text(QAccessible::Value);
        if (event->type() == QAccessible::StateChanged)
            heard << name +
                         (iface->state().checked ? QStringLiteral(":on") : QStringLiteral(":off"));
    }
};

TEST_F(AccessibleTreeTest, ControlsInLayoutOrderWithTheirNamesInTheInterfaceLanguage) {
    QAccessibleInterface* tree = Tree();
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->role(), QAccessible::Window);
    const auto B = QAccessible::Button;
    const auto Toggle = QAccessible::CheckBox;
    const QStringList english{
        Entry(B, "Menu"),
        Entry(QAccessible::StaticText, "MoviraPlayer"),
        Entry(QAccessible::StaticText, ""),  // the title, empty with nothing open
        Entry(Toggle, "Pin"),
        Entry(B, "Minimize"),
        Entry(B, "Maximize"),
        Entry(B, "Close"),
        Entry(QAccessible::Graphic, "Video"),
        Entry(QAccessible::Slider, "Progress"),
        Entry(B, "Previous file"),
        Entry(Toggle, "Play"),  // on: the recording engine reads as playing
        Entry(B, "Next file"),
        Entry(B, "Stop"),
        Entry(B, "Backward"),
        Entry(B, "Forward"),
        Entry(B, "Open"),
        Entry(QAccessible::StaticText, "00:00 / 00:00"),
        Entry(B, "Speed"),
        Entry(B, "Subtitle"),
        Entry(B, "Audio track"),
        Entry(Toggle, "Mute"),  // not "Volume", the slider beside it
        Entry(QAccessible::Slider, "Volume"),
        Entry(B, "Fullscreen")};
    EXPECT_EQ(Children(tree).join(u'|').toStdString(), english.join(u'|').toStdString());

    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_zh.xml"));
    const QStringList chinese = Children(tree);
    EXPECT_TRUE(chinese.contains(Entry(Toggle, "播放"))) << chinese.join(u'|').toStdString();
    EXPECT_TRUE(chinese.contains(Entry(QAccessible::Graphic, "视频")));
    EXPECT_TRUE(chinese.contains(Entry(QAccessible::Slider, "播放进度")));
    EXPECT_TRUE(chinese.contains(Entry(Toggle, "静音")));
    EXPECT_TRUE(chinese.contains(Entry(B, "上一个文件")));
    EXPECT_TRUE(chinese.contains(Entry(B, "音轨")));

    // Toggles read as a checkable push button does in Qt, keep their name and report their
    // state both ways; the play button its current meaning.
    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml"));
    QPushButton qtToggle;
    qtToggle.setCheckable(true);
    QAccessibleInterface* qt = QAccessible::queryAccessibleInterface(&qtToggle);
    QAccessibleInterface* pin = Find(tree, Toggle, QStringLiteral("Pin"));
    QAccessibleInterface* mute = Find(tree, Toggle, QStringLiteral("Mute"));
    ASSERT_TRUE(pin && mute && qt);
    for (QAccessibleInterface* toggle : {pin, mute}) {
        EXPECT_EQ(toggle->role(), qt->role());
        EXPECT_EQ(toggle->actionInterface()->actionNames().front(),
                  qt->actionInterface()->actionNames().front());
        EXPECT_TRUE(toggle->state().checkable);
        EXPECT_FALSE(toggle->state().checked);
    }
    Click("pinbtn");
    EXPECT_TRUE(pin->state().checked);
    mute->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(window->GetPlayer().IsMuted());
    EXPECT_EQ(mute->text(QAccessible::Name), QStringLiteral("Mute"));
    EXPECT_TRUE(mute->state().checked);
    Click("btn_volume");
    EXPECT_EQ(mute->text(QAccessible::Name), QStringLiteral("Mute"));
    EXPECT_FALSE(mute->state().checked);
    EXPECT_FALSE(Find(tree, B, QStringLiteral("Stop"))->state().checkable);

    // The title button is named for what it does and is on while the title shows; a stop
    // hides it, off.
    EXPECT_FALSE(Find(tree, Toggle, QStringLiteral("Show title")));
    fake.QueueStringChange("media-title", "Movie");
    Wakeup();
    QAccessibleInterface* title = Find(tree, Toggle, QStringLiteral("Show title"));
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->state().checked);
    title->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(title->state().checked);
    EXPECT_TRUE(Find(tree, QAccessible::StaticText, QString()));
    Click("infobtn");
    EXPECT_TRUE(title->state().checked);
    EXPECT_TRUE(Find(tree, QAccessible::StaticText, QStringLiteral("Movie")));
    window->GetPlayer().Stop();
    EXPECT_FALSE(Control("infobtn")->Accessible().checked.value_or(true));
    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_zh.xml"));
    EXPECT_EQ(title->text(QAccessible::Name), QStringLiteral("显示标题"));

    // The keyboard's focus is the tree's.
    EXPECT_EQ(tree->focusChild(), nullptr);
    window->GetPM().SetNextTabControl(true);
    window->GetPM().SetNextTabControl(true);
    ASSERT_EQ(tree->focusChild(), pin);
    EXPECT_TRUE(pin->state().focused);
    EXPECT_TRUE(pin->state().focusable);
}

TEST_F(AccessibleTreeTest, ActionsAndValuesDoWhatClicksAndDragsDo) {
    window->OpenMedia(MediaFile());
    fake.QueueDoubleChange("duration", 90.0);
    fake.QueueDoubleChange("time-pos", 45.0);
    fake.SetDouble("time-pos", 45.0);
    Wakeup();
    QAccessibleInterface* tree = Tree();

    // The progress slider in seconds, read as the time of the length, in the interface
    // language; the same text is its description.
    QAccessibleInterface* progress = Find(tree, QAccessible::Slider, QStringLiteral("Progress"));
    ASSERT_TRUE(progress && progress->valueInterface());
    QAccessibleValueInterface* value = progress->valueInterface();
    EXPECT_DOUBLE_EQ(value->minimumValue().toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(value->maximumValue().toDouble(), 90.0);
    EXPECT_DOUBLE_EQ(value->currentValue().toDouble(), 45.0);
    EXPECT_EQ(progress->text(QAccessible::Value), QStringLiteral("0:45 of 1:30"));
    EXPECT_EQ(progress->text(QAccessible::Description), QStringLiteral("0:45 of 1:30"));
    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_zh.xml"));
    EXPECT_EQ(progress->text(QAccessible::Value), QStringLiteral("0:45，共 1:30"));
    CResourceManager::GetInstance().LoadLanguage(QStringLiteral("lan_en.xml"));
    EXPECT_EQ(Find(tree, QAccessible::Slider, QStringLiteral("Volume"))->text(QAccessible::Value),
              QStringLiteral("100.0"));
    fake.ClearCalls();
    // To the slider's nearest step (a thousandth of the length), as a drag would.
    value->setCurrentValue(60.0);
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command seek 60.03 absolute"});
    value->setCurrentValue(500.0);  // held to the end, as a drag is
    EXPECT_EQ(Commands().back(), "mpv_command seek 90.00 absolute");

    // The volume slider as a release of its thumb: the volume, and mute cleared.
    QAccessibleInterface* volume = Find(tree, QAccessible::Slider, QStringLiteral("Volume"));
    ASSERT_TRUE(volume && volume->valueInterface());
    fake.ClearCalls();
    volume->valueInterface()->setCurrentValue(40);
    EXPECT_EQ(window->VolumeSlider()->GetValue(), 40);
    EXPECT_EQ(fake.CallTexts(), (std::vector<std::string>{"mpv_set_property volume double 40",
                                                          "mpv_set_property_string mute no"}));

    // The press action is a click; the play toggle, named "Play" whatever its tooltip says,
    // is on while playing and its every change is heard as a state change.
    QAccessibleInterface* play = Find(tree, QAccessible::CheckBox, QStringLiteral("Play"));
    ASSERT_TRUE(play && play->actionInterface());
    EXPECT_TRUE(play->state().checked);
    EXPECT_EQ(play->actionInterface()->actionNames(),
              QStringList{QAccessibleActionInterface::toggleAction()});
    fake.ClearCalls();
    play->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_EQ(Commands(), std::vector<std::string>{"mpv_command cycle pause"});
    {
        HeardValues heard;
        fake.SetFlag("pause", true);
        fake.QueueFlagChange("pause", true);
        Wakeup();
        EXPECT_FALSE(play->state().checked);
        EXPECT_EQ(play->text(QAccessible::Name), QStringLiteral("Play"));
        fake.QueueFlagChange("pause", true);  // told again, no change: nothing heard
        Wakeup();
        window->GetPlayer().Stop();
        EXPECT_EQ(heard.heard, QStringList{QStringLiteral("Play:off")});
        fake.SetFlag("pause", false);
        fake.QueueFlagChange("pause", false);
        Wakeup();
        EXPECT_EQ(heard.heard,
                  (QStringList{QStringLiteral("Play:off"), QStringLiteral("Play:on")}));
    }

    // The speed menu opens under the window, named after its button, its items named and the
    // current one checked and under the keyboard; pressing an item picks it, and the button
    // then carries the choice.
    Find(tree, QAccessible::Button, QStringLiteral("Speed"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QAccessibleInterface* menu = tree->child(tree->childCount() - 1);
    ASSERT_EQ(menu->role(), QAccessible::PopupMenu);
    EXPECT_EQ(tree->indexOfChild(menu), tree->childCount() - 1);
    EXPECT_EQ(menu->text(QAccessible::Name), QStringLiteral("Speed"));
    const QStringList items = Children(menu);
    EXPECT_EQ(items.size(), 10);
    EXPECT_EQ(items.front(), Entry(QAccessible::MenuItem, "0.25x"));
    QAccessibleInterface* item = Find(menu, QAccessible::MenuItem, QStringLiteral("1.5x"));
    QAccessibleInterface* normal = Find(menu, QAccessible::MenuItem, QStringLiteral("1x"));
    ASSERT_TRUE(item && normal);
    EXPECT_TRUE(normal->state().checked);
    EXPECT_TRUE(normal->state().focused);
    EXPECT_FALSE(item->state().focused);
    window->SpeedMenu()->SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(Find(menu, QAccessible::MenuItem, QStringLiteral("1.25x"))->state().focused);
    EXPECT_FALSE(normal->state().focused);
    fake.ClearCalls();
    item->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(Await([&] { return !fake.CallTexts().empty(); }));
    EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{"mpv_set_property speed double 1.5"});
    QAccessibleInterface* speed = Find(tree, QAccessible::Button, QStringLiteral("Speed"));
    EXPECT_EQ(speed->text(QAccessible::Description), QStringLiteral("1.5x"));

    // The subtitle menu is named after its button and opens on "Turn off", checked while no
    // subtitle shows.
    Find(tree, QAccessible::Button, QStringLiteral("Subtitle"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QAccessibleInterface* subtitles = tree->child(tree->childCount() - 1);
    ASSERT_EQ(subtitles->role(), QAccessible::PopupMenu);
    EXPECT_EQ(subtitles->text(QAccessible::Name), QStringLiteral("Subtitle"));
    ASSERT_GE(subtitles->childCount(), 1);
    EXPECT_EQ(subtitles->child(0)->text(QAccessible::Name), QStringLiteral("Turn off"));
    EXPECT_TRUE(subtitles->child(0)->state().checked);
    EXPECT_TRUE(subtitles->child(0)->state().focused);
    CMenuWnd::DestroyMenu();

    // The audio menu likewise; with no item checked (the engine plays no track), none is under
    // the keyboard.
    fake.SetString("track-list/0/type", "audio");
    fake.SetInt64("track-list/0/id", 1);
    fake.SetInt64("track-list/count", 1);
    Find(tree, QAccessible::Button, QStringLiteral("Audio track"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    QAccessibleInterface* audio = tree->child(tree->childCount() - 1);
    ASSERT_EQ(audio->role(), QAccessible::PopupMenu);
    EXPECT_EQ(audio->text(QAccessible::Name), QStringLiteral("Audio track"));
    ASSERT_EQ(audio->childCount(), 1);
    EXPECT_FALSE(audio->child(0)->state().checked);
    EXPECT_FALSE(audio->child(0)->state().focused);
    CMenuWnd::DestroyMenu();
}

TEST_F(AccessibleTreeTest, TheProgressSliderIsHeardWhenTheUserMovesItNotAsItPlays) {
    window->OpenMedia(MediaFile());
    fake.QueueDoubleChange("duration", 90.0);
    fake.QueueDoubleChange("time-pos", 45.0);
    Wakeup();
    HeardValues values;
    const auto key = [&](Qt::Key k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QCoreApplication::sendEvent(window->GetHWND()->windowHandle(), &press);
    };
    const auto at = [&](double seconds) {
        fake.QueueDoubleChange("time-pos", seconds);
        Wakeup();
    };

    // Playing, the slider moves without a word, focused or not: reaching it reads its value,
    // and the next is due only a long while later.
    at(46.0);
    window->GetPM().SetFocus(window->ProgressSlider());
    at(47.0);
    at(48.0);
    EXPECT_EQ(values.heard, QStringList{});

    // Paused (the play toggle heard going off), each arrow is heard at the place it moved to
    // (a hundredth of the length).
    fake.SetFlag("pause", true);
    fake.QueueFlagChange("pause", true);
    Wakeup();
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    key(Qt::Key_Left);
    EXPECT_EQ(values.heard,
              (QStringList{QStringLiteral("Play:off"), QStringLiteral("Progress=0:48 of 1:30"),
                           QStringLiteral("Progress=0:49 of 1:30"),
                           QStringLiteral("Progress=0:48 of 1:30")}));

    // A value set through the tree is the user's move too; the volume is heard however it
    // moves.
    values.heard.clear();
    Find(Tree(), QAccessible::Slider, QStringLiteral("Progress"))
        ->valueInterface()
        ->setCurrentValue(9.0);
    window->GetPlayer().SetVolume(40);
    EXPECT_EQ(values.heard, (QStringList{QStringLiteral("Progress=0:09 of 1:30"),
                                         QStringLiteral("Volume=40.0")}));
}

}  // namespace
