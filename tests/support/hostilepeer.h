#pragma once

#include "sim/simulatedunit.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace tonaq::test {

// A unit on the network that turns hostile, on 127.0.0.1 in the test's own process: the
// simulated unit answers (unpaced, one client at a time) until the client has sent `after`, or
// from the first byte when `after` is empty; then the peer floods bytes without a line end as
// fast as they are taken, trickles one every 100 ms, or falls silent. Escapes: it answers
// throughout, every line with ESC [2J and BEL before its CR. It never speaks telnet: an
// rfc2217:// client never gets its negotiation. Bounded: a flood stops at 100 MB, a trickle
// after a minute, and no more than a megabyte waits here.
class HostilePeer : public QObject {
public:
    enum class Turn { Never, Flood, Trickle, Silence, Escapes };

    explicit HostilePeer(Turn how, QByteArray after = {})
        : m_turn(how)
        , m_after(std::move(after)) {
        m_server.listen(QHostAddress::LocalHost);
        unit.setLineOutput([this](QByteArray bytes) {
            if (m_turn == Turn::Escapes) bytes.replace("\r", "\x1b[2J\x07\r");
            QMetaObject::invokeMethod(this, [this, bytes] {
                if (!m_turned && m_client) m_client->write(bytes);
            });
        });
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            m_received.clear();
            connect(m_client, &QTcpSocket::readyRead, this, [this, client = m_client] {
                const QByteArray bytes = client->readAll();
                m_received += bytes;
                if (!m_after.isEmpty() && m_received.contains(m_after)) turn();
                if (!m_turned) unit.receive(bytes);
            });
            connect(m_client, &QTcpSocket::bytesWritten, this, &HostilePeer::flood);
            if (m_after.isEmpty()) turn();
        });
        m_trickle.callOnTimeout(this, [this] {
            if (m_clock.elapsed() < 60000) m_client->write("x");
        });
    }
    ~HostilePeer() override { unit.setLineOutput({}); }

    QString url(const QString &scheme = QStringLiteral("tcp")) const {
        return QStringLiteral("%1://127.0.0.1:%2").arg(scheme).arg(m_server.serverPort());
    }
    QByteArray received() const { return m_received; } // from the client now connected
    sim::SimulatedUnit unit{{.pacing = false}};

private:
    void turn() {
        m_turned = m_turn != Turn::Never && m_turn != Turn::Escapes;
        m_clock.start();
        if (m_turn == Turn::Trickle) m_trickle.start(100);
        flood();
    }
    void flood() {
        static const QByteArray chunk(64 * 1024, 'x');
        while (m_turn == Turn::Flood && m_turned && m_flooded < 100'000'000 &&
               m_client->bytesToWrite() < 1024 * 1024) {
            m_client->write(chunk);
            m_flooded += chunk.size();
        }
    }

    const Turn m_turn;
    const QByteArray m_after;
    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
    QByteArray m_received;
    bool m_turned = false;
    qint64 m_flooded = 0;
    QTimer m_trickle;
    QElapsedTimer m_clock;
};

} // namespace tonaq::test
