#include "link/portscanner.h"

#include "base/tonaqerror.h"
#include "link/portmap.h"

#include <QSerialPortInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tonaq {

PortScanner::PortScanner(const PortMap &ports)
    : m_ports(ports) {}

PortScanner::~PortScanner() {
    closeDevice();
}

void PortScanner::setPortOpen(bool open) {
    if (!open) {
        closeDevice();
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
    openDevice();
}

#ifdef Q_OS_WIN
// The port's handle alone, as the system's own serial control probes: no settings, no reads
// started. Windows lets one program at a time have a port, so a refusal of access is a hold.
void PortScanner::openDevice() {
    const std::wstring path = (QStringLiteral("\\\\.\\") + m_lastDevice).toStdWString();
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_ACCESS_DENIED) m_lastRefusal = Refusal::InUse;
        throw TonaqError(ErrorCode::PortUnavailable);
    }
    m_handle = handle;
}

void PortScanner::closeDevice() {
    if (m_handle) CloseHandle(m_handle);
    m_handle = nullptr;
}

bool PortScanner::deviceOpen() const {
    return m_handle != nullptr;
}
#else
void PortScanner::openDevice() {
    m_port.setPortName(m_lastDevice);
    if (!m_port.open(QIODevice::ReadWrite)) {
        if (m_port.error() == QSerialPort::PermissionError)
            m_lastRefusal = classifyPermissionError(m_lastDevice);
        m_port.clearError();
        throw TonaqError(ErrorCode::PortUnavailable);
    }
}

void PortScanner::closeDevice() {
    m_port.close();
}

bool PortScanner::deviceOpen() const {
    return m_port.isOpen();
}
#endif

QHash<QString, QString> portDescriptions() {
    QHash<QString, QString> descriptions;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        descriptions.insert(port.systemLocation(), port.description());
    return descriptions;
}

} // namespace tonaq
