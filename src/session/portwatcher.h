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
// the device folder is watched for nodes that appear and go. The COM<n> entries and the
// folders their links point into are watched either way. A burst of changes is one change,
// told once things have settled.
class PortWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kSettle{100};

    explicit PortWatcher(QObject *parent = nullptr);
    ~PortWatcher() override;

    // The folders to watch from now on; those that do not exist yet are watched through the
    // nearest folder above them that does.
    void watch(const QStringList &folders);
    // Tells of a change once things have settled, as if one had been seen now.
    void recheckLater();
    bool usesUdev() const { return m_udev != nullptr; }

signals:
    void changed();

private:
    class Udev;

    QFileSystemWatcher m_files;
    QTimer m_settle;
    std::unique_ptr<Udev> m_udev;
};

} // namespace tonaq
