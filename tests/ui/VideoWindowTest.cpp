#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/FileName.h"
#include "toolkit/DropFiles.h"
#include "toolkit/MessagePayload.h"
#include "toolkit/WindowWnd.h"
#include "ui/MpvVideoWnd.h"
#include "ui/PlayerMessages.h"

namespace {

// A parent window that records what reaches it and answers hit tests as told.
class RecordingWindow : public CWindowWnd {
  public:
    QString GetWindowClassName() const override { return QStringLiteral("RecordingWindow"); }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_NCHITTEST) return hitTestAnswer;
        if (msg >= WM_USER) {
            messages.push_back(msg);
            if (const QStringList* paths = PayloadValue<QStringList>(wParam))
                drops.push_back(*paths);
        }
        if (msg == WM_LBUTTONDOWN) ++pressesSeen;
        return CWindowWnd::HandleMessage(msg, wParam, lParam);
    }
    LRESULT hitTestAnswer = HTCLIENT;
    std::vector<UINT> messages;
    std::vector<QStringList> drops;  // the paths each drop posted
    int pressesSeen = 0;
};

class VideoWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(
            parent.Create(nullptr, QStringLiteral("parent"), WS_VISIBLE, 0, 0, 0, 400, 300));
        parent.ShowWindow();
        ASSERT_TRUE(video.Create(parent, QRect(0, 30, 400, 210)));
        video.DragAcceptFiles(true);
    }
    void Mouse(QEvent::Type type, QPoint local) {
        QWidget* w = video.GetHWND();
        QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
    }
    RecordingWindow parent;
    MpvVideoWnd video;
};

}  // namespace

TEST_F(VideoWindow, ClickAndDoubleClickPostTheirMessagesInWindowsOrder) {
    Mouse(QEvent::MouseButtonPress, {50, 50});
    Mouse(QEvent::MouseButtonRelease, {50, 50});
    Mouse(QEvent::MouseButtonDblClick, {50, 50});
    Mouse(QEvent::MouseButtonRelease, {50, 50});
    QCoreApplication::processEvents();
    EXPECT_EQ(parent.messages,
              (std::vector<UINT>{WM_VIDEO_CLICK, WM_VIDEO_DBLCLK, WM_VIDEO_CLICK}));
}

TEST_F(VideoWindow, HitTestFollowsTheParentAndForwardsTheMouseWhereItIsNotClient) {
    EXPECT_EQ(video.WindowProc(WM_NCHITTEST, 0, 0), HTCLIENT);
    parent.hitTestAnswer = HTCAPTION;
    EXPECT_EQ(video.WindowProc(WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    parent.hitTestAnswer = HTLEFT;
    EXPECT_EQ(video.WindowProc(WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    // Over a caption or border the press belongs to the parent, and no click is posted.
    parent.hitTestAnswer = HTCAPTION;
    Mouse(QEvent::MouseButtonPress, {5, 5});
    Mouse(QEvent::MouseButtonRelease, {5, 5});
    QCoreApplication::processEvents();
    EXPECT_TRUE(parent.messages.empty());
    EXPECT_EQ(video.WindowProc(WM_SETCURSOR, 0, 0), 1);
}

// One message a drop, with every file in the order dropped, each path whole however long;
// the parent sorts them out.
TEST_F(VideoWindow, DropPostsEveryFileInOrderWithItsWholePath) {
    const QString longPath =
        QStringLiteral("/tmp/") + QString(300, u'x') + QStringLiteral("/视频 1.mkv");
    const QStringList files{QStringLiteral("/tmp/b.mp4"), longPath,
                            QStringLiteral("/tmp/a.en.srt")};
    DropFiles drop{files};
    EXPECT_EQ(video.WindowProc(WM_DROPFILES, reinterpret_cast<WPARAM>(&drop), 0), 0);
    DropFiles empty;
    video.WindowProc(WM_DROPFILES, reinterpret_cast<WPARAM>(&empty), 0);
    DropFiles single{{QStringLiteral("/tmp/c.mkv")}};
    video.WindowProc(WM_DROPFILES, reinterpret_cast<WPARAM>(&single), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(parent.messages, (std::vector<UINT>{WM_VIDEO_DROPFILE, WM_VIDEO_DROPFILE}))
        << "an empty drop posts nothing";
    EXPECT_EQ(parent.drops,
              (std::vector<QStringList>{files, QStringList{QStringLiteral("/tmp/c.mkv")}}));
}

// A drop's URI list is read as bytes: a name that is not UTF-8 keeps its bytes, and what
// names no local file is left out (on Windows a network share is a local name).
TEST(DropFilesTest, LocalFilesAreTheFileUrisOfTheListInOrder) {
#ifdef _WIN32
    const QByteArray list =
        "# from a file manager\r\n"
        "file:///C:/tmp/caf%C3%A9%20x.mp4\r\n"
        "https://host/a.mp4\r\n"
        "file://nas/share/b.mp4\r\n"
        "file://localhost/D:/%E8%A7%86.mkv\r\n";
    const QStringList expected{QStringLiteral(u"C:\\tmp\\café x.mp4"),
                               QStringLiteral("\\\\nas\\share\\b.mp4"),
                               QStringLiteral(u"D:\\视.mkv")};
    const QString fromUrl = QStringLiteral(u"C:/m/a #1 视.mp4");
    const QString fromUrlName = QStringLiteral(u"C:\\m\\a #1 视.mp4");
    const QByteArray unterminatedUri = "file:///C:/m/x.mp4";
    const QString unterminatedName = QStringLiteral("C:\\m\\x.mp4");
#else
    const QByteArray list =
        "# from a file manager\r\n"
        "file:///tmp/caf%E9%20x.mp4\r\n"
        "https://host/a.mp4\r\n"
        "file://nas/share/b.mp4\r\n"
        "file://localhost/tmp/%E8%A7%86.mkv\r\n";
    const QStringList expected{platform::DecodeFileName("/tmp/caf\xE9 x.mp4"),
                               QStringLiteral(u"/tmp/视.mkv")};
    const QString fromUrl = QStringLiteral(u"/m/a #1 视.mp4");
    const QString fromUrlName = fromUrl;
    const QByteArray unterminatedUri = "file:///m/x.mp4";
    const QString unterminatedName = QStringLiteral("/m/x.mp4");
#endif
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), list);
    EXPECT_EQ(LocalFilesOf(&data), expected);

    // A list built from QUrls, as Qt's own drag sources make it; a final line without CRLF.
    QMimeData urls;
    urls.setUrls({QUrl::fromLocalFile(fromUrl)});
    EXPECT_EQ(LocalFilesOf(&urls), QStringList{fromUrlName});
    QMimeData unterminated;
    unterminated.setData(QStringLiteral("text/uri-list"), unterminatedUri);
    EXPECT_EQ(LocalFilesOf(&unterminated), QStringList{unterminatedName});

    EXPECT_TRUE(LocalFilesOf(nullptr).isEmpty());
    QMimeData text;
    text.setText(QStringLiteral("file:///tmp/a.mp4"));
    EXPECT_TRUE(LocalFilesOf(&text).isEmpty()) << "plain text is no file list";
}

TEST_F(VideoWindow, PostedDataIsFreedWhenTheReceiverIsGone) {
    auto data = std::make_shared<int>(7);
    {
        RecordingWindow shortLived;
        ASSERT_TRUE(
            shortLived.Create(nullptr, QStringLiteral("gone"), WS_VISIBLE, 0, 0, 0, 100, 100));
        EXPECT_TRUE(shortLived.PostMessage(WM_VIDEO_DROPFILE, MakePayload(data)));
        EXPECT_EQ(data.use_count(), 2) << "the queued message holds the data";
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(data.use_count(), 1) << "the undelivered message freed it";
}
