// The unit driver against the simulated unit in this process: each operation's wire bytes and
// result, with the unit healthy or failing, and replies taken by their shape.
#include "link/devicelink.h"
#include "sim/simulatedunit.h"
#include "testports.h"
#include "unit/unitdriver.h"

#include <QTest>
#include <functional>

using namespace tonaq;

namespace {

using Operation = std::function<QString(UnitDriver &)>;

QString yes(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

// A driver connected to a simulated unit on COM3.
struct Rig {
    explicit Rig(sim::SimulatedUnit::Options options = {.pacing = false})
        : unit(options)
        , driver(ports.map()) {
        ports.attach(3, unit);
        driver.channel().createLink(QStringLiteral("9600,n,8,1"));
        driver.channel().link().setPortNumber(3);
        driver.channel().link().openPort();
    }
    // What the unit received, once a fence byte written after it has arrived.
    QByteArray received() {
        driver.channel().send("~");
        if (!QTest::qWaitFor([this] { return unit.received().endsWith('~'); })) return "no fence";
        return unit.received().chopped(1);
    }
    test::TestPorts ports;
    sim::SimulatedUnit unit;
    UnitDriver driver;
};

} // namespace

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(tonaq::sim::Faults)

class TestDriver : public QObject {
    Q_OBJECT
private slots:
    void operations_data();
    void operations();
    void slowAndChunkedRepliesArriveWhole();
};

void TestDriver::operations_data() {
    QTest::addColumn<sim::Faults>("fault");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("result");
    const auto row = [](const char *name, sim::Faults fault, Operation op, const QByteArray &wire,
                        const QString &result) {
        QTest::newRow(name) << fault << op << wire << result;
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
    // A unit or adapter that takes most of the first-byte wait is still heard.
    row("handshake, replies after 200 ms", {.extraReplyDelayMs = 200}, handshake, "@R",
        "yes 2.10 (simulated)\r\n");
    row(
        "instant tone", healthy,
        [](UnitDriver &d) {
            d.startTone(u'5');
            d.stopTone();
            return QString();
        },
        "%5%", "");
    const Operation single = [](UnitDriver &d) {
        const bool taken = d.attention() && d.enterSingleTone();
        if (taken) d.playTimedTone("b", "200");
        return yes(taken);
    };
    row("single tone", healthy, single, "@Ib,200\r", "yes");
    row("single tone, no SM", noMarkers, single, "@I", "no");
    row(
        "abort", healthy,
        [](UnitDriver &d) {
            d.interrupt();
            d.silence();
            return QString();
        },
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
    row("memory play, no Ready", {.neverReady = true}, play, "M4\r\n5\r\n", "yes no");
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
        "reset", healthy,
        [](UnitDriver &d) {
            d.resetMemory();
            return QString();
        },
        "^0", "");
    const QList<SequenceRow> rows{{"5", "100", "50"}, {}, {"#", "", ""}};
    const Operation send = [rows](UnitDriver &d) { return yes(d.sendSequence(rows)); };
    row("sequence", healthy, send, "@F5,100,50\r\n#,,\r\n\r\n", "yes");
    row("sequence, no MM", noMarkers, send, "@F\r\n", "no");
    row("sequence, silent", silent, send, "@\r\n", "no");
}

void TestDriver::operations() {
    QFETCH(sim::Faults, fault);
    QFETCH(Operation, operation);
    Rig rig;
    rig.unit.setLocation(4, {});
    rig.unit.setFaults(fault);
    QTEST(operation(rig.driver), "result");
    QTEST(rig.received(), "wire");
}

// A writer that pauses 30 ms between bytes, or an adapter that holds them back 16 ms, must never
// have its report cut in two: that read location 2's tones as "Str" before.
void TestDriver::slowAndChunkedRepliesArriveWhole() {
    for (const auto &[byteGapMs, chunkMs] : {std::pair(30.0, 0), std::pair(0.0, 16)}) {
        Rig rig({.pacing = true, .chunkMs = chunkMs});
        rig.unit.setByteGapMs(byteGapMs);
        QVERIFY(rig.driver.handshake());
        rig.driver.enterView();
        QCOMPARE(rig.driver.viewLocation(2),
                 "\r\nMemory location 2\r\nLength = 150ms : Space = 75ms\r\nString = 5551212\r\n");
    }
}

QTEST_GUILESS_MAIN(TestDriver)
#include "tst_driver.moc"
