#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

// One settings_saver process, its standard output read line by line. Every wait is bounded:
// the bound only stops a test that would otherwise hang, it is never what is checked.
class SaverProcess {
  public:
    SaverProcess() = default;
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    // Starts settings_saver with `arguments`; false with `error` set when it did not start.
    bool start(const QStringList& arguments, QString* error);

    // The next line the saver printed, without its line end, waiting up to `bound`;
    // nothing when none came (the saver ended or is still busy).
    std::optional<QString> readLine(std::chrono::milliseconds bound);
    // Whether a whole line is waiting to be read, without waiting for one.
    bool lineReady();
    void write(const QByteArray& bytes);

    // Ends the saver at once, with no chance to finish what it is doing.
    void killNow();
    // Waits until the saver has ended; false when it still runs after `bound`.
    bool waitForEnd(std::chrono::milliseconds bound);
    // After the end: whether a signal ended it, and its exit code otherwise.
    bool killedBySignal() const { return process_.exitStatus() == QProcess::CrashExit; }
    int exitCode() const { return process_.exitCode(); }
    // What it printed on standard error, for failure messages.
    QString errors();

    static QString executable();

  private:
    QProcess process_;
};
