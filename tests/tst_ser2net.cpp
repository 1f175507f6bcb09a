// The network transport against Debian's ser2net, run by the test on 127.0.0.1 in front of
// simulated units, for the faults a real server gives (its working ways: tst_driver's rows): the
// port held for another client, nothing listening, a name that does not resolve, certificates
// that do not verify, the server gone mid-session.
#include "link/networktransport.h"
#include "ser2net.h"
#include "sim/ptyunit.h"
#include "testports.h"

#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

using namespace tonaq;
using test::openFailure;
using test::transportTo;

namespace {

// Sends a command and reads its one-line reply, as the link frames it.
QByteArray exchange(NetworkTransport &transport, const QByteArray &command) {
    transport.discardInput();
    transport.stream().write(command);
    QByteArray reply;
    while (!reply.contains('\n') && transport.stream().waitForReadyRead(2000))
        reply += transport.stream().readAll();
    return reply;
}

} // namespace

class TestSer2net : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
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
        const auto serve = [&](const QString &layers, const QStringList &options = {}) {
            m_units.push_back(
                std::make_unique<sim::PtyUnit>(sim::SimulatedUnitOptions{.pacing = false}));
            return m_server->serve(layers, m_units.back()->devicePath(), options);
        };
        const QString tls =
            QStringLiteral("ssl(key=%1,cert=%2").arg(m_certs.serverKey, m_certs.serverCert);
        m_raw = serve({});
        m_telnet = serve(QStringLiteral("telnet(rfc2217)"));
        m_telnetTls = serve(QStringLiteral("telnet(rfc2217),") + tls + u')');
        m_otherCa =
            serve(QStringLiteral("ssl(key=%1,cert=%2)").arg(m_certs.otherKey, m_certs.otherCert));
        m_clientAuth = serve(QStringLiteral("telnet(rfc2217),") + tls + ",clientauth)",
                             {QStringLiteral("authdir: ") + m_certs.authDir});
        QVERIFY2(m_server->start(&why), qPrintable(why));
        QVERIFY(::mkfifo(qPrintable(m_folder.filePath("fifo")), 0600) == 0);
    }

    void openFaults_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("holdFirst");   // another client has the port open already
        QTest::addColumn<QString>("expected"); // pattern of "number description"
        const auto row = [](const char *name, const QString &url, bool holdFirst,
                            const QString &why) {
            QTest::newRow(name) << url << holdFirst
                                << "8015 Could not open " +
                                       QRegularExpression::escape(url.section(u'?', 0, 0)) + ": " +
                                       why;
        };
        const QString ca = QStringLiteral("?ca=") + m_certs.ca;
        const QString unverified = QStringLiteral("the server's certificate was not verified: .+");
        row("raw port held for another client", url("tcp", m_raw), true, "Port already in use");
        row("rfc2217 port held for another client", url("rfc2217", m_telnet), true,
            "Port already in use");
        row("nothing listens", url("rfc2217", test::freePort()), false, "Connection refused");
        // A resolver that cannot answer at once meets the deadline instead.
        row("name not resolved", "tcp://tonaq-unit.invalid:7001", false,
            "(Host not found|the name was not resolved within 3 s)");
        row("server certificate from another CA", url("tcp+tls", m_otherCa, ca), false, unverified);
        row("own CA not in the system's store", url("rfc2217+tls", m_telnetTls), false, unverified);
        row("client certificate asked, none offered", url("rfc2217+tls", m_clientAuth, ca), false,
            "the server closed the connection \\(does it want a client certificate\\? .+\\)");
        // A key that never ends, or waits for a writer, is not read.
        const QString key = ca + "&cert=" + m_certs.clientCert + "&key=";
        for (const QString &file : {QStringLiteral("/dev/zero"), m_folder.filePath("fifo")})
            row(qPrintable("key " + file), url("rfc2217+tls", m_clientAuth, key + file), false,
                "no private key could be read from " + QRegularExpression::escape(file) +
                    " \\(PEM, no passphrase\\): not a regular file");
    }

    void openFaults() {
        QFETCH(QString, url);
        QFETCH(bool, holdFirst);
        QFETCH(QString, expected);
        std::unique_ptr<NetworkTransport> first;
        if (holdFirst) {
            first = transportTo(url);
            QCOMPARE(openFailure(*first), QStringLiteral("opened"));
        }
        auto transport = transportTo(url);
        const QString failure = openFailure(*transport);
        QVERIFY2(QRegularExpression(u'^' + expected + u'$').match(failure).hasMatch(),
                 qPrintable(failure));
        QVERIFY(!transport->isOpen());
        if (first) QCOMPARE(exchange(*first, "@"), QByteArray("Connected\r\n"));
    }

    void relativeFilesOfAUnit_data() {
        QTest::addColumn<bool>("entry"); // of the ports folder, else a URL on the command line
        QTest::newRow("an entry's, beside it") << true;
        QTest::newRow("a command line's, in the working folder") << false;
    }

    void relativeFilesOfAUnit() {
        QFETCH(bool, entry);
        test::TestPorts ports;
        QTemporaryDir work;
        const QString unit = url("rfc2217+tls", m_telnetTls, "?ca=lab-ca.pem");
        QVERIFY(QFile::copy(m_certs.ca, (entry ? ports.folder() : work.path()) + "/lab-ca.pem"));
        QFile file(ports.folder() + "/COM12");
        QVERIFY(!entry || (file.open(QIODevice::WriteOnly) && file.write(unit.toUtf8()) > 0));
        file.close();
        ports.map().refresh();
        const QString home = QDir::currentPath();
        QDir::setCurrent(work.path()); // where a shell user stands
        const auto transport = ports.map().makeTransport(
            *ports.map().entry(entry ? 12 : ports.map().addNetworkUnit(unit)));
        QDir::setCurrent(home);
        QCOMPARE(openFailure(static_cast<NetworkTransport &>(*transport)), "opened");
    }

    void sessionEndIsLostOnce_data() {
        QTest::addColumn<bool>("unitVanishes"); // else ser2net itself ends
        QTest::newRow("ser2net killed") << false;
        QTest::newRow("the unit's device gone") << true;
    }

    // Said once, and every read and write after it fails.
    void sessionEndIsLostOnce() {
        QFETCH(bool, unitVanishes);
        sim::PtyUnit unit({.pacing = false});
        QTemporaryDir folder;
        test::Ser2net server(folder.path());
        const quint16 port = server.serve(QStringLiteral("telnet(rfc2217)"), unit.devicePath());
        QString why;
        QVERIFY2(server.start(&why), qPrintable(why));
        auto transport = transportTo(url("rfc2217", port));
        QSignalSpy lost(transport.get(), &Transport::lost);
        QCOMPARE(openFailure(*transport), QStringLiteral("opened"));
        QCOMPARE(exchange(*transport, "@"), QByteArray("Connected\r\n"));
        unitVanishes ? unit.vanish() : server.kill();
        QTRY_COMPARE(lost.count(), 1);
        QCOMPARE(lost[0][0].toString(),
                 url("rfc2217", port) + ": the server closed the connection");
        QCOMPARE(transport->stream().write("@"), -1);
        QCOMPARE(transport->stream().read(1), QByteArray());
        QVERIFY(!transport->stream().waitForReadyRead(10));
        QCOMPARE(lost.count(), 1);
        transport->close();
        QVERIFY(!transport->isOpen());
    }

private:
    static QString url(const char *scheme, quint16 port, const QString &query = {}) {
        return QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(scheme)).arg(port) + query;
    }

    QTemporaryDir m_folder;
    test::TestCertificates m_certs;
    std::vector<std::unique_ptr<sim::PtyUnit>> m_units;
    std::unique_ptr<test::Ser2net> m_server;
    quint16 m_raw = 0, m_telnet = 0, m_telnetTls = 0, m_otherCa = 0, m_clientAuth = 0;
};

QTEST_GUILESS_MAIN(TestSer2net)
#include "tst_ser2net.moc"
