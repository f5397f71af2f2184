// Stands in for the desktop's idle-inhibition service on a test's session bus and writes
// down, one line each on standard output, what happens to inhibitions:
//   ready
//   inhibit <pid> <id>     an inhibition taken by the process <pid>
//   release <pid> <id>     given back by its holder
//   vanished <pid> <id>    its holder left the bus still holding it
// By default it is org.freedesktop.ScreenSaver; with --portal, the XDG desktop portal's
// Inhibit interface, whose inhibitions are request objects that their holders close.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QMap>
#include <QVariantMap>
#include <cstdio>
#include <memory>

namespace {

void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The inhibitions held, by id, with their holders' bus names; a holder that leaves the
// bus loses them all, as with the real services.
class Ledger : public QObject {
  public:
    Ledger()
        : watcher_(QString(), QDBusConnection::sessionBus(),
                   QDBusServiceWatcher::WatchForUnregistration) {
        connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &Ledger::left);
    }
    uint take(const QString& holder) {
        const uint id = ++last_;
        held_.insert(id, {holder, pidOf(holder)});
        watcher_.addWatchedService(holder);
        Say(QStringLiteral("inhibit %1 %2").arg(held_[id].pid).arg(id));
        return id;
    }
    void give(uint id, const QString& holder) {
        const auto it = held_.find(id);
        if (it == held_.end() || it->name != holder) return;
        Say(QStringLiteral("release %1 %2").arg(it->pid).arg(id));
        held_.erase(it);
    }

  private:
    struct Holder {
        QString name;
        uint pid;
    };
    static uint pidOf(const QString& name) {
        return QDBusConnection::sessionBus().interface()->servicePid(name).value();
    }
    void left(const QString& name) {
        for (auto it = held_.begin(); it != held_.end();) {
            if (it->name == name) {
                Say(QStringLiteral("vanished %1 %2").arg(it->pid).arg(it.key()));
                it = held_.erase(it);
            } else {
                ++it;
            }
        }
    }

    QDBusServiceWatcher watcher_;
    QMap<uint, Holder> held_;
    uint last_ = 0;
};

class ScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
  public:
    explicit ScreenSaver(Ledger& ledger) : ledger_(ledger) {}
  public Q_SLOTS:
    uint Inhibit(const QString&, const QString&) { return ledger_.take(message().service()); }
    void UnInhibit(uint cookie) { ledger_.give(cookie, message().service()); }

  private:
    Ledger& ledger_;
};

// One portal request: the inhibition it stands for ends when its holder closes it.
class Request : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Request")
  public:
    Request(Ledger& ledger, uint id) : ledger_(ledger), id_(id) {}
  public Q_SLOTS:
    void Close() { ledger_.give(id_, message().service()); }

  private:
    Ledger& ledger_;
    uint id_;
};

class Portal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Inhibit")
  public:
    explicit Portal(Ledger& ledger) : ledger_(ledger) {}
  public Q_SLOTS:
    QDBusObjectPath Inhibit(const QString&, uint flags, const QVariantMap&) {
        // Only an idle inhibition is what a playing video needs.
        if (flags != 8) Say(QStringLiteral("unexpected flags %1").arg(flags));
        const uint id = ledger_.take(message().service());
        const QString path = QStringLiteral("/org/freedesktop/portal/desktop/request/%1").arg(id);
        auto* request = new Request(ledger_, id);
        request->setParent(this);
        QDBusConnection::sessionBus().registerObject(path, request,
                                                     QDBusConnection::ExportAllSlots);
        return QDBusObjectPath(path);
    }

  private:
    Ledger& ledger_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool portal = app.arguments().contains(QStringLiteral("--portal"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    Ledger ledger;
    std::unique_ptr<QObject> service;
    QString name;
    QString path;
    if (portal) {
        service = std::make_unique<Portal>(ledger);
        name = QStringLiteral("org.freedesktop.portal.Desktop");
        path = QStringLiteral("/org/freedesktop/portal/desktop");
    } else {
        service = std::make_unique<ScreenSaver>(ledger);
        name = QStringLiteral("org.freedesktop.ScreenSaver");
        path = QStringLiteral("/org/freedesktop/ScreenSaver");
    }
    if (!bus.registerObject(path, service.get(), QDBusConnection::ExportAllSlots) ||
        !bus.registerService(name)) {
        Say(QStringLiteral("cannot serve %1: %2").arg(name, bus.lastError().message()));
        return 1;
    }
    Say(QStringLiteral("ready"));
    return app.exec();
}

#include "IdleStandIn.moc"
