// The firmware's replies and modes, with no time passing that matters.
#include "sim/unitfirmware.h"

#include <QTest>

using namespace tonaq::sim;
using Mode = UnitFirmware::Mode;

Q_DECLARE_METATYPE(tonaq::sim::Faults)
Q_DECLARE_METATYPE(tonaq::sim::UnitFirmware::Mode)

namespace {

// Feeds the input at time 0, lets every play run to its end, and returns all the replies.
QByteArray exchange(UnitFirmware &firmware, const QByteArray &input) {
    firmware.feed(input, 0);
    firmware.advanceTo(1e7);
    QByteArray out;
    for (const Reply &reply : firmware.takeReplies())
        out += reply.bytes;
    return out;
}

QByteArray report(int index, const QByteArray &times, const QByteArray &tones) {
    return "\r\nMemory location " + QByteArray::number(index) + "\r\n" + times +
           "\r\nString = " + tones + "\r\n";
}

} // namespace

class TestUnitFirmware : public QObject {
    Q_OBJECT
private slots:
    void commandsAndModes_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<Mode>("modeAfter");
        const auto row = [](const char *name, const QByteArray &in, const QByteArray &out,
                            Mode mode = Mode::Idle) { QTest::newRow(name) << in << out << mode; };
        const QByteArray ok = "OK\r\n";

        row("not commands, caret dropped", "irxyz?.5#^@", "Connected\r\n");
        row("CR LF one reply, LF another", "\r\n\n", ok + ok);

        row("single mode", "I", "SM\r\n", Mode::SingleTone);
        row("single play, CR LF", "I5,100\r\n", "SM\r\n" + ok);
        row("single bad tone", "IX,100\r", "SM\r\n?\r\n");

        row("memory mode", "M", "MP\r\n", Mode::MemoryLine);
        row("memory 8", "M8\r\n", "MP\r\n?\r\nReady\r\n");

        row("view mode", "V", "VW\r\n", Mode::View);
        row("view 8, then a command", "V8@", "VW\r\n?\r\nConnected\r\n");

        row("store bad location", "S9\r\n", "SS\r\n?\r\n");
        row("store times", "S2\r\n100,50\r\n", "SS\r\n" + ok + ok, Mode::StoreTones);
        row("store string", "S2\r\n100,50\r\n1x\r#.",
            "SS\r\n" + ok.repeated(3) + "?\r\n?\r\nOK\r\nStored\r\n");
        row("stored, then reset to the defaults", "S3\r\n20,30\r\n7.V3^0V3",
            "SS\r\n" + ok.repeated(3) + "Stored\r\nVW\r\n" +
                report(3, "Length = 20ms : Space = 30ms", "7") + "Reset\r\nVW\r\n" +
                report(3, "Length = 100ms : Space = 50ms", "123#"));
        row("store 20 tones", "S0\r\n1,2\r\n" + QByteArray(20, '7') + ".",
            "SS\r\n" + ok.repeated(21) + "Stored\r\n");
    }

    void commandsAndModes() {
        QFETCH(QByteArray, input);
        UnitFirmware firmware;
        QTEST(exchange(firmware, input), "reply");
        QTEST(firmware.mode(), "modeAfter");
    }

    void faults_data() {
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("reply");
        const auto row = [](const char *name, Faults faults, const QByteArray &in,
                            const QByteArray &out) { QTest::newRow(name) << faults << in << out; };
        const QByteArray times3 = "Length = 100ms : Space = 50ms";
        const auto lineThree = [](ReportFault fault, int location = -1) {
            return Faults{.reportFault = fault, .reportFaultLocation = location};
        };

        row("no Connect", {.missingMarkers = Marker::Connect}, "@", "Hello\r\n");
        row("SM SS MP missing",
            {.missingMarkers = Marker::SingleTone | Marker::Store | Marker::MemoryPlay},
            "I\r@S\r\n", "Single\r\n?\r\nConnected\r\nStore\r\n?\r\n");
        row("empty view, other location", {.emptyViewLocation = 3}, "V3V2",
            "VW\r\nVW\r\n" + report(2, "Length = 150ms : Space = 75ms", "5551212"));
        row("no third line", lineThree(ReportFault::NoThirdLine), "V3",
            "VW\r\n\r\nMemory location 3\r\n");
        row("no colon", lineThree(ReportFault::NoColon), "V3",
            "VW\r\n" + report(3, "Length = 100ms   Space = 50ms", "123#"));
        row("broken report, other location", lineThree(ReportFault::NoColon, 5), "V3",
            "VW\r\n" + report(3, times3, "123#"));
        row("never Ready, bad location", {.neverReady = true}, "M9\r\n@",
            "MP\r\n?\r\nConnected\r\n");
    }

    void faults() {
        QFETCH(Faults, faults);
        QFETCH(QByteArray, input);
        UnitFirmware firmware;
        firmware.setFaults(faults);
        QTEST(exchange(firmware, input), "reply");
        QCOMPARE(firmware.mode(), Mode::Idle);
    }
};

QTEST_GUILESS_MAIN(TestUnitFirmware)
#include "tst_unitfirmware.moc"
