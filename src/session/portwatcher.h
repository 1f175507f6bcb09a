#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <memory>

namespace tonaq {

// Tells when serial units may have come or gone. Where udev runs, a device counts once udev
// has announced it (its permissions are set by then); elsewhere (containers, build machines)
// the device folder is watched for nodes that appear and go. On Windows the system's notices
// of COM ports that arrive and go reach the window given, as WM_DEVICECHANGE. The COM<n>
// entries and the folders their links point into are watched either way. A burst of changes
// is one change, told once things have settled.
class PortWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kSettle{100};

    // window: the native handle of the window that hears the system's device notices (Windows).
    explicit PortWatcher(quintptr window = 0, QObject *parent = nullptr);
    ~PortWatcher() override;

    // The folders to watch from now on; those that do not exist yet are watched through the
    // nearest folder above them that does.
    void watch(const QStringList &folders);
    // Tells of a change once things have settled, as if one had been seen now.
    void recheckLater();
    bool usesUdev() const { return m_udev != nullptr; }
    // A change has been seen and is not yet told.
    bool changePending() const { return m_settle.isActive(); }

signals:
    void changed();

private:
    class Udev;
    class DeviceNotices;

    QFileSystemWatcher m_files;
    QTimer m_settle;
    std::unique_ptr<Udev> m_udev;
    std::unique_ptr<DeviceNotices> m_deviceNotices;
};

} // namespace tonaq
