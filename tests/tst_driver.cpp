// The unit driver against the simulated unit: each operation's wire bytes and result, with the
// unit healthy or failing, and replies taken by their shape; the same rows over every way to
// a unit: in this process, a real tty, and Debian's ser2net in front of one (raw, RFC 2217,
// either over TLS, and with a client certificate).
#include "link/devicelink.h"
#include "link/portmap.h"
#include "ser2net.h"
#include "sim/simulatedunit.h"
#include "testports.h"
#include "unit/unitdriver.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>

#ifdef Q_OS_UNIX
#include "sim/ptyunit.h"
#endif

using namespace tonaq;

namespace {

using Operation = std::function<QString(UnitDriver &)>;

const auto yes = [](bool value) { return QString(value ? "yes" : "no"); };

enum class Way { InProcess, Tty, Raw, Rfc2217, Rfc2217Tls, RawTls, ClientCertificate };
const QStringList kWayNames =
    QString("in process|tty|ser2net raw|ser2net RFC 2217|ser2net RFC 2217 over TLS|ser2net raw "
            "over TLS|ser2net RFC 2217 over TLS with a client certificate")
        .split(u'|');
// A real tty, and ser2net in front of one, are a pseudo-terminal's: Unix's alone.
#ifdef Q_OS_UNIX
constexpr Way kWays[] = {Way::InProcess,        Way::Tty,        Way::Raw,
                         Way::Rfc2217,          Way::Rfc2217Tls, Way::RawTls,
                         Way::ClientCertificate};
using TtyUnit = sim::PtyUnit;
#else
constexpr Way kWays[] = {Way::InProcess};
using TtyUnit = sim::SimulatedUnit;
#endif

// The certificates ser2net serves TLS with, made once.
std::optional<test::TestCertificates> g_certificates;

// A driver connected to a simulated unit, the way the row asks.
struct Rig {
    explicit Rig(Way way, sim::SimulatedUnit::Options options = {.pacing = false})
        : owned(way == Way::InProcess ? std::make_unique<sim::SimulatedUnit>(options)
                                      : std::make_unique<TtyUnit>(options))
        , unit(*owned)
        , driver(ports.map()) {
        int number = 3;
        if (way == Way::InProcess) {
            ports.attach(number, unit);
        }
#ifdef Q_OS_UNIX
        else if (way == Way::Tty) {
            ports.link(number, static_cast<sim::PtyUnit &>(unit).devicePath());
        } else {
            const bool tls = way >= Way::Rfc2217Tls, telnet = way != Way::Raw && way != Way::RawTls;
            const bool client = way == Way::ClientCertificate;
            const test::TestCertificates &c = *g_certificates;
            server = std::make_unique<test::Ser2net>(folder.path());
            QStringList layers{telnet ? "telnet(rfc2217)" : ""};
            if (tls)
                layers << QStringLiteral("ssl(key=%1,cert=%2%3)")
                              .arg(c.serverKey, c.serverCert, client ? ",clientauth" : "");
            const quint16 port =
                server->serve(layers.join(u',').mid(telnet ? 0 : 1),
                              static_cast<sim::PtyUnit &>(unit).devicePath(),
                              client ? QStringList{"authdir: " + c.authDir} : QStringList{});
            QString why;
            if (!server->start(&why)) qFatal("ser2net: %s", qPrintable(why));
            ports.map().setCaFile(tls ? c.ca : QString());
            number = ports.map().addNetworkUnit(
                QStringLiteral("%1%2://127.0.0.1:%3")
                    .arg(telnet ? "rfc2217" : "tcp", tls ? "+tls" : "")
                    .arg(port) +
                (client ? QStringLiteral("?cert=%1&key=%2").arg(c.clientCert, c.clientKey) : ""));
        }
#endif
        driver.channel().createLink(QStringLiteral("9600,n,8,1"));
        driver.channel().link().setPortNumber(number);
        driver.channel().link().openPort();
    }
    // What the unit received, once a fence byte written after it has arrived.
    QByteArray received() {
        driver.channel().send("~");
        if (!QTest::qWaitFor([this] { return unit.received().endsWith('~'); })) return "no fence";
        return unit.received().chopped(1);
    }
    QTemporaryDir folder;
    test::TestPorts ports;
    std::unique_ptr<sim::SimulatedUnit> owned;
    sim::SimulatedUnit &unit;
    std::unique_ptr<test::Ser2net> server; // goes before the unit it serves
    UnitDriver driver;
};

} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Way)
Q_DECLARE_METATYPE(tonaq::sim::Faults)

class TestDriver : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if constexpr (std::size(kWays) == 1) return; // no ser2net rows
        if (test::Ser2net::program().isEmpty()) {
            if (qEnvironmentVariableIsSet("CI")) QFAIL("ser2net is not installed");
            return; // its rows skip
        }
        static QTemporaryDir folder;
        QString why;
        g_certificates = test::makeCertificates(folder.path(), QStringLiteral("tonaq"), &why);
        QVERIFY2(g_certificates, qPrintable(why));
    }

    void operations_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<sim::Faults>("fault");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, sim::Faults fault, Operation op,
                            const QByteArray &wire, const QString &result, bool everyWay = true) {
            for (const Way way : kWays) {
                if (everyWay || way == Way::InProcess)
                    QTest::addRow("%s: %s", qPrintable(kWayNames[int(way)]), name)
                        << way << fault << op << wire << result;
            }
        };
        using enum sim::Marker;
        const sim::Faults healthy, silent{.silent = true},
            noMarkers{.missingMarkers = Connect | SingleTone | MemoryPlay | Store | Sequence};
        const Operation handshake = [](UnitDriver &d) {
            const QString greeted = yes(d.handshake());
            return greeted + u' ' + d.firmwareVersion();
        };
        row("handshake", healthy, handshake, "@R", "yes 2.10 (simulated)\r\n");
        row("handshake, silent", silent, handshake, "@R", "no ");
        row("handshake, no marker", noMarkers, handshake, "@R", "no 2.10 (simulated)\r\n");
        // (Other operations against a failing unit: tst_faultsurvival's wire and status.)
        // A unit or adapter that takes well over half the first-byte wait is still heard. The
        // driver's own rule: a server in between adds its own delay.
        row("handshake, replies after 170 ms", {.extraReplyDelayMs = 170}, handshake, "@R",
            "yes 2.10 (simulated)\r\n", false);
        // Operations that answer nothing: the wire alone.
        row(
            "instant tone", healthy,
            [](UnitDriver &d) { return d.startTone(u'5'), d.stopTone(), QString(); }, "%5%", "");
        const Operation single = [](UnitDriver &d) {
            const bool taken = d.attention() && d.enterSingleTone();
            if (taken) d.playTimedTone("b", "200");
            return yes(taken);
        };
        row("single tone", healthy, single, "@Ib,200\r", "yes");
        row(
            "abort", healthy, [](UnitDriver &d) { return d.interrupt(), d.silence(), QString(); },
            "\r\n%", "");
        // "OK" and "Ready" of an empty location come back to back: each read takes one line, so the
        // "Ready" is not swallowed by the select's read.
        const Operation play = [](UnitDriver &d) {
            const QString mode = yes(d.enterMemoryPlay());
            d.selectPlayLocation(4);
            const QString ready = yes(d.readyArrived());
            d.confirmPlayed(u'5');
            return mode + u' ' + ready;
        };
        row("memory play", healthy, play, "M4\r\n5\r\n", "yes yes");
        const Operation view = [](UnitDriver &d) {
            d.enterView();
            return d.viewLocation(3);
        };
        row("view", healthy, view, "V3",
            "\r\nMemory location 3\r\nLength = 100ms : Space = 50ms\r\nString = 123#\r\n");
        row("view, report cut short", {.reportFault = sim::ReportFault::NoFourthLine}, view, "V3",
            "\r\nMemory location 3\r\nLength = 100ms : Space = 50ms\r\n");
        row("view, silent", silent, view, "V3", "");
        row(
            "reset", healthy, [](UnitDriver &d) { return d.resetMemory(), QString(); }, "^0", "");
        const QList<SequenceRow> rows{{"5", "100", "50"}, {}, {"#", "", ""}};
        const Operation send = [rows](UnitDriver &d) { return yes(d.sendSequence(rows)); };
        row("sequence", healthy, send, "@F5,100,50\r\n#,,\r\n\r\n", "yes");
        // Through telnet 0xFF must travel doubled, or the server would take it for a command.
        row(
            "0xFF", healthy, [](UnitDriver &d) { return d.channel().send("\xff@"), QString(); },
            "\xff@", "");
    }

    void operations() {
        QFETCH(Way, way);
        QFETCH(sim::Faults, fault);
        QFETCH(Operation, operation);
        if (way > Way::Tty && !g_certificates) QSKIP("ser2net is not installed");
        Rig rig(way);
        rig.unit.setLocation(4, {});
        rig.unit.setFaults(fault);
        QTEST(operation(rig.driver), "result");
        QTEST(rig.received(), "wire");
    }
};

QTEST_GUILESS_MAIN(TestDriver)
#include "tst_driver.moc"
