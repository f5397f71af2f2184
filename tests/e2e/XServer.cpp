#include "XServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace e2e {

namespace {

// Reads the display number Xvfb writes, followed by a newline, once it is ready. An empty
// result means the server closed the pipe (it failed) or the bound passed.
QString readDisplayNumber(int fd, std::chrono::milliseconds bound) {
    QByteArray text;
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!text.contains('\n')) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return {};
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return {};
        char buffer[32];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return {};
        text.append(buffer, n);
    }
    return QString::fromLatin1(text.left(text.indexOf('\n'))).trimmed();
}

}  // namespace

bool XServer::start(QString* error, std::chrono::milliseconds bound) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        *error = QStringLiteral("pipe2 failed");
        return false;
    }
    const int readEnd = fds[0];
    const int writeEnd = fds[1];

    // Only Xvfb may inherit the write end: it stays close-on-exec in this process (other
    // children must not keep the pipe open) and is made inheritable in the child alone.
    process_.setChildProcessModifier([writeEnd] { ::fcntl(writeEnd, F_SETFD, 0); });
    const bool started =
        launch(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QString::number(writeEnd), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(kWidth).arg(kHeight),
                QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")},
               QProcessEnvironment::systemEnvironment(), bound, error);
    ::close(writeEnd);
    const QString number = started ? readDisplayNumber(readEnd, bound) : QString();
    ::close(readEnd);

    if (number.isEmpty()) {
        if (started) *error = QStringLiteral("Xvfb did not report a display; see %1").arg(logFile_);
        stop();
        return false;
    }
    display_ = QLatin1Char(':') + number;
    return true;
}

}  // namespace e2e
