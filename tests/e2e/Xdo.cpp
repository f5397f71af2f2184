#include "Xdo.h"

#include <QHash>
#include <QProcess>
#include <utility>

namespace e2e {

using namespace std::chrono_literals;

namespace {
// Bound for a command that returns at once when things work.
constexpr auto kCommandBound = 10s;
}  // namespace

Xdo::Xdo(QString display) : display_(std::move(display)) {}

bool Xdo::run(const QStringList& arguments, std::chrono::milliseconds bound, QByteArray* output) {
    QProcess xdotool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.remove(QStringLiteral("XAUTHORITY"));
    xdotool.setProcessEnvironment(env);
    xdotool.start(QStringLiteral("xdotool"), arguments);
    if (!xdotool.waitForFinished(static_cast<int>(bound.count()))) {
        lastError_ = QStringLiteral("xdotool %1: no answer within %2 ms")
                         .arg(arguments.join(QLatin1Char(' ')))
                         .arg(bound.count());
        xdotool.kill();
        xdotool.waitForFinished();
        return false;
    }
    if (output != nullptr) *output = xdotool.readAllStandardOutput();
    if (xdotool.exitStatus() != QProcess::NormalExit || xdotool.exitCode() != 0) {
        lastError_ = QStringLiteral("xdotool %1: %2")
                         .arg(arguments.join(QLatin1Char(' ')),
                              QString::fromLocal8Bit(xdotool.readAllStandardError()));
        return false;
    }
    return true;
}

std::vector<WindowId> Xdo::search(const QStringList& options, const QString& nameRegex,
                                  std::chrono::milliseconds bound) {
    QByteArray output;
    // A search that finds nothing exits with 1; that is an empty result, not an error.
    run(QStringList{QStringLiteral("search")} + options +
            QStringList{QStringLiteral("--onlyvisible"), QStringLiteral("--name"), nameRegex},
        bound, &output);
    std::vector<WindowId> windows;
    for (const QByteArray& line : output.split('\n')) {
        bool ok = false;
        const WindowId id = line.trimmed().toULong(&ok);
        if (ok) windows.push_back(id);
    }
    return windows;
}

std::vector<WindowId> Xdo::waitForWindows(const QString& nameRegex,
                                          std::chrono::milliseconds bound) {
    // xdotool walks the window tree and gives up with BadWindow when a window goes away
    // under it, as a dialog that is closing does: that is no answer, so it searches again.
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left <= 0ms) return {};
        lastError_.clear();
        auto windows = search({QStringLiteral("--sync")}, nameRegex, left);
        if (!windows.empty() || !lastError_.contains(QLatin1String("BadWindow"))) return windows;
    }
}

std::vector<WindowId> Xdo::visibleWindows(const QString& nameRegex) {
    return search({}, nameRegex, kCommandBound);
}

std::optional<QRect> Xdo::geometry(WindowId window) {
    QByteArray output;
    if (!run({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"),
              QString::number(window)},
             kCommandBound, &output)) {
        return std::nullopt;
    }
    // Lines of NAME=value: WINDOW, X, Y, WIDTH, HEIGHT, SCREEN.
    QHash<QByteArray, int> values;
    for (const QByteArray& line : output.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0) values.insert(line.left(eq), line.mid(eq + 1).trimmed().toInt());
    }
    const int found =
        values.count("X") + values.count("Y") + values.count("WIDTH") + values.count("HEIGHT");
    if (found != 4) {
        lastError_ =
            QStringLiteral("unexpected geometry output: %1").arg(QString::fromUtf8(output));
        return std::nullopt;
    }
    return QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
}

std::optional<QString> Xdo::windowName(WindowId window) {
    QByteArray output;
    if (!run({QStringLiteral("getwindowname"), QString::number(window)}, kCommandBound, &output)) {
        return std::nullopt;
    }
    if (output.endsWith('\n')) output.chop(1);
    return QString::fromUtf8(output);
}

std::optional<QPoint> Xdo::pointer() {
    QByteArray output;
    if (!run({QStringLiteral("getmouselocation"), QStringLiteral("--shell")}, kCommandBound,
             &output)) {
        return std::nullopt;
    }
    QPoint pos;
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("X=")) pos.setX(line.mid(2).toInt());
        if (line.startsWith("Y=")) pos.setY(line.mid(2).toInt());
    }
    return pos;
}

bool Xdo::mouseMove(QPoint screenPos) {
    // --sync waits for the pointer to arrive, so the next press lands at this spot; it
    // would wait for ever if the pointer were there already.
    if (pointer() == screenPos) return true;
    return run({QStringLiteral("mousemove"), QStringLiteral("--sync"),
                QString::number(screenPos.x()), QString::number(screenPos.y())},
               kCommandBound);
}

bool Xdo::mouseDown(int button) {
    return run({QStringLiteral("mousedown"), QString::number(button)}, kCommandBound);
}

bool Xdo::mouseUp(int button) {
    return run({QStringLiteral("mouseup"), QString::number(button)}, kCommandBound);
}

bool Xdo::click(int button) {
    return run({QStringLiteral("click"), QString::number(button)}, kCommandBound);
}

bool Xdo::doubleClick(int button) {
    // 80 ms apart: well inside any double-click interval, yet two separate presses.
    return run({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
                QStringLiteral("--delay"), QStringLiteral("80"), QString::number(button)},
               kCommandBound);
}

bool Xdo::focus(WindowId window) {
    return run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)},
               kCommandBound);
}

bool Xdo::activate(WindowId window) {
    return run(
        {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)},
        kCommandBound);
}

bool Xdo::key(const QString& keysym) { return run({QStringLiteral("key"), keysym}, kCommandBound); }

bool Xdo::type(const QString& text) {
    // At xdotool's usual 12 ms a key, a path takes about a second.
    return run({QStringLiteral("type"), QStringLiteral("--"), text}, kCommandBound);
}

}  // namespace e2e
