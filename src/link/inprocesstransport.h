#pragma once

#include "link/transport.h"

#include <QByteArray>
#include <functional>
#include <mutex>

namespace tonaq {

class PortMap;

// A unit that runs in this process, as the link reaches it: what the link writes is handed to
// receive() at once, and the unit hands the bytes leaving it to the output it was given, from a
// thread of its own. Plugging an output in (an empty one unplugs it) returns once the previous
// output is neither running nor called again.
struct InProcessUnit {
    using Output = std::function<void(const QByteArray &bytes)>;
    std::function<void(const QByteArray &bytes)> receive;
    std::function<void(Output output)> setLineOutput;
};

// The bytes of a unit in this process: what the link writes reaches the unit at once, its
// replies arrive as its own thread lets them leave.
class InProcessStream : public QIODevice {
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

class InProcessTransport : public Transport {
    Q_OBJECT
public:
    // The unit must outlive the transport.
    explicit InProcessTransport(InProcessUnit unit, QObject *parent = nullptr);
    ~InProcessTransport() override;

    void open(const LineSettings &settings, std::chrono::milliseconds deadline) override;
    void close() override;
    bool isOpen() const override { return m_stream.isOpen(); }
    QIODevice &stream() override { return m_stream; }
    void discardInput() override;

private:
    InProcessUnit m_unit;
    InProcessStream m_stream;
};

// Gives a unit in this process a COM number of the map, the lowest that nothing takes when
// number is 0; returns it, 0 when none is free. description is what the operator is told of it.
// The unit must outlive the map's use of it.
int attachInProcessUnit(PortMap &ports, const InProcessUnit &unit, const QString &name,
                        const QString &description, int number = 0);

} // namespace tonaq
