#include "link/devicelink.h"

#include "base/tonaqerror.h"
#include "link/portmap.h"
#include "link/replyshape.h"
#include "link/transport.h"
#include "link/wiretrace.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace tonaq {

namespace {
// How long a write may take to leave: a whole command at 9600 baud needs a few milliseconds.
constexpr int kWriteTimeoutMs = 2000;

qint64 steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

DeviceLink::DeviceLink(const PortMap &ports, QObject *parent)
    : QObject(parent)
    , m_ports(ports) {}

DeviceLink::~DeviceLink() {
    if (m_transport) m_transport->close();
}

void DeviceLink::setSettings(const QString &settings) {
    m_settings = parseLineSettings(settings);
    m_settingsText = settings;
}

void DeviceLink::openPort() {
    if (isPortOpen()) throw TonaqError(ErrorCode::PortAlreadyOpen);
    if (m_portNumber < PortMap::kFirstPort || m_portNumber > PortMap::kLastPort)
        throw TonaqError(ErrorCode::InvalidPortNumber);
    const std::optional<PortEntry> entry = m_ports.currentEntry(m_portNumber);
    if (!entry)
        throw TonaqError(ErrorCode::PortUnavailable,
                         QStringLiteral("Could not open COM%1: no such device").arg(m_portNumber));
    // The last transport may still be referenced by a wait that is unwinding: it goes once
    // control is back in the event loop.
    if (m_transport) m_transport.release()->deleteLater();
    m_transport = m_ports.makeTransport(*entry);
    m_transport->setParent(this);
    connect(m_transport.get(), &Transport::lost, this, &DeviceLink::onLost);
    connect(m_transport.get(), &Transport::noted, this, &DeviceLink::traceEvent);
    connect(&m_transport->stream(), &QIODevice::readyRead, this, &DeviceLink::noteArrivals);
    try {
        m_transport->open(m_settings, kOpenDeadline);
    } catch (const TonaqError &error) {
        traceEvent(portName() + QStringLiteral(" not opened: ") + error.description());
        throw;
    }
    m_arrivals.clear();
    m_arrived = m_consumed = 0;
    m_goneReason.clear();
    traceEvent(
        QStringLiteral("opened %1: %2").arg(portName(), entry->location) +
        (entry->description.isEmpty() ? QString() : QStringLiteral(", ") + entry->description));
    setState(State::Open);
}

void DeviceLink::closePort() {
    if (m_transport && m_transport->isOpen()) traceEvent(QStringLiteral("closed ") + portName());
    if (m_transport) m_transport->close();
    setState(State::Closed);
}

void DeviceLink::traceEvent(const QString &text) {
    if (m_trace) m_trace->event(text);
}

QString DeviceLink::portName() const {
    return QStringLiteral("COM%1").arg(m_portNumber);
}

bool DeviceLink::isPortOpen() const {
    return m_transport && m_transport->isOpen();
}

QIODevice &DeviceLink::stream() const {
    return m_transport->stream();
}

void DeviceLink::send(const QByteArray &command) {
    requireOpen();
    // A reply that came after its command's read gave up answers nobody now; left in place it
    // would be taken for the reply to this command and shift every reply after it.
    noteArrivals();
    if (m_trace && stream().bytesAvailable() > 0) {
        m_firstOfRead = {-1, {}, 0};
        const QByteArray unasked = take(stream().bytesAvailable());
        m_trace->unasked(unasked, m_firstOfRead.when);
    }
    m_transport->discardInput();
    m_consumed = m_arrived = m_consumed + stream().bytesAvailable();
    m_arrivals.clear();
    if (m_trace) m_trace->command(command);
    m_commandNs = steadyNs();
    if (stream().write(command) != command.size()) throw TonaqError(ErrorCode::WriteFailed);
    while (stream().bytesToWrite() > 0) {
        if (!stream().waitForBytesWritten(kWriteTimeoutMs)) {
            requireOpen();
            throw TonaqError(ErrorCode::WriteFailed);
        }
    }
    requireOpen();
}

QByteArray DeviceLink::readReply(int lines, std::chrono::milliseconds firstByte,
                                 bool withWaitingLines) {
    requireOpen();
    m_firstOfRead = {-1, {}, 0};
    QByteArray reply = readLines(lines, firstByte, withWaitingLines);
    if (m_trace && !reply.isEmpty())
        m_trace->reply(reply, m_firstOfRead.when, (m_firstOfRead.steadyNs - m_commandNs) / 1e6);
    return reply;
}

QByteArray DeviceLink::readLines(int lines, std::chrono::milliseconds firstByte,
                                 bool withWaitingLines) {
    if (lines <= 0) return take(std::min<qint64>(stream().bytesAvailable(), kLongestReply));
    // However the bytes trickle in, the exchange ends in its time.
    const QDeadlineTimer overall(replyDeadline(lines, firstByte), Qt::PreciseTimer);
    QByteArray reply;
    for (int whole = 0; whole < lines || (withWaitingLines && stream().canReadLine());) {
        if (reply.size() + stream().bytesAvailable() >= kLongestReply) {
            dropInput(QStringLiteral("reply too long, over %1 bytes; it and the rest dropped")
                          .arg(kLongestReply));
            throw TonaqError(ErrorCode::ReplyTooLong);
        }
        if (stream().canReadLine()) {
            reply += take(-1);
            ++whole;
            continue;
        }
        // Not a line yet: wait for more, long for the first byte, the stall gap after it.
        const qint64 held = stream().bytesAvailable();
        const std::chrono::milliseconds gap = reply.isEmpty() && held == 0 ? firstByte : kStallGap;
        const bool more = waitForMoreBytes(
            held, std::min(gap, std::chrono::milliseconds(overall.remainingTime())));
        if (overall.hasExpired()) {
            // Still coming, never whole: as if the unit had not answered.
            dropInput(QStringLiteral("no whole reply within %1 ms; what came dropped")
                          .arg(replyDeadline(lines, firstByte).count()));
            return {};
        }
        if (!more) return reply + take(stream().bytesAvailable());
    }
    return reply; // what follows stays for the next read
}

// Drops what came and what waits, saying so in the trace.
void DeviceLink::dropInput(const QString &why) {
    noteArrivals();
    traceEvent(portName() + QStringLiteral(": ") + why);
    m_transport->discardInput();
    m_consumed = m_arrived = m_consumed + stream().bytesAvailable();
    m_arrivals.clear();
}

// Reads up to `count` bytes, or one line when count is negative; the first byte of a read
// keeps the time it came.
QByteArray DeviceLink::take(qint64 count) {
    noteArrivals();
    QByteArray bytes = count < 0 ? stream().readLine() : stream().read(count);
    if (bytes.isEmpty()) return bytes;
    if (m_trace) {
        const auto covering = std::find_if(m_arrivals.crbegin(), m_arrivals.crend(),
                                           [this](const Arrival &a) { return a.at <= m_consumed; });
        const bool firstOfRead = m_firstOfRead.at < 0;
        if (firstOfRead && covering != m_arrivals.crend()) m_firstOfRead = *covering;
    }
    m_consumed += bytes.size();
    // Marks no byte still waiting needs any more.
    while (m_arrivals.size() > 1 && m_arrivals[1].at <= m_consumed)
        m_arrivals.removeFirst();
    return bytes;
}

// Marks when bytes came, as they are noticed.
void DeviceLink::noteArrivals() {
    if (!m_trace || !isPortOpen()) return;
    const qint64 total = m_consumed + stream().bytesAvailable();
    if (total > m_arrived) m_arrivals.append({m_arrived, QDateTime::currentDateTime(), steadyNs()});
    m_arrived = std::max(m_arrived, total);
}

void DeviceLink::requireOpen() const {
    if (m_state == State::Gone)
        throw m_goneReason.isEmpty() ? TonaqError(ErrorCode::PortGone)
                                     : TonaqError(ErrorCode::PortGone, m_goneReason);
    if (!isPortOpen()) throw TonaqError(ErrorCode::PortNotOpen);
}

// Runs the event loop without operator input until more than `held` bytes are waiting, the
// port fails or the time is up; paints and timers go on meanwhile. Bytes the system already
// holds count as arrived even when our own timer fired first: a stall of this process is no
// quiet line.
bool DeviceLink::waitForMoreBytes(qint64 held, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout, Qt::PreciseTimer);
    // A notice of bytes that were read meanwhile wakes the loop with nothing new: wait on.
    while (stream().bytesAvailable() <= held && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(&stream(), &QIODevice::readyRead, &loop, &QEventLoop::quit);
        connect(this, &DeviceLink::stateChanged, &loop, &QEventLoop::quit);
        // A QTimer counts its milliseconds in an int.
        timer.start(int(std::clamp<qint64>(deadline.remainingTime(), 0, INT_MAX)));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        requireOpen();
    }
    if (stream().bytesAvailable() > held) return true;
    stream().waitForReadyRead(0);
    requireOpen();
    return stream().bytesAvailable() > held;
}

// The unit went away under the open port: the command waiting on it fails, and so does every
// later one, until the port is closed.
void DeviceLink::onLost(const QString &reason) {
    if (m_state != State::Open) return;
    m_goneReason = reason;
    traceEvent(
        QStringLiteral("%1 gone: %2")
            .arg(portName(), reason.isEmpty() ? errorDescription(ErrorCode::PortGone) : reason));
    setState(State::Gone);
}

void DeviceLink::setState(State state) {
    if (m_state == state) return;
    m_state = state;
    emit stateChanged(state);
}

} // namespace tonaq
