#pragma once

#include "link/portmap.h"

#include <QTemporaryDir>
#include <memory>

namespace tonaq::sim {
class SimulatedUnit;
}

namespace tonaq::test {

// A COM-number map of the test's own: a temporary links folder (COM<n> links to the test's
// pseudo-terminals), an empty device folder and an empty adapter-name folder, so the
// machine's real ports never show; simulated units in the test's process are attached.
class TestPorts {
public:
    // Own: an empty device folder of the test's own. System: the system's own serial ports as
    // well (Windows), beside the test's links folder.
    enum class Devices { Own, System };
    explicit TestPorts(Devices devices = Devices::Own);
    // Makes COM<number> point at a device; true on success.
    bool link(int number, const QString &device);
    // Gives a simulated unit in this process the COM number.
    void attach(int number, sim::SimulatedUnit &unit);
    PortMap &map() { return *m_map; }
    QString folder() const { return m_links.path(); }
    QString deviceFolder() const { return m_devices.path(); }
    QString adapterFolder() const { return m_adapters.path(); }

private:
    QTemporaryDir m_links;
    QTemporaryDir m_devices;
    QTemporaryDir m_adapters;
    std::unique_ptr<PortMap> m_map;
};

// A file written whole (true on success), and a file's bytes ("unreadable" when it cannot be).
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace tonaq::test
