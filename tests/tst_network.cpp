// Network units: the address an operator writes, the telnet and RFC 2217 codec as tables, and
// the transport against a scripted RFC 2217 server for what ser2net never does: a stalled
// negotiation, another baud rate, a refused option, flow control suspended, 0xFF both ways.
#include "link/networkaddress.h"
#include "link/networktransport.h"
#include "link/telnetcodec.h"
#include "ser2net.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace tonaq;
using namespace std::chrono_literals;

namespace {

const auto hex = [](const char *text) { return QByteArray::fromHex(text); }; // blanks skipped

// A server that answers each trigger, once, as soon as what it received contains it. Pairs in
// the script: trigger, reply; an empty trigger fires at connection.
class ScriptedServer : public QObject {
public:
    explicit ScriptedServer(QByteArrayList script)
        : m_script(std::move(script)) {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            connect(m_client, &QTcpSocket::readyRead, this, [this] {
                received += m_client->readAll();
                answer();
            });
            answer();
        });
    }
    QString url() const {
        return QStringLiteral("rfc2217://127.0.0.1:%1").arg(m_server.serverPort());
    }
    void send(const QByteArray &bytes) {
        m_client->write(bytes);
        m_client->flush();
    }
    QByteArray received;

private:
    void answer() {
        for (qsizetype i = 0; i + 1 < m_script.size(); i += 2) {
            if (!received.contains(m_script[i])) continue;
            send(m_script[i + 1]);
            m_script.remove(i, 2);
            i -= 2;
        }
    }
    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
    QByteArrayList m_script;
};

const QByteArray kWillComPort = hex("fffb2c");
const QByteArray kDoComPort = hex("fffd2c");
const QByteArray kStopSizeAsked = hex("fffa2c04");
// Stop size, parity, data size, baud rate: in any order, and no flow control acknowledgement.
const QByteArray kAllAcknowledged = hex("fffa2c6801fff0 fffa2c6701fff0 fffa2c6608fff0 "
                                        "fffa2c6500002580fff0");
const QByteArrayList kServerThatAgrees{kWillComPort, kDoComPort, kStopSizeAsked, kAllAcknowledged};

} // namespace

class TestNetwork : public QObject {
    Q_OBJECT
private slots:
    void addresses_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("network");   // told from a device path
        QTest::addColumn<QString>("parsed"); // place and files, or "! why"
        QTest::newRow("raw") << "tcp://192.168.1.20:4001" << true << "tcp://192.168.1.20:4001";
        QTest::newRow("rfc2217, any case, trailing slash")
            << "RFC2217://Unit7.Example:7001/" << true << "rfc2217://unit7.example:7001";
        QTest::newRow("tls, IPv6, CA file")
            << "rfc2217+tls://[::1]:7001?ca=/etc/tonaq/ca.pem" << true
            << "rfc2217+tls://[::1]:7001 ca=/etc/tonaq/ca.pem";
        QTest::newRow("client certificate, escaped and plain spaces")
            << "tcp+tls://h:1?ca=/my%20ca.pem&cert=/k/my cert.pem&key=k.pem" << true
            << "tcp+tls://h:1 ca=/my ca.pem cert=/k/my cert.pem key=k.pem";
        QTest::newRow("unknown scheme")
            << "ftp://h:1" << true << "! unknown scheme ftp (tcp, rfc2217, tcp+tls or rfc2217+tls)";
        QTest::newRow("no port") << "tcp://h" << true << "! no port";
        QTest::newRow("a path") << "tcp://h:1/dev/ttyS0" << true
                                << "! only HOST:PORT and ?ca=, cert=, key= may follow the scheme";
        QTest::newRow("files without TLS")
            << "rfc2217://h:1?ca=ca.pem" << true
            << "! ca, cert and key need tcp+tls:// or rfc2217+tls://";
        QTest::newRow("certificate without key")
            << "tcp+tls://h:1?cert=c.pem" << true
            << "! a client certificate needs both cert and key";
        QTest::newRow("unknown option") << "tcp+tls://h:1?pin=x" << true << "! unknown option pin";
        QTest::newRow("device path") << "/dev/ttyUSB0" << false << "! not a network address";
    }

    void addresses() {
        QFETCH(QString, text);
        QTEST(isNetworkPortName(text), "network");
        QString why;
        const std::optional<NetworkAddress> address = parseNetworkAddress(text, &why);
        QString parsed = QStringLiteral("! ") + why;
        if (address) {
            parsed = address->place();
            for (const auto &[name, file] : {std::pair{"ca", address->caFile},
                                             {"cert", address->certFile},
                                             {"key", address->keyFile}})
                if (!file.isEmpty())
                    parsed += QStringLiteral(" %1=%2").arg(QLatin1String(name), file);
        }
        QTEST(parsed, "parsed");
    }

    void telnetDecoding_data() {
        QTest::addColumn<QByteArrayList>("chunks"); // from the server, after our own requests
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArrayList>("comPort"); // command byte then value
        QTest::addColumn<int>("offer");              // TelnetCodec::Offer
        const auto row = [](const char *name, const QByteArrayList &chunks, const QByteArray &data,
                            const QByteArray &answer, const QByteArrayList &comPort,
                            TelnetCodec::Offer offer = TelnetCodec::Offer::Pending) {
            QTest::newRow(name) << chunks << data << answer << comPort << int(offer);
        };
        row("ser2net's opening: only its own echo offer refused",
            {hex("fffb03 fffd03 fffb01 fffe01 fffd00 fffb00 fffd2c fffa2c6b00fff0")}, {},
            hex("fffe01"), {hex("6b00")}, TelnetCodec::Offer::Accepted);
        row("IAC IAC is 0xFF data, even cut in two", {"A" + hex("ff"), hex("ff") + "B\r\n"},
            "A\xff" + QByteArray("B\r\n"), {}, {});
        row("a message cut anywhere, 0xFF doubled in its value",
            {"x" + hex("fffa"), hex("2c650000ff"), hex("ff00ff"), hex("f0") + "y"}, "xy", {},
            {hex("650000ff00")});
        row("unknown options refused both ways", {hex("fffd18 fffb18")}, {}, hex("fffc18 fffe18"),
            {});
        row("a repeated offer is not answered; withdrawing it is",
            {hex("fffb00 fffb00 fffd03 fffd03 fffc00")}, {}, hex("fffe00"), {});
        row("other commands and subnegotiations passed over",
            {"A" + hex("fff1") + "B" + hex("fff9 fffa1801fff0") + "C"}, "ABC", {}, {});
        row("a message ended by another command, which counts", {hex("fffa2c6b00 fffb18") + "z"},
            "z", hex("fffe18"), {hex("6b00")});
    }

    void telnetDecoding() {
        QFETCH(QByteArrayList, chunks);
        TelnetCodec codec;
        QCOMPARE(codec.start(), hex("fffb00 fffb03 fffb2c fffd00 fffd03"));
        TelnetCodec::Decoded all;
        for (const QByteArray &chunk : chunks) {
            const TelnetCodec::Decoded decoded = codec.decode(chunk);
            all.data += decoded.data;
            all.answer += decoded.answer;
            all.comPort += decoded.comPort;
        }
        QByteArrayList comPort;
        for (const ComPortMessage &message : all.comPort)
            comPort << char(message.command) + message.value;
        QTEST(all.data, "data");
        QTEST(all.answer, "answer");
        QTEST(comPort, "comPort");
        QTEST(int(codec.comPort()), "offer");
    }

    void negotiation_data() {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<QString>("failure"); // after "Could not open URL: "
        const QByteArrayList agreed{kWillComPort, kDoComPort, kStopSizeAsked};
        QTest::newRow("the option never taken up")
            << QByteArrayList{}
            << "the server did not take up the COM-PORT-OPTION (RFC 2217) within 300 ms";
        // Notifications, the signature and the flow control's acknowledgement count for nothing.
        QTest::newRow("settings acknowledged in part")
            << agreed + QByteArrayList{hex("fffa2c6b00fff0 fffa2c6a60fff0 fffa2c64") + "ser2net" +
                                       hex("fff0 fffa2c6901fff0 fffa2c6500002580fff0")}
            << "the server did not acknowledge the data size, parity, stop size within 300 ms";
        QTest::newRow("another baud rate acknowledged")
            << agreed + QByteArrayList{hex("fffa2c6500004b00fff0")}
            << "the server set 19200 baud instead of 9600 baud";
        QTest::newRow("even parity, then 2 stop bits: the first fault is told")
            << agreed + QByteArrayList{hex("fffa2c6500002580fff0 fffa2c6608fff0 "
                                           "fffa2c6703fff0 fffa2c6802fff0")}
            << "the server set even parity instead of no parity";
        QTest::newRow("the option refused") << QByteArrayList{kWillComPort, hex("fffe2c")}
                                            << "the server refused the COM-PORT-OPTION (RFC 2217)";
        QTest::newRow("a banner and notifications, flow control never acknowledged")
            << QByteArrayList{QByteArray(),
                              "\r\nser2net port 7001\r\n\r\n" + hex("fffa2c6b00fff0")} +
                   agreed + QByteArrayList{hex("fffa2c6a60fff0") + kAllAcknowledged}
            << QString();
    }

    // Each ends in its own way within the deadline, with the windows' events running meanwhile.
    void negotiation() {
        QFETCH(QByteArrayList, script);
        QFETCH(QString, failure);
        ScriptedServer server(script);
        const auto transport = test::transportTo(server.url());
        bool eventsRan = false;
        QTimer::singleShot(0, this, [&] { eventsRan = true; });
        QCOMPARE(test::openFailure(*transport, 300ms),
                 failure.isEmpty() ? "opened"
                                   : "8015 Could not open " + server.url() + ": " + failure);
        QVERIFY(eventsRan);
        QCOMPARE(transport->isOpen(), failure.isEmpty());
    }

    // 0xFF travels doubled both ways; a notification amid data is passed over. Bytes written
    // while the server has suspended us wait, and go once it resumes. Our answer to an option
    // request is not held back, so it fences what was written before it.
    void escapesAndSuspendedFlow() {
        ScriptedServer server(kServerThatAgrees);
        const auto transport = test::transportTo(server.url());
        QCOMPARE(test::openFailure(*transport), QStringLiteral("opened"));
        // The unit's settings (the programs ask for no other) as ser2net acknowledged them, byte
        // for byte; SET-CONTROL 1: no flow control.
        QVERIFY(server.received.contains(hex("fffa2c0100002580fff0 fffa2c0208fff0 fffa2c0301fff0 "
                                             "fffa2c0401fff0 fffa2c0501fff0")));
        transport->stream().write("\xff@\xff");
        QTRY_VERIFY(server.received.endsWith(hex("ffff40ffff")));
        // The link's trace peeks at each arrival; the wait must see what came all the same.
        connect(&transport->stream(), &QIODevice::readyRead, this,
                [&] { transport->stream().peek(64); });
        server.send(hex("41ffff") + hex("fffa2c6b20fff0") + "B\r\n");
        QVERIFY(transport->stream().waitForReadyRead(2000));
        QTRY_VERIFY(transport->stream().canReadLine());
        QCOMPARE(transport->stream().readLine(), "A\xff" + QByteArray("B\r\n"));
        server.send(hex("fffa2c6cfff0"));
        QTRY_VERIFY(transport->writesSuspended());
        QCOMPARE(transport->stream().write("@"), 1);
        QCOMPARE(transport->stream().bytesToWrite(), 1);
        server.send(hex("fffd18"));
        QTRY_VERIFY(server.received.endsWith(hex("fffc18")));
        QCOMPARE(server.received.count('@'), 1); // the escapes' alone
        server.send(hex("fffa2c6dfff0"));
        QVERIFY(transport->stream().waitForBytesWritten(1000));
        QTRY_VERIFY(server.received.endsWith('@'));
        QVERIFY(!transport->writesSuspended());
    }
};

QTEST_GUILESS_MAIN(TestNetwork)
#include "tst_network.moc"
