#include "link/simulatedtransport.h"

#include "link/portmap.h"
#include "sim/simulatedunit.h"

#include <cstring>

namespace tonaq {

qint64 SimulatedStream::bytesAvailable() const {
    std::lock_guard lock(m_mutex);
    return m_incoming.size() + QIODevice::bytesAvailable();
}

bool SimulatedStream::canReadLine() const {
    {
        std::lock_guard lock(m_mutex);
        if (m_incoming.contains('\n')) return true;
    }
    return QIODevice::canReadLine();
}

void SimulatedStream::arrive(const QByteArray &bytes) {
    {
        std::lock_guard lock(m_mutex);
        m_incoming += bytes;
    }
    // Told in the stream's own thread, as a port tells of bytes the system holds for it. Called
    // by name, the call is made inside Qt and nothing of ours crosses the threads: a functor
    // would be handed over through Qt's event queue, which ThreadSanitizer cannot follow.
    QMetaObject::invokeMethod(this, "readyRead", Qt::QueuedConnection);
}

qint64 SimulatedStream::readData(char *data, qint64 maxSize) {
    std::lock_guard lock(m_mutex);
    const qint64 count = std::min<qint64>(maxSize, m_incoming.size());
    if (count > 0)
        std::memcpy(data, m_incoming.constData(), std::size_t(count)); // data may be null
    m_incoming.remove(0, count);
    return count;
}

qint64 SimulatedStream::writeData(const char *data, qint64 size) {
    if (toUnit) toUnit(QByteArray(data, size));
    return size;
}

SimulatedTransport::SimulatedTransport(sim::SimulatedUnit &unit, QObject *parent)
    : Transport(parent)
    , m_unit(unit) {
    m_stream.toUnit = [this](const QByteArray &bytes) { m_unit.receive(bytes); };
}

SimulatedTransport::~SimulatedTransport() {
    close();
}

void SimulatedTransport::open(const LineSettings &, std::chrono::milliseconds) {
    m_stream.open(QIODevice::ReadWrite);
    m_unit.setLineOutput([this](const QByteArray &bytes) { m_stream.arrive(bytes); });
}

void SimulatedTransport::close() {
    if (!m_stream.isOpen()) return;
    m_unit.setLineOutput({}); // once this returns, nothing more arrives
    discardInput();
    m_stream.close();
}

void SimulatedTransport::discardInput() {
    m_stream.readAll();
}

int attachSimulatedUnit(PortMap &ports, sim::SimulatedUnit &unit, const QString &name, int number) {
    return ports.attach(
        name, [&unit] { return std::make_unique<SimulatedTransport>(unit); },
        QStringLiteral("simulated unit"), number);
}

} // namespace tonaq
