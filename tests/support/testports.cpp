#include "testports.h"

#include <QFile>

namespace tonaq::test {

TestPorts::TestPorts()
    : m_map(std::make_unique<PortMap>(m_links.path(), m_devices.path())) {}

bool TestPorts::link(int number, const QString &device) {
    // Replugging: a new device takes over the number of one that went away.
    const QString name = QStringLiteral("%1/COM%2").arg(m_links.path()).arg(number);
    QFile::remove(name);
    const bool made = QFile::link(device, name);
    m_map->refresh();
    return made;
}

bool TestPorts::unlink(int number) {
    const bool removed = QFile::remove(QStringLiteral("%1/COM%2").arg(m_links.path()).arg(number));
    m_map->refresh();
    return removed;
}

} // namespace tonaq::test
