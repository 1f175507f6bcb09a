#pragma once

#include "link/transport.h"

#include <QByteArray>
#include <mutex>

namespace tonaq {

class PortMap;
namespace sim {
class SimulatedUnit;
}

// The bytes of a simulated unit in this process: what the link writes reaches the unit at
// once, its replies arrive as its own thread lets them leave, paced as on the real line.
class SimulatedStream : public QIODevice {
    Q_OBJECT
public:
    using QIODevice::QIODevice;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool canReadLine() const override;

    // From the unit's thread: bytes that have left the unit.
    void arrive(const QByteArray &bytes);
    std::function<void(const QByteArray &)> toUnit;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    mutable std::mutex m_mutex;
    QByteArray m_incoming;
};

class SimulatedTransport : public Transport {
    Q_OBJECT
public:
    // The unit must outlive the transport.
    explicit SimulatedTransport(sim::SimulatedUnit &unit, QObject *parent = nullptr);
    ~SimulatedTransport() override;

    void open(const LineSettings &settings, std::chrono::milliseconds deadline) override;
    void close() override;
    bool isOpen() const override { return m_stream.isOpen(); }
    QIODevice &stream() override { return m_stream; }
    void discardInput() override;

private:
    sim::SimulatedUnit &m_unit;
    SimulatedStream m_stream;
};

// Gives an in-process simulated unit a COM number of the map, the lowest that nothing takes when
// number is 0; returns it, 0 when none is free. The unit must outlive the map's use of it.
int attachSimulatedUnit(PortMap &ports, sim::SimulatedUnit &unit, const QString &name,
                        int number = 0);

} // namespace tonaq
