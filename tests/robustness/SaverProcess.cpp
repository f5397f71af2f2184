#include "SaverProcess.h"

#include "ReadLine.h"

SaverProcess::~SaverProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

QString SaverProcess::executable() { return QStringLiteral(SETTINGS_SAVER_EXE); }

bool SaverProcess::start(const QStringList& arguments, QString* error) {
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(executable(), arguments);
    if (!process_.waitForStarted(10000)) {
        *error = QStringLiteral("cannot start %1: %2").arg(executable(), process_.errorString());
        return false;
    }
    return true;
}

std::optional<QString> SaverProcess::readLine(std::chrono::milliseconds bound) {
    return ReadLine(process_, bound);
}

bool SaverProcess::lineReady() {
    // A zero wait only moves what the pipe holds into the process's buffer.
    if (!process_.canReadLine()) process_.waitForReadyRead(0);
    return process_.canReadLine();
}

void SaverProcess::write(const QByteArray& bytes) {
    process_.write(bytes);
    process_.waitForBytesWritten(5000);
}

void SaverProcess::killNow() {
    // SIGKILL on Unix: the process gets no chance to clean up.
    process_.kill();
}

bool SaverProcess::waitForEnd(std::chrono::milliseconds bound) {
    return process_.state() == QProcess::NotRunning ||
           process_.waitForFinished(static_cast<int>(bound.count()));
}

QString SaverProcess::errors() { return QString::fromUtf8(process_.readAllStandardError()); }
