#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <vector>

namespace e2e {

using WindowId = unsigned long;

// xdotool on one display: finding windows, reading their geometry and sending real input
// through the XTEST extension, as a user's mouse and keyboard would.
class Xdo {
  public:
    explicit Xdo(QString display);

    // Visible windows whose name matches `nameRegex` (extended regex, as xdotool takes
    // it), waiting until there is at least one or `bound` has passed.
    std::vector<WindowId> waitForWindows(const QString& nameRegex, std::chrono::milliseconds bound);
    // Visible windows whose name matches `nameRegex` now, possibly none.
    std::vector<WindowId> visibleWindows(const QString& nameRegex);

    // Position on the screen and size.
    std::optional<QRect> geometry(WindowId window);
    // The window's caption as the X server holds it (UTF-8 names included).
    std::optional<QString> windowName(WindowId window);

    std::optional<QPoint> pointer();
    bool mouseMove(QPoint screenPos);
    bool mouseDown(int button = 1);
    bool mouseUp(int button = 1);
    bool click(int button = 1);
    // Two clicks close enough together to count as a double click.
    bool doubleClick(int button = 1);
    // Gives `window` the keyboard focus (works without a window manager too).
    bool focus(WindowId window);
    // Asks the window manager to activate `window`, as a task bar does: it raises and
    // focuses it. Needs a window manager.
    bool activate(WindowId window);
    // A key by its X keysym name, e.g. "Return", "space", "F11".
    bool key(const QString& keysym);
    // Types `text` key by key into the window that has the focus.
    bool type(const QString& text);

    // Whatever the last failed call printed, for failure messages.
    QString lastError() const { return lastError_; }

  private:
    bool run(const QStringList& arguments, std::chrono::milliseconds bound,
             QByteArray* output = nullptr);
    std::vector<WindowId> search(const QStringList& options, const QString& nameRegex,
                                 std::chrono::milliseconds bound);

    QString display_;
    QString lastError_;
};

}  // namespace e2e
