#include "SoundServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace e2e {

SoundServer::SoundServer(QString runtimeDir, QString home, QString logFile)
    : HelperProcess(std::move(logFile)),
      runtimeDir_(std::move(runtimeDir)),
      home_(std::move(home)) {}

namespace {

// True once something listens on the Unix socket at `path`. The socket file alone is not
// enough: it exists a moment before the server accepts.
bool accepts(const QString& path) {
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un address{};
    if (name.size() >= static_cast<int>(sizeof address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

}  // namespace

bool SoundServer::start(QString* error, std::chrono::milliseconds bound) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home_);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_);
    // Nothing of the machine's own session: no X11 bell or D-Bus registration.
    for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER"}) {
        env.remove(QString::fromLatin1(name));
    }
    // Kept in the foreground as this process's child, so that stop() ends exactly it.
    // As root it warns that it should not run as root, and runs.
    if (!launch(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
             QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-target=stderr"),
             QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=null"),
             QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix auth-anonymous=1")},
            env, bound, error)) {
        return false;
    }
    const QString socket = runtimeDir_ + QStringLiteral("/pulse/native");
    return awaitReady([&] { return accepts(socket); }, bound,
                      QStringLiteral("did not listen on %1").arg(socket), error);
}

}  // namespace e2e
