#include "link/networktransport.h"

#include "base/smallfile.h"
#include "base/tonaqerror.h"
#include "link/replyshape.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <climits>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace tonaq {

namespace {

using std::chrono::milliseconds;

// A raw server gives no sign that it took the port: one that holds it for another client
// answers with a line and closes at once. Open waits this long for that, at least, and twice
// the connect's own round trip on a slower network.
constexpr milliseconds kMinimumSettle{50};
constexpr milliseconds kMaximumSettle{500};
// The last line a server said before it closed is the reason when it reads as one.
constexpr qsizetype kLongestReason = 120;
// A CA bundle, a certificate chain or a key in PEM: a system's whole bundle is a few hundred
// KiB.
constexpr qint64 kLongestTlsFile = 1 << 20;

QString durationText(milliseconds duration) {
    if (duration.count() % 1000 == 0) return QStringLiteral("%1 s").arg(duration.count() / 1000);
    return QStringLiteral("%1 ms").arg(duration.count());
}

} // namespace

// The unit's bytes, as the link reads and writes them. Input waits here until read; writes go
// through the transport, which escapes them for telnet and holds them while the server has
// suspended us.
class NetworkStream : public QIODevice {
public:
    explicit NetworkStream(NetworkTransport &transport)
        : m_transport(transport) {}

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_in.size() + QIODevice::bytesAvailable(); }
    bool canReadLine() const override { return m_in.contains('\n') || QIODevice::canReadLine(); }
    qint64 bytesToWrite() const override {
        const QTcpSocket *socket = m_transport.m_socket;
        qint64 pending = m_transport.m_held.size() + socket->bytesToWrite();
        if (const auto *ssl = qobject_cast<const QSslSocket *>(socket))
            pending += ssl->encryptedBytesToWrite();
        return pending;
    }

    // Both turn the event loop without the operator's input; a negative time waits for ever.
    // New bytes are counted as they arrive, not as they wait: a reader of readyRead that peeks
    // moves them into QIODevice's own buffer meanwhile.
    bool waitForReadyRead(int msecs) override {
        const qint64 before = m_arrived;
        if (lost()) return false;
        // No time at all: take what the system already holds, without turning the event loop.
        if (msecs == 0) m_transport.m_socket->waitForReadyRead(0);
        const QDeadlineTimer deadline(msecs);
        while (m_arrived == before && !lost() && !deadline.hasExpired())
            m_transport.waitForEvent(deadline);
        return m_arrived > before;
    }

    bool waitForBytesWritten(int msecs) override {
        if (bytesToWrite() == 0) return false;
        const QDeadlineTimer deadline(msecs);
        while (bytesToWrite() > 0 && !lost() && !deadline.hasExpired())
            m_transport.waitForEvent(deadline);
        return bytesToWrite() == 0 && !lost();
    }

    void arrive(const QByteArray &data) {
        if (data.isEmpty()) return;
        m_in += data;
        // Only while opening can more come than the transport takes: what the server says
        // before the unit is passed over, but for its last words, the reason of a close.
        if (m_in.size() > kLongestReply) m_in = m_in.right(kLongestReply);
        m_arrived += data.size();
        if (isOpen()) emit readyRead();
    }
    // How much more the transport takes from the server now.
    qint64 room() const { return kLongestReply - bytesAvailable(); }
    // Everything received and not yet read.
    QByteArray held() const { return m_in; }
    void drop() {
        m_in.clear();
        if (isOpen()) QIODevice::skip(QIODevice::bytesAvailable());
        m_transport.takeHeldBack();
    }
    // From now on reads and writes fail with this reason.
    void fail(const QString &reason) {
        drop();
        setErrorString(reason);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override {
        if (m_in.isEmpty()) return lost() ? -1 : 0;
        const qint64 count = std::min<qint64>(maxSize, m_in.size());
        std::copy_n(m_in.constData(), count, data);
        m_in.remove(0, count);
        m_transport.takeHeldBack();
        return count;
    }
    qint64 writeData(const char *data, qint64 size) override {
        if (lost()) return -1;
        return m_transport.send(data, size);
    }

private:
    bool lost() const { return m_transport.m_phase == NetworkTransport::Phase::Lost; }

    NetworkTransport &m_transport;
    QByteArray m_in;
    qint64 m_arrived = 0;
};

NetworkTransport::NetworkTransport(NetworkAddress address, QObject *parent)
    : Transport(parent)
    , m_address(std::move(address))
    , m_stream(std::make_unique<NetworkStream>(*this)) {
    if (m_address.tls) {
        auto *ssl = new QSslSocket(this);
        connect(ssl, &QSslSocket::encrypted, this, &NetworkTransport::onConnected);
        connect(ssl, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
            QStringList texts;
            for (const QSslError &error : errors)
                texts << error.errorString();
            m_sslFailure = QStringLiteral("the server's certificate was not verified: %1")
                               .arg(texts.join(QStringLiteral("; ")));
        });
        connect(ssl, &QSslSocket::encryptedBytesWritten, this, &NetworkTransport::wake);
        m_socket = ssl;
    } else {
        m_socket = new QTcpSocket(this);
        connect(m_socket, &QTcpSocket::connected, this, &NetworkTransport::onConnected);
    }
    // What the stream has no room for waits in the socket, which then stops reading: a server
    // that floods the line is held back by TCP, and memory stays flat.
    m_socket->setReadBufferSize(kLongestReply);
    connect(m_socket, &QTcpSocket::readyRead, this, &NetworkTransport::onReadable);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &NetworkTransport::onSocketError);
    connect(m_socket, &QTcpSocket::disconnected, this, &NetworkTransport::onDisconnected);
    connect(m_socket, &QTcpSocket::stateChanged, this, &NetworkTransport::wake);
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this](qint64 count) {
        wake();
        if (m_stream->isOpen()) emit m_stream->bytesWritten(count);
    });
}

NetworkTransport::~NetworkTransport() {
    m_socket->disconnect(this);
    close();
}

QIODevice &NetworkTransport::stream() {
    return *m_stream;
}

void NetworkTransport::open(const LineSettings &settings, milliseconds deadline) {
    if (m_phase != Phase::Closed) throw TonaqError(ErrorCode::PortAlreadyOpen);
    m_failure.clear();
    m_sslFailure.clear();
    m_codec = TelnetCodec{};
    m_setup.reset();
    if (m_address.protocol == NetworkAddress::Protocol::Rfc2217) m_setup.emplace(settings);
    m_requestsSent = false;
    m_held.clear();
    m_suspended = false;
    m_stream->drop();
    m_phase = Phase::Connecting;
    QElapsedTimer clock;
    clock.start();
    if (m_address.tls) configureTls();
    m_connectClock.start();
    if (m_failure.isEmpty()) {
        if (auto *ssl = qobject_cast<QSslSocket *>(m_socket))
            ssl->connectToHostEncrypted(m_address.host, m_address.port);
        else
            m_socket->connectToHost(m_address.host, m_address.port);
    }
    for (;;) {
        if (!m_failure.isEmpty()) {
            const QString reason = m_failure;
            close();
            throw TonaqError(
                ErrorCode::PortUnavailable,
                QStringLiteral("Could not open %1: %2").arg(m_address.place(), reason));
        }
        if (m_phase == Phase::Ready) break;
        milliseconds left = deadline - milliseconds(clock.elapsed());
        if (m_phase == Phase::Settling) {
            // Connected: the settle is a courtesy that the deadline cuts short.
            const milliseconds settleLeft = m_settle - milliseconds(m_settleClock.elapsed());
            left = std::min(left, settleLeft);
            if (left.count() <= 0) m_phase = Phase::Ready;
            if (left.count() <= 0) continue;
        }
        if (left.count() <= 0)
            fail(timeoutReason(deadline));
        else
            waitForEvent(QDeadlineTimer(left));
    }
    m_phase = Phase::Open;
    // What the server said before the unit (a banner) answers no command.
    m_stream->drop();
    m_stream->open(QIODevice::ReadWrite);
}

void NetworkTransport::close() {
    if (m_phase == Phase::Closed) return;
    m_phase = Phase::Closed;
    m_stream->drop();
    if (m_stream->isOpen()) m_stream->close();
    m_held.clear();
    m_suspended = false;
    if (m_socket->state() != QAbstractSocket::UnconnectedState) {
        m_socket->flush();
        m_socket->abort();
    }
    wake();
}

void NetworkTransport::discardInput() {
    m_stream->drop();
}

// The stream made room: what waits in the socket comes in, once control is back in the event
// loop (this runs inside the stream's own read).
void NetworkTransport::takeHeldBack() {
    if (m_phase == Phase::Open && m_socket->bytesAvailable() > 0)
        QMetaObject::invokeMethod(this, &NetworkTransport::onReadable, Qt::QueuedConnection);
}

void NetworkTransport::configureTls() {
    if (!QSslSocket::supportsSsl()) {
        fail(QStringLiteral("TLS is not available on this system"));
        return;
    }
    // Each file whole, or the reason it cannot be read.
    QString why;
    const auto read = [&why](const QString &path) {
        return readSmallFile(path, kLongestTlsFile, &why).value_or(QByteArray());
    };
    const auto because = [&why] { return why.isEmpty() ? QString() : QStringLiteral(": ") + why; };
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    if (!m_address.caFile.isEmpty()) {
        const QList<QSslCertificate> authorities =
            QSslCertificate::fromData(read(m_address.caFile), QSsl::Pem);
        if (authorities.isEmpty()) {
            fail(QStringLiteral("no CA certificate could be read from %1%2")
                     .arg(m_address.caFile, because()));
            return;
        }
        // Only these: the system's store no longer counts.
        config.setCaCertificates(authorities);
    }
    if (!m_address.certFile.isEmpty()) {
        const QList<QSslCertificate> chain =
            QSslCertificate::fromData(read(m_address.certFile), QSsl::Pem);
        if (chain.isEmpty()) {
            fail(QStringLiteral("no certificate could be read from %1%2")
                     .arg(m_address.certFile, because()));
            return;
        }
        const QByteArray pem = read(m_address.keyFile);
        QSslKey key;
        for (const QSsl::KeyAlgorithm algorithm : {QSsl::Ec, QSsl::Rsa, QSsl::Dsa}) {
            if (pem.isEmpty()) break;
            key = QSslKey(pem, algorithm);
            if (!key.isNull()) break;
        }
        if (key.isNull()) {
            fail(QStringLiteral("no private key could be read from %1 (PEM, no passphrase)%2")
                     .arg(m_address.keyFile, because()));
            return;
        }
        config.setLocalCertificateChain(chain);
        config.setPrivateKey(key);
    }
    static_cast<QSslSocket *>(m_socket)->setSslConfiguration(config);
}

void NetworkTransport::onConnected() {
    if (m_phase != Phase::Connecting) return;
    emit noted(QStringLiteral("%1: connected%2")
                   .arg(m_address.place(), m_address.tls
                                               ? QStringLiteral(", TLS with a verified certificate")
                                               : QString()));
    // Commands are a few bytes each, answered at once: Nagle's wait would only delay them.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    if (m_setup) {
        m_phase = Phase::Negotiating;
        m_socket->write(m_codec.start());
        // The server's own offer may have come with the end of the TLS handshake, before this.
        advanceNegotiation();
        m_socket->flush();
    } else {
        m_phase = Phase::Settling;
        m_settle =
            std::clamp(2 * milliseconds(m_connectClock.elapsed()), kMinimumSettle, kMaximumSettle);
        m_settleClock.start();
    }
    wake();
}

void NetworkTransport::onReadable() {
    acknowledgeAtOnce();
    if (m_phase == Phase::Closed || m_phase == Phase::Lost) {
        m_socket->readAll();
        return;
    }
    // Once open, no more than the stream has room for (telnet only ever shortens the bytes);
    // while opening, all of it, so that a negotiation is never stuck behind a banner.
    const qint64 room = m_phase == Phase::Open ? m_stream->room() : m_socket->bytesAvailable();
    if (room <= 0) return;
    const QByteArray bytes = m_socket->read(room);
    if (!m_setup) {
        m_stream->arrive(bytes);
        wake();
        return;
    }
    const TelnetCodec::Decoded decoded = m_codec.decode(bytes);
    // Kept first: a write below may meet the server's close, whose reason is this text.
    m_stream->arrive(decoded.data);
    if (!decoded.answer.isEmpty()) m_socket->write(decoded.answer);
    for (const ComPortMessage &message : decoded.comPort) {
        if (message.command == comport::kServerOffset + comport::kFlowControlSuspend)
            setSuspended(true);
        else if (message.command == comport::kServerOffset + comport::kFlowControlResume)
            setSuspended(false);
        else if (m_phase == Phase::Negotiating)
            m_setup->take(message);
    }
    advanceNegotiation();
    m_socket->flush();
    wake();
}

// One step of the RFC 2217 negotiation, as far as what the server said so far allows.
void NetworkTransport::advanceNegotiation() {
    if (m_phase != Phase::Negotiating) return;
    if (m_codec.comPort() == TelnetCodec::Offer::Refused) {
        fail(QStringLiteral("the server refused the COM-PORT-OPTION (RFC 2217)"));
    } else if (!m_setup->fault().isEmpty()) {
        fail(m_setup->fault());
    } else if (m_codec.comPort() == TelnetCodec::Offer::Accepted && !m_requestsSent) {
        m_socket->write(m_setup->requests());
        m_requestsSent = true;
    } else if (m_setup->complete()) {
        m_phase = Phase::Ready;
        emit noted(m_address.place() +
                   QStringLiteral(": the server set the line settings asked for (RFC 2217)"));
    }
}

void NetworkTransport::onSocketError(QAbstractSocket::SocketError error) {
    // A look at the socket that found nothing new (a wait of no time) is no fault of it.
    if (error == QAbstractSocket::SocketTimeoutError || error == QAbstractSocket::TemporaryError)
        return;
    QString reason = m_socket->errorString();
    if (error == QAbstractSocket::RemoteHostClosedError)
        reason = closingReason();
    else if (error == QAbstractSocket::SslHandshakeFailedError && !m_sslFailure.isEmpty())
        reason = m_sslFailure;
    if (m_phase == Phase::Open) {
        m_phase = Phase::Lost;
        m_stream->fail(reason);
        emit lost(QStringLiteral("%1: %2").arg(m_address.place(), reason));
    } else if (m_phase != Phase::Closed && m_phase != Phase::Lost) {
        fail(reason); // still opening
    }
    wake();
}

void NetworkTransport::onDisconnected() {
    // A close without an error first (a server's orderly close while we were writing).
    onSocketError(QAbstractSocket::RemoteHostClosedError);
}

// While opening: the server's last line before it closed ("Port already in use"); once open,
// or when it said nothing readable, the plain fact.
QString NetworkTransport::closingReason() const {
    if (m_phase != Phase::Open) {
        const QList<QByteArray> lines = m_stream->held().split('\n');
        for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
            const QByteArray text = line->trimmed();
            if (text.isEmpty()) continue;
            const bool printable =
                std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
            if (printable && text.size() <= kLongestReason) return QString::fromLatin1(text);
            break;
        }
    }
    // TLS servers that want a client certificate close right after the handshake.
    if (m_address.tls && m_address.certFile.isEmpty() && m_phase != Phase::Open)
        return QStringLiteral("the server closed the connection (does it want a client "
                              "certificate? cert= and key= name one)");
    return QStringLiteral("the server closed the connection");
}

void NetworkTransport::fail(const QString &reason) {
    if (m_failure.isEmpty()) m_failure = reason;
    wake();
}

QString NetworkTransport::timeoutReason(milliseconds deadline) const {
    const QString within = durationText(deadline);
    if (m_phase == Phase::Negotiating) {
        if (m_codec.comPort() == TelnetCodec::Offer::Pending)
            return QStringLiteral("the server did not take up the COM-PORT-OPTION (RFC 2217) "
                                  "within %1")
                .arg(within);
        return QStringLiteral("the server did not acknowledge the %1 within %2")
            .arg(m_setup->missing(), within);
    }
    switch (m_socket->state()) {
    case QAbstractSocket::HostLookupState:
        return QStringLiteral("the name was not resolved within %1").arg(within);
    case QAbstractSocket::ConnectedState:
        return QStringLiteral("the TLS handshake did not complete within %1").arg(within);
    default:
        return QStringLiteral("no connection within %1").arg(within);
    }
}

qint64 NetworkTransport::send(const char *data, qint64 size) {
    const QByteArray bytes = m_setup ? TelnetCodec::escape({data, size}) : QByteArray(data, size);
    if (m_suspended) {
        m_held += bytes;
    } else {
        if (m_socket->write(bytes) != bytes.size()) return -1;
        m_socket->flush();
    }
    return size;
}

void NetworkTransport::setSuspended(bool suspended) {
    m_suspended = suspended;
    if (suspended || m_held.isEmpty()) return;
    m_socket->write(m_held);
    m_socket->flush();
    m_held.clear();
}

// A server that sends a reply in two segments without TCP_NODELAY (ser2net's default) holds
// the second back until the first is acknowledged, and Linux delays that acknowledgement up to
// 40 ms when it has nothing to send with it: at every multi-segment reply. Asking for quick
// acknowledgements after each read ends that wait; the kernel forgets the request, so it is
// made again each time.
void NetworkTransport::acknowledgeAtOnce() {
#ifdef TCP_QUICKACK
    const int on = 1;
    ::setsockopt(int(m_socket->socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#endif
}

void NetworkTransport::wake() {
    for (QEventLoop *loop : m_waits)
        loop->quit();
}

// Turns the event loop, without the operator's input, until something happens to the
// connection or the time is up; the windows keep painting meanwhile.
void NetworkTransport::waitForEvent(QDeadlineTimer deadline) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (!deadline.isForever()) // a QTimer counts its milliseconds in an int
        timer.start(int(std::clamp<qint64>(deadline.remainingTime(), 0, INT_MAX)));
    m_waits.push_back(&loop);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_waits.erase(std::find(m_waits.begin(), m_waits.end(), &loop));
}

std::unique_ptr<Transport> makeNetworkTransport(const NetworkAddress &address) {
    return std::make_unique<NetworkTransport>(address);
}

} // namespace tonaq
