// A drag source for the drop tests: a small window that starts a real drag of the files
// named on its command line as soon as the left button goes down in it. The test moves
// the pointer with xdotool, so the drop travels over the X server's drag-and-drop
// protocol exactly as one from a file manager would.
//
//   e2e_drag_source X Y FILE...
//
// The window is placed at X,Y (there is no window manager to do it) and is captioned
// "e2e drag source". When the drag ends the program prints how it ended, "copied" or
// "ignored", and keeps running until it is ended: the target fetches the dropped data
// from the source only after the drop, so the source must still be there.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextStream>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <utility>

namespace {

class SourceWindow : public QWidget {
  public:
    explicit SourceWindow(QList<QUrl> urls) : urls_(std::move(urls)) {
        setWindowTitle(QStringLiteral("e2e drag source"));
        // A plain colour the screenshots can tell from the player's.
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0x30, 0x60, 0x90));
        setPalette(p);
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        auto* data = new QMimeData;
        data->setUrls(urls_);  // text/uri-list
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        // Runs the drag until the button is released; the pointer moves come from the test.
        const Qt::DropAction result = drag->exec(Qt::CopyAction);
        QTextStream(stdout) << (result != Qt::IgnoreAction ? "copied" : "ignored") << Qt::endl;
    }

  private:
    QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: e2e_drag_source X Y FILE...\n", stderr);
        return 2;
    }
    QList<QUrl> urls;
    for (int i = 3; i < argc; ++i) urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));

    SourceWindow window(urls);
    window.setGeometry(QString::fromLatin1(argv[1]).toInt(), QString::fromLatin1(argv[2]).toInt(),
                       160, 80);
    window.show();
    return app.exec();
}
