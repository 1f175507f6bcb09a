#include "session/portwatcher.h"

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#ifdef TONAQ_HAVE_LIBUDEV
#include <libudev.h>
#endif

namespace tonaq {

namespace {

// The system's device folders, which udev reports on where it runs.
bool leftToUdev(const QString &folder) {
    return folder == QLatin1String("/dev") || folder == QLatin1String("/dev/serial/by-id");
}

QString nearestExisting(QString folder) {
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder) return {};
        folder = parent;
    }
    return folder;
}

} // namespace

#ifdef TONAQ_HAVE_LIBUDEV
// udev's announcements of serial devices added and removed.
class PortWatcher::Udev {
public:
    static std::unique_ptr<Udev> start(PortWatcher &watcher) {
        if (!QFileInfo::exists(QStringLiteral("/run/udev/control"))) return nullptr;
        udev *context = udev_new();
        if (!context) return nullptr;
        udev_monitor *monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) ||
            udev_monitor_enable_receiving(monitor)) {
            if (monitor) udev_monitor_unref(monitor);
            udev_unref(context);
            return nullptr;
        }
        return std::unique_ptr<Udev>(new Udev(watcher, context, monitor));
    }
    ~Udev() {
        udev_monitor_unref(m_monitor);
        udev_unref(m_context);
    }

private:
    Udev(PortWatcher &watcher, udev *context, udev_monitor *monitor)
        : m_context(context)
        , m_monitor(monitor)
        , m_notifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read) {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, &watcher, [this, &watcher] {
            while (udev_device *device = udev_monitor_receive_device(m_monitor))
                udev_device_unref(device);
            watcher.recheckLater();
        });
    }

    udev *m_context;
    udev_monitor *m_monitor;
    QSocketNotifier m_notifier;
};
#else
class PortWatcher::Udev {
public:
    static std::unique_ptr<Udev> start(PortWatcher &) { return nullptr; }
};
#endif

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent)
    , m_udev(Udev::start(*this)) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettle);
    connect(&m_settle, &QTimer::timeout, this, &PortWatcher::changed);
    connect(&m_files, &QFileSystemWatcher::directoryChanged, this, &PortWatcher::recheckLater);
}

PortWatcher::~PortWatcher() = default;

void PortWatcher::watch(const QStringList &folders) {
    QStringList wanted;
    for (const QString &folder : folders) {
        if (m_udev && leftToUdev(folder)) continue;
        const QString existing = nearestExisting(QDir::cleanPath(folder));
        if (!existing.isEmpty() && !wanted.contains(existing)) wanted.append(existing);
    }
    const QStringList watched = m_files.directories();
    for (const QString &folder : watched) {
        if (!wanted.contains(folder)) m_files.removePath(folder);
    }
    for (const QString &folder : std::as_const(wanted)) {
        if (!watched.contains(folder)) m_files.addPath(folder);
    }
}

void PortWatcher::recheckLater() {
    m_settle.start();
}

} // namespace tonaq
