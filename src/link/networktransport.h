#pragma once

#include "link/networkaddress.h"
#include "link/telnetcodec.h"
#include "link/transport.h"

#include <QAbstractSocket>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <memory>
#include <optional>
#include <vector>

class QEventLoop;
class QTcpSocket;

namespace tonaq {

class NetworkStream;

// A unit behind a serial device server such as ser2net: raw TCP or telnet with RFC 2217,
// either of them inside TLS when the address says so.
//
// open() connects, completes TLS (the server's certificate verified against the system's store
// or the address's CA file; never plain text instead), and for RFC 2217 negotiates the
// COM-PORT-OPTION and the line settings. It fails with PortUnavailable, "Could not open
// rfc2217://HOST:PORT: Connection refused", when any step fails or the deadline passes first.
// A server that holds the port for another client answers with a line and closes; that line is
// the reason. What the server says before the unit (a banner) is dropped.
//
// Once open, a closed or broken connection is said once by lost("rfc2217://HOST:PORT: the
// server closed the connection"); from then on the stream's reads and writes fail, while
// isOpen() stays true until close(). A server's flow-control suspend holds our writes back
// until it resumes; they count in the stream's bytesToWrite() meanwhile.
class NetworkTransport : public Transport {
    Q_OBJECT
public:
    explicit NetworkTransport(NetworkAddress address, QObject *parent = nullptr);
    ~NetworkTransport() override;

    void open(const LineSettings &settings, std::chrono::milliseconds deadline) override;
    void close() override;
    bool isOpen() const override { return m_phase == Phase::Open || m_phase == Phase::Lost; }
    QIODevice &stream() override;
    void discardInput() override;

    const NetworkAddress &address() const { return m_address; }
    bool writesSuspended() const { return m_suspended; }

private:
    friend class NetworkStream;
    // Opening goes from Connecting to Ready; Open once open() has returned.
    enum class Phase { Closed, Connecting, Negotiating, Settling, Ready, Open, Lost };

    void configureTls();
    void onConnected();
    void onReadable();
    void takeHeldBack();
    void advanceNegotiation();
    void onSocketError(QAbstractSocket::SocketError error);
    void onDisconnected();
    void fail(const QString &reason);
    void acknowledgeAtOnce();
    void wake();
    void waitForEvent(QDeadlineTimer deadline);
    QString timeoutReason(std::chrono::milliseconds deadline) const;
    qint64 send(const char *data, qint64 size);
    void setSuspended(bool suspended);
    QString closingReason() const;

    NetworkAddress m_address;
    QTcpSocket *m_socket = nullptr; // a QSslSocket for TLS
    std::unique_ptr<NetworkStream> m_stream;
    Phase m_phase = Phase::Closed;
    TelnetCodec m_codec;
    std::optional<ComPortSetup> m_setup;
    bool m_requestsSent = false;
    QString m_failure;    // why open() must fail
    QString m_sslFailure; // the certificate errors, kept for the handshake failure after them
    QElapsedTimer m_connectClock;
    QElapsedTimer m_settleClock;
    std::chrono::milliseconds m_settle{0};
    QByteArray m_held; // writes held back by a flow-control suspend
    bool m_suspended = false;
    std::vector<QEventLoop *> m_waits; // every wait in progress, innermost last
};

// The transport for a parsed network address.
std::unique_ptr<Transport> makeNetworkTransport(const NetworkAddress &address);

} // namespace tonaq
