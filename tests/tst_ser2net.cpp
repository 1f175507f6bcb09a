// The network transport against Debian's ser2net, run by the test on 127.0.0.1 in front of
// simulated units: raw TCP, telnet with RFC 2217, both inside TLS, a client certificate; and
// the faults a real server gives: the port held for another client, nothing listening, a name
// that does not resolve, certificates that do not verify, the server gone mid-session.
#include "base/tonaqerror.h"
#include "link/networktransport.h"
#include "ser2net.h"
#include "sim/ptyunit.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tonaq;
using namespace std::chrono_literals;

namespace {

// What the link's caller would pass: the unit's settings and a 3 s deadline.
constexpr auto kDeadline = 3000ms;

std::unique_ptr<NetworkTransport> transportFor(const QString &url) {
    QString why;
    const std::optional<NetworkAddress> address = parseNetworkAddress(url, &why);
    if (!address) qFatal("%s: %s", qPrintable(url), qPrintable(why));
    return std::make_unique<NetworkTransport>(*address);
}

// The description open() failed with, or "opened".
QString openFailure(NetworkTransport &transport) {
    try {
        transport.open(LineSettings{}, kDeadline);
    } catch (const TonaqError &error) {
        return QStringLiteral("%1 %2").arg(error.number()).arg(error.description());
    }
    return QStringLiteral("opened");
}

// Reads until `lines` whole lines came, as the link frames a reply.
QByteArray readLines(QIODevice &stream, int lines) {
    QByteArray reply;
    while (reply.count('\n') < lines && stream.waitForReadyRead(2000))
        reply += stream.readAll();
    return reply;
}

QByteArray exchange(NetworkTransport &transport, const QByteArray &command, int lines) {
    transport.discardInput();
    transport.stream().write(command);
    return readLines(transport.stream(), lines);
}

} // namespace

class TestSer2net : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void unitAnswersThroughServer_data();
    void unitAnswersThroughServer();
    void openFaults_data();
    void openFaults();
    void sessionEndIsLostOnce_data();
    void sessionEndIsLostOnce();

private:
    QString url(const char *scheme, quint16 port, const QString &query = {}) const {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(QLatin1String(scheme))
            .arg(port)
            .arg(query);
    }

    QTemporaryDir m_folder;
    test::TestCertificates m_certs;
    std::vector<std::unique_ptr<sim::PtyUnit>> m_units;
    std::unique_ptr<test::Ser2net> m_server;
    quint16 m_raw = 0, m_telnet = 0, m_rawTls = 0, m_telnetTls = 0, m_otherCa = 0, m_clientAuth = 0;
};

void TestSer2net::initTestCase() {
    if (test::Ser2net::program().isEmpty()) {
        if (qEnvironmentVariableIsSet("CI")) QFAIL("ser2net is not installed");
        QSKIP("ser2net is not installed (scripts/install-deps brings it)");
    }
    QString why;
    const auto certs = test::makeCertificates(m_folder.path(), QStringLiteral("tonaq"), &why);
    QVERIFY2(certs, qPrintable(why));
    m_certs = *certs;
    m_server = std::make_unique<test::Ser2net>(m_folder.path());
    // A unit of its own behind every port: ser2net frees a device some milliseconds after
    // its client left, which a test switching ports would otherwise meet as "in use".
    const auto device = [&] {
        m_units.push_back(
            std::make_unique<sim::PtyUnit>(sim::SimulatedUnitOptions{.pacing = false}));
        return m_units.back()->devicePath();
    };
    const QString tls =
        QStringLiteral("ssl(key=%1,cert=%2)").arg(m_certs.serverKey, m_certs.serverCert);
    m_raw = m_server->serve({}, device());
    m_telnet = m_server->serve(QStringLiteral("telnet(rfc2217)"), device());
    m_rawTls = m_server->serve(tls, device());
    m_telnetTls = m_server->serve(QStringLiteral("telnet(rfc2217),") + tls, device());
    m_otherCa = m_server->serve(
        QStringLiteral("ssl(key=%1,cert=%2)").arg(m_certs.otherKey, m_certs.otherCert), device());
    m_clientAuth = m_server->serve(QStringLiteral("telnet(rfc2217),ssl(key=%1,cert=%2,clientauth)")
                                       .arg(m_certs.serverKey, m_certs.serverCert),
                                   device(), {QStringLiteral("authdir: ") + m_certs.authDir});
    QVERIFY2(m_server->start(&why), qPrintable(why));
}

void TestSer2net::unitAnswersThroughServer_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("unit");
    const QString ca = QStringLiteral("?ca=") + m_certs.ca;
    QTest::newRow("raw") << url("tcp", m_raw) << 0;
    QTest::newRow("rfc2217") << url("rfc2217", m_telnet) << 1;
    QTest::newRow("raw, tls") << url("tcp+tls", m_rawTls, ca) << 2;
    QTest::newRow("rfc2217, tls") << url("rfc2217+tls", m_telnetTls, ca) << 3;
    QTest::newRow("rfc2217, tls, client certificate")
        << url("rfc2217+tls", m_clientAuth,
               ca + QStringLiteral("&cert=%1&key=%2").arg(m_certs.clientCert, m_certs.clientKey))
        << 5;
}

// Connects, reads a one-line reply and a location report, and the unit gets 0xFF as sent:
// through telnet it must travel doubled, or the server would take it for a command.
void TestSer2net::unitAnswersThroughServer() {
    QFETCH(QString, url);
    QFETCH(int, unit);
    sim::PtyUnit &simulated = *m_units[unit];
    for (int round = 0; round < 2; ++round) { // and once more after a close
        auto transport = transportFor(url);
        QCOMPARE(openFailure(*transport), QStringLiteral("opened"));
        QCOMPARE(exchange(*transport, "@", 1), QByteArray("Connected\r\n"));
        QCOMPARE(exchange(*transport, "V", 1), QByteArray("VW\r\n"));
        const QByteArray report = exchange(*transport, "0", 4);
        QCOMPARE(report.split('\n').mid(0, 2), (QByteArrayList{"\r", "Memory location 0\r"}));
        QCOMPARE(report.count('\n'), 4);
        simulated.clearRecords();
        QCOMPARE(exchange(*transport, "\xff@", 1), QByteArray("Connected\r\n"));
        QCOMPARE(simulated.received(), QByteArray("\xff@"));
        transport->close();
    }
}

void TestSer2net::openFaults_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("holdFirst");   // another client has the port open already
    QTest::addColumn<QString>("expected"); // pattern of "number description"
    const QString ca = QStringLiteral("?ca=") + m_certs.ca;
    QTest::newRow("raw port held for another client")
        << url("tcp", m_raw) << true
        << QStringLiteral("8015 Could not open tcp://127.0.0.1:%1: Port already in use").arg(m_raw);
    QTest::newRow("rfc2217 port held for another client")
        << url("rfc2217", m_telnet) << true
        << QStringLiteral("8015 Could not open rfc2217://127.0.0.1:%1: Port already in use")
               .arg(m_telnet);
    const quint16 closed = test::freePort();
    QTest::newRow("nothing listens")
        << url("rfc2217", closed) << false
        << QStringLiteral("8015 Could not open rfc2217://127.0.0.1:%1: Connection refused")
               .arg(closed);
    // A resolver that cannot answer at once meets the deadline instead.
    QTest::newRow("name not resolved")
        << QStringLiteral("tcp://tonaq-unit.invalid:7001") << false
        << QStringLiteral("8015 Could not open tcp://tonaq-unit.invalid:7001: (Host not found|the "
                          "name was not resolved within 3 s)");
    QTest::newRow("server certificate from another CA")
        << url("tcp+tls", m_otherCa, ca) << false
        << QStringLiteral("8015 Could not open tcp\\+tls://127.0.0.1:%1: the server's certificate "
                          "was not verified: .+")
               .arg(m_otherCa);
    QTest::newRow("own CA not in the system's store")
        << url("rfc2217+tls", m_telnetTls) << false
        << QStringLiteral("8015 Could not open rfc2217\\+tls://127.0.0.1:%1: the server's "
                          "certificate was not verified: .+")
               .arg(m_telnetTls);
    QTest::newRow("client certificate asked, none offered")
        << url("rfc2217+tls", m_clientAuth, ca) << false
        << QStringLiteral("8015 Could not open rfc2217\\+tls://127.0.0.1:%1: the server closed the "
                          "connection \\(does it want a client certificate\\? .+\\)")
               .arg(m_clientAuth);
}

void TestSer2net::openFaults() {
    QFETCH(QString, url);
    QFETCH(bool, holdFirst);
    QFETCH(QString, expected);
    std::unique_ptr<NetworkTransport> first;
    if (holdFirst) {
        first = transportFor(url);
        QCOMPARE(openFailure(*first), QStringLiteral("opened"));
    }
    auto transport = transportFor(url);
    const QString failure = openFailure(*transport);
    QVERIFY2(QRegularExpression(u'^' + expected + u'$').match(failure).hasMatch(),
             qPrintable(failure));
    QVERIFY(!transport->isOpen());
    if (first) QCOMPARE(exchange(*first, "@", 1), QByteArray("Connected\r\n"));
}

void TestSer2net::sessionEndIsLostOnce_data() {
    QTest::addColumn<bool>("unitVanishes"); // else ser2net itself ends
    QTest::newRow("ser2net killed") << false;
    QTest::newRow("the unit's device gone") << true;
}

// Said once, and every read and write after it fails.
void TestSer2net::sessionEndIsLostOnce() {
    QFETCH(bool, unitVanishes);
    sim::PtyUnit unit({.pacing = false});
    QTemporaryDir folder;
    test::Ser2net server(folder.path());
    const quint16 port = server.serve(QStringLiteral("telnet(rfc2217)"), unit.devicePath());
    QString why;
    QVERIFY2(server.start(&why), qPrintable(why));
    auto transport = transportFor(url("rfc2217", port));
    QSignalSpy lost(transport.get(), &Transport::lost);
    QCOMPARE(openFailure(*transport), QStringLiteral("opened"));
    QCOMPARE(exchange(*transport, "@", 1), QByteArray("Connected\r\n"));
    if (unitVanishes)
        unit.vanish();
    else
        server.kill();
    QTRY_COMPARE(lost.count(), 1);
    QCOMPARE(lost[0][0].toString(),
             QStringLiteral("rfc2217://127.0.0.1:%1: the server closed the connection").arg(port));
    QCOMPARE(transport->stream().write("@"), -1);
    QCOMPARE(transport->stream().read(1), QByteArray());
    QVERIFY(!transport->stream().waitForReadyRead(10));
    QCOMPARE(lost.count(), 1);
    transport->close();
    QVERIFY(!transport->isOpen());
}

QTEST_GUILESS_MAIN(TestSer2net)
#include "tst_ser2net.moc"
