#pragma once

#include "link/linesettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <memory>

namespace tonaq {

class PortMap;
class Transport;
class WireTrace;

// The one link to the unit, over whatever transport its COM number leads to. It writes
// commands exactly as given and reads what the unit answers; every failure is raised as a
// TonaqError into the caller. It knows whether its port is closed, open or gone (the unit
// went away under it), so a pulled cable is one failure of the command that met it, not a
// storm of them.
class DeviceLink : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Open, Gone };

    explicit DeviceLink(const PortMap &ports, QObject *parent = nullptr);
    ~DeviceLink() override;

    void setSettings(const QString &settings);
    QString settings() const { return m_settingsText; }
    void setPortNumber(int number) { m_portNumber = number; }
    int portNumber() const { return m_portNumber; }

    void openPort();
    void closePort();
    bool isPortOpen() const;
    State state() const { return m_state; }

    // Writes the bytes and waits until the system has taken them. Input not yet read is dropped
    // first: it answered an earlier command, not this one.
    void send(const QByteArray &command);
    // Waits up to firstByte for a reply to begin, then takes `lines` lines, or what came before
    // the line stalled for the stall gap; bytes after the last line stay for the next read,
    // but for whole lines already waiting when withWaitingLines asks for them too (a late
    // answer to an earlier command may stand ahead of this one's). Nothing at all is an empty
    // reply, not a failure, and so is a reply not whole by its deadline (replyDeadline): what
    // came of it is dropped. A reply longer than kLongestReply is dropped with the rest of
    // the input and raised as ReplyTooLong. The windows keep painting meanwhile.
    QByteArray readReply(int lines, std::chrono::milliseconds firstByte,
                         bool withWaitingLines = false);

    // What crosses the line goes to the trace as well, while one is set: each command, each
    // reply as it is read, what came unasked, and the port's own events.
    void setTrace(WireTrace *trace) { m_trace = trace; }
    void traceEvent(const QString &text);

    // How long opening may take: a network unit's server is given this long to answer.
    static constexpr std::chrono::milliseconds kOpenDeadline{3000};

signals:
    void stateChanged(tonaq::DeviceLink::State state);

private:
    void requireOpen() const;
    QIODevice &stream() const;
    bool waitForMoreBytes(qint64 held, std::chrono::milliseconds timeout);
    QByteArray readLines(int lines, std::chrono::milliseconds firstByte, bool withWaitingLines);
    QByteArray take(qint64 count);
    void dropInput(const QString &why);
    void noteArrivals();
    QString portName() const;
    void onLost(const QString &reason);
    void setState(State state);

    const PortMap &m_ports;
    // Kept after a close until the next open, so that a reply wait further up the stack that
    // a close ended still finds it when it unwinds.
    std::unique_ptr<Transport> m_transport;
    QString m_goneReason;
    QString m_settingsText;
    LineSettings m_settings;
    int m_portNumber = 0;
    State m_state = State::Closed;
    WireTrace *m_trace = nullptr;
    // When the unit's bytes came, for the trace: a mark for each arrival, by its place in all
    // the bytes that came since the port opened.
    struct Arrival {
        qint64 at;
        QDateTime when;
        qint64 steadyNs;
    };
    QList<Arrival> m_arrivals;
    qint64 m_arrived = 0;             // bytes that came since the port opened
    qint64 m_consumed = 0;            // of them, read or dropped
    qint64 m_commandNs = 0;           // when the last command went out
    Arrival m_firstOfRead{-1, {}, 0}; // the first byte of what the current read has taken
};

} // namespace tonaq
