#include "link/portscanner.h"

#include "base/tonaqerror.h"
#include "link/portmap.h"

#include <QSerialPortInfo>

namespace tonaq {

PortScanner::PortScanner(const PortMap &ports)
    : m_ports(ports) {}

void PortScanner::setPortOpen(bool open) {
    if (!open) {
        m_port.close();
        m_listedWithoutOpening = false;
        return;
    }
    m_lastRefusal = Refusal::None;
    const std::optional<PortEntry> entry = m_ports.entry(m_portNumber);
    m_lastDevice = entry ? entry->location : QString();
    if (!entry) throw TonaqError(ErrorCode::InvalidPortNumber);
    if (isOpen()) throw TonaqError(ErrorCode::PortAlreadyOpen);
    if (entry->kind != PortKind::Device) {
        m_listedWithoutOpening = true;
        return;
    }
    m_port.setPortName(m_lastDevice);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (m_port.error() == QSerialPort::PermissionError)
            m_lastRefusal = classifyPermissionError(m_lastDevice);
        m_port.clearError();
        throw TonaqError(ErrorCode::PortUnavailable);
    }
}

QHash<QString, QString> portDescriptions() {
    QHash<QString, QString> descriptions;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        descriptions.insert(port.systemLocation(), port.description());
    return descriptions;
}

} // namespace tonaq
