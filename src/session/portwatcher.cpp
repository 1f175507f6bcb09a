#include "session/portwatcher.h"

#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#ifdef TONAQ_HAVE_LIBUDEV
#include <libudev.h>
#endif
#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

// The system's headers want windows.h first.
#include <windows.h>

#include <dbt.h>
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

#ifdef Q_OS_WIN
// The system's notices of serial ports that arrive and go. They are sent to a window, so they
// are registered for the program's window and picked out of its messages by a native event
// filter; the window's own handling of them goes on.
class PortWatcher::DeviceNotices : public QAbstractNativeEventFilter {
public:
    static std::unique_ptr<DeviceNotices> start(PortWatcher &watcher, quintptr window) {
        if (!window) return nullptr;
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof(filter);
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = kComPortInterface;
        const HDEVNOTIFY registration = RegisterDeviceNotificationW(
            reinterpret_cast<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
        if (!registration) return nullptr;
        return std::unique_ptr<DeviceNotices>(
            new DeviceNotices(watcher, reinterpret_cast<HWND>(window), registration));
    }
    ~DeviceNotices() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        UnregisterDeviceNotification(m_registration);
    }

    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override {
        const MSG &msg = *static_cast<const MSG *>(message);
        if (msg.hwnd != m_window || msg.message != WM_DEVICECHANGE || !msg.lParam) return false;
        if (msg.wParam != DBT_DEVICEARRIVAL && msg.wParam != DBT_DEVICEREMOVECOMPLETE) return false;
        const auto &header = *reinterpret_cast<const DEV_BROADCAST_HDR *>(msg.lParam);
        // A serial port's own interface, or the older notice that names a port (COM7).
        const bool serialPort =
            header.dbch_devicetype == DBT_DEVTYP_PORT ||
            (header.dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
             IsEqualGUID(
                 reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W &>(header).dbcc_classguid,
                 kComPortInterface));
        if (serialPort) m_watcher.recheckLater();
        return false;
    }

private:
    // GUID_DEVINTERFACE_COMPORT, the interface every serial port's driver offers.
    static constexpr GUID kComPortInterface = {
        0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

    DeviceNotices(PortWatcher &watcher, HWND window, HDEVNOTIFY registration)
        : m_watcher(watcher)
        , m_window(window)
        , m_registration(registration) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    PortWatcher &m_watcher;
    HWND m_window;
    HDEVNOTIFY m_registration;
};
#else
class PortWatcher::DeviceNotices {
public:
    static std::unique_ptr<DeviceNotices> start(PortWatcher &, quintptr) { return nullptr; }
};
#endif

PortWatcher::PortWatcher(quintptr window, QObject *parent)
    : QObject(parent)
    , m_udev(Udev::start(*this))
    , m_deviceNotices(DeviceNotices::start(*this, window)) {
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
