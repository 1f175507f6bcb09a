#include "link/devicelink.h"

#include "base/tonaqerror.h"
#include "link/portmap.h"
#include "link/replyshape.h"
#include "link/wiretrace.h"

#include <QEventLoop>
#include <QTimer>

namespace tonaq {

namespace {
// How long a write may take to leave: a whole command at 9600 baud needs a few milliseconds.
constexpr int kWriteTimeoutMs = 2000;
} // namespace

DeviceLink::DeviceLink(const PortMap &ports, QObject *parent)
    : QObject(parent)
    , m_ports(ports) {
    connect(&m_port, &QSerialPort::errorOccurred, this, &DeviceLink::onPortError);
    connect(&m_port, &QSerialPort::readyRead, this, &DeviceLink::traceArrivals);
}

DeviceLink::~DeviceLink() = default;

void DeviceLink::setSettings(const QString &settings) {
    m_settings = parseLineSettings(settings);
    m_settingsText = settings;
}

void DeviceLink::OpenPort() {
    if (m_port.isOpen()) throw TonaqError(ErrorCode::PortAlreadyOpen);
    if (m_portNumber < PortMap::kFirstPort || m_portNumber > PortMap::kLastPort)
        throw TonaqError(ErrorCode::InvalidPortNumber);
    const QString device = m_ports.currentDevicePath(m_portNumber);
    if (device.isEmpty())
        throw TonaqError(ErrorCode::PortUnavailable,
                         QStringLiteral("Could not open COM%1: no such device").arg(m_portNumber));
    m_port.setPortName(device);
    m_port.setBaudRate(m_settings.baudRate);
    m_port.setParity(m_settings.parity);
    m_port.setDataBits(m_settings.dataBits);
    m_port.setStopBits(m_settings.stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString reason = m_port.errorString();
        m_port.clearError();
        throw TonaqError(ErrorCode::PortUnavailable,
                         QStringLiteral("Could not open %1: %2").arg(device, reason));
    }
    m_port.clear(); // what arrived before we listened belongs to nobody
    m_tracedInBuffer = 0;
    setState(State::Open);
}

void DeviceLink::ClosePort() {
    if (m_port.isOpen()) m_port.close();
    m_port.clearError();
    setState(State::Closed);
}

bool DeviceLink::PortIsOpen() const {
    return m_port.isOpen();
}

void DeviceLink::SendCommand(const QByteArray &command) {
    requireOpen();
    // A reply that came after its command's read gave up answers nobody now; left in place it
    // would be taken for the reply to this command and shift every reply after it.
    traceArrivals();
    m_port.clear(QSerialPort::Input);
    m_tracedInBuffer = 0;
    if (m_trace) m_trace->toUnit(command);
    if (m_port.write(command) != command.size()) throw TonaqError(ErrorCode::WriteFailed);
    m_port.flush();
    while (m_port.bytesToWrite() > 0) {
        if (!m_port.waitForBytesWritten(kWriteTimeoutMs)) {
            requireOpen();
            throw TonaqError(ErrorCode::WriteFailed);
        }
    }
    requireOpen();
}

QByteArray DeviceLink::ReadReply(int lines, std::chrono::milliseconds firstByte,
                                 bool withWaitingLines) {
    requireOpen();
    if (lines <= 0) return take(m_port.bytesAvailable());
    QByteArray reply;
    for (int whole = 0; whole < lines || (withWaitingLines && m_port.canReadLine());) {
        if (m_port.canReadLine()) {
            reply += take(-1);
            ++whole;
            continue;
        }
        // Not a line yet: wait for more, long for the first byte, the stall gap after it.
        const qint64 held = m_port.bytesAvailable();
        if (!waitForMoreBytes(held, reply.isEmpty() && held == 0 ? firstByte : kStallGap))
            return reply + take(m_port.bytesAvailable());
    }
    return reply; // what follows stays for the next read
}

// Reads up to `count` bytes, or one line when count is negative.
QByteArray DeviceLink::take(qint64 count) {
    traceArrivals();
    const QByteArray bytes = count < 0 ? m_port.readLine() : m_port.read(count);
    m_tracedInBuffer = std::max<qint64>(0, m_tracedInBuffer - bytes.size());
    return bytes;
}

// Every burst goes to the trace as it arrives, whenever the program reads it.
void DeviceLink::traceArrivals() {
    const qint64 held = m_port.bytesAvailable();
    if (m_trace && held > m_tracedInBuffer)
        m_trace->fromUnit(m_port.peek(held).mid(m_tracedInBuffer));
    m_tracedInBuffer = held;
}

void DeviceLink::requireOpen() const {
    if (m_state == State::Gone) throw TonaqError(ErrorCode::PortGone);
    if (!m_port.isOpen()) throw TonaqError(ErrorCode::PortNotOpen);
}

// Runs the event loop without operator input until more than `held` bytes are waiting, the
// port fails or the time is up; paints and timers go on meanwhile. Bytes the system already
// holds count as arrived even when our own timer fired first: a stall of this process is no
// quiet line.
bool DeviceLink::waitForMoreBytes(qint64 held, std::chrono::milliseconds timeout) {
    if (m_port.bytesAvailable() > held) return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&m_port, &QSerialPort::readyRead, &loop, &QEventLoop::quit);
    connect(this, &DeviceLink::stateChanged, &loop, &QEventLoop::quit);
    timer.start(timeout);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    requireOpen();
    if (m_port.bytesAvailable() > held) return true;
    m_port.waitForReadyRead(0);
    m_port.clearError();
    requireOpen();
    return m_port.bytesAvailable() > held;
}

void DeviceLink::onPortError(QSerialPort::SerialPortError error) {
    // A device going away under an open port (a pulled adapter, a closed pseudo-terminal)
    // shows as a resource error or as reads that fail again at every turn of the event loop.
    // Mark it gone at once, so the command waiting on it fails, and close it once control is
    // back in the event loop, outside the port's own notification; that ends the repeats.
    const bool deviceLost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!deviceLost || m_state != State::Open) return;
    setState(State::Gone);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_state == State::Gone && m_port.isOpen()) m_port.close();
        },
        Qt::QueuedConnection);
}

void DeviceLink::setState(State state) {
    if (m_state == state) return;
    m_state = state;
    emit stateChanged(state);
}

} // namespace tonaq
