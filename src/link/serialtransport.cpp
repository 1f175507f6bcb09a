#include "link/serialtransport.h"

#include "base/tonaqerror.h"
#include "link/replyshape.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace tonaq {

SerialTransport::SerialTransport(const QString &devicePath, QObject *parent)
    : Transport(parent)
    , m_devicePath(devicePath)
    , m_port(this) {
    m_port.setPortName(devicePath);
    // Past this the port stops reading and the system's own buffer fills: a device that never
    // stops sending is held back instead of filling memory.
    m_port.setReadBufferSize(kLongestReply);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::onPortError);
}

void SerialTransport::open(const LineSettings &settings, std::chrono::milliseconds) {
    m_port.setBaudRate(settings.baudRate);
    m_port.setParity(settings.parity);
    m_port.setDataBits(settings.dataBits);
    m_port.setStopBits(settings.stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString reason = m_port.errorString();
        m_port.clearError();
        throw TonaqError(ErrorCode::PortUnavailable,
                         QStringLiteral("Could not open %1: %2").arg(m_devicePath, reason));
    }
    m_lost = false;
    m_port.clear(); // what arrived before we listened belongs to nobody
}

void SerialTransport::close() {
    if (m_port.isOpen()) m_port.close();
    m_port.clearError();
}

void SerialTransport::discardInput() {
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
}

// Whether the device under the open port is gone: its node removed, or the line hung up.
bool SerialTransport::deviceGone() {
    if (!QFileInfo::exists(m_devicePath)) return true;
#ifdef Q_OS_UNIX
    pollfd line{static_cast<int>(m_port.handle()), POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    return true;
#endif
}

void SerialTransport::onPortError(QSerialPort::SerialPortError error) {
    // A device going away under an open port (a pulled adapter, a closed pseudo-terminal)
    // shows as a resource error or as reads that fail again at every turn of the event loop.
    // A read that merely found nothing (the port reads a raw line that returns at once) is a
    // read error too, so the device is asked before the unit is given up. Gone: say so once,
    // and close the port once control is back in the event loop, outside the port's own
    // notification; that ends the repeats.
    const bool deviceError = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!deviceError || m_lost || !m_port.isOpen()) return;
    if (!deviceGone()) {
        m_port.clearError();
        return;
    }
    m_lost = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_lost && m_port.isOpen()) m_port.close();
        },
        Qt::QueuedConnection);
    emit lost(QString()); // the port's own words for it name some ioctl, not the unit
}

} // namespace tonaq
