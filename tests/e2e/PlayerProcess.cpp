#include "PlayerProcess.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <utility>

namespace e2e {

PlayerProcess::PlayerProcess(QString display, QString workDir)
    : workDir_(std::move(workDir)),
      home_(workDir_ + QStringLiteral("/home")),
      configHome_(workDir_ + QStringLiteral("/config")),
      env_(QProcessEnvironment::systemEnvironment()) {
    QDir().mkpath(home_);
    QDir().mkpath(configHome_);
    QFile::setPermissions(runtimeDir_.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    env_.insert(QStringLiteral("DISPLAY"), display);
    env_.insert(QStringLiteral("HOME"), home_);
    env_.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome_);
    env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    // The private X server needs no cookie, and the player must not find a desktop
    // session of the machine it runs on.
    for (const char* name : {"XAUTHORITY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                             "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
        env_.remove(QString::fromLatin1(name));
    }
    // No sound server unless a test starts one there; this also keeps libpulse from
    // spawning a daemon that would outlive the test.
    env_.insert(QStringLiteral("PULSE_SERVER"),
                QStringLiteral("unix:%1/pulse/native").arg(runtimeDir_.path()));
    // A fixed English UTF-8 locale; language tests override these.
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LC_NUMERIC"}) {
        env_.remove(QString::fromLatin1(name));
    }
    env_.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
}

PlayerProcess::~PlayerProcess() { kill(); }

QString PlayerProcess::executable() { return QStringLiteral(MOVIRA_PLAYER_EXE); }

bool PlayerProcess::start(const QStringList& arguments, QString* error) {
    process_.setProcessEnvironment(env_);
    process_.setWorkingDirectory(home_);
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    // Appended, so a test that starts the player several times keeps every run's output.
    process_.setStandardOutputFile(workDir_ + QStringLiteral("/player.log"), QIODevice::Append);
    if (launcher_.isEmpty()) {
        process_.start(executable(), arguments);
    } else {
        process_.start(launcher_.front(), launcher_.mid(1) + QStringList{executable()} + arguments);
    }
    if (!process_.waitForStarted(10000)) {
        *error = QStringLiteral("cannot start %1: %2").arg(executable(), process_.errorString());
        return false;
    }
    return true;
}

std::optional<ExitResult> PlayerProcess::waitForExit(std::chrono::milliseconds bound) {
    if (running() && !process_.waitForFinished(static_cast<int>(bound.count()))) {
        return std::nullopt;
    }
    return ExitResult{process_.exitStatus() == QProcess::CrashExit, process_.exitCode()};
}

bool PlayerProcess::sendSignal(int signal) {
    if (!running()) return false;
    return ::kill(static_cast<pid_t>(process_.processId()), signal) == 0;
}

void PlayerProcess::kill() {
    if (!running()) return;
    process_.kill();
    process_.waitForFinished(5000);
}

QString PlayerProcess::log() const {
    QFile file(workDir_ + QStringLiteral("/player.log"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace e2e
