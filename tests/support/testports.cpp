#include "testports.h"

#include "sim/attach.h"

#include <QFile>

namespace tonaq::test {

TestPorts::TestPorts(Devices devices)
    : m_map(std::make_unique<PortMap>(
          PortMap::Folders{m_links.path(),
                           devices == Devices::System ? QString::fromLatin1(PortMap::kSystemPorts)
                                                      : m_devices.path(),
                           m_adapters.path()})) {}

void TestPorts::attach(int number, sim::SimulatedUnit &unit) {
    const QString name = QStringLiteral("unit%1").arg(number);
    m_map->detach(name);
    sim::attachSimulatedUnit(*m_map, unit, name, number);
}

bool TestPorts::link(int number, const QString &device) {
    // Replugging: a new device takes over the number of one that went away.
    const QString name = QStringLiteral("%1/COM%2").arg(m_links.path()).arg(number);
    QFile::remove(name);
    const bool made = QFile::link(device, name);
    m_map->refresh();
    return made;
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

} // namespace tonaq::test
