// The firmware's replies and modes, with no time passing that matters.
#include "firmwaretesthelpers.h"

#include <QTest>

using namespace tonaq::sim;
using namespace tonaq::sim::test;
using Mode = UnitFirmware::Mode;

class TestUnitFirmware : public QObject {
    Q_OBJECT
private slots:
    void commandsAndModes_data();
    void commandsAndModes();
    void storeThenView_data();
    void storeThenView();
    void resetRestoresDefaults();
    void faults_data();
    void faults();
};

void TestUnitFirmware::commandsAndModes_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<Mode>("modeAfter");

    QTest::newRow("attention") << QByteArray("@") << QByteArray("Connected\r\n") << Mode::Idle;
    QTest::newRow("firmware") << QByteArray("R") << QByteArray("2.10 (simulated)\r\n")
                              << Mode::Idle;
    QTest::newRow("lower-case command ignored") << QByteArray("ir") << QByteArray() << Mode::Idle;
    QTest::newRow("other bytes ignored") << QByteArray("xyz?.5#") << QByteArray() << Mode::Idle;
    QTest::newRow("CR LF one reply") << QByteArray("\r\n") << QByteArray("OK\r\n") << Mode::Idle;
    QTest::newRow("lone CR") << QByteArray("\r") << QByteArray("OK\r\n") << Mode::Idle;
    QTest::newRow("lone LF") << QByteArray("\n") << QByteArray("OK\r\n") << Mode::Idle;
    QTest::newRow("LF CR LF") << QByteArray("\n\r\n") << QByteArray("OK\r\nOK\r\n") << Mode::Idle;
    QTest::newRow("reset") << QByteArray("^0") << QByteArray("Reset\r\n") << Mode::Idle;
    QTest::newRow("caret then command")
        << QByteArray("^@") << QByteArray("Connected\r\n") << Mode::Idle;
    QTest::newRow("percent tone silent") << QByteArray("%5") << QByteArray() << Mode::Idle;

    QTest::newRow("single mode") << QByteArray("I") << QByteArray("SM\r\n") << Mode::SingleTone;
    QTest::newRow("single play") << QByteArray("I5,100\r") << QByteArray("SM\r\nOK\r\n")
                                 << Mode::Idle;
    QTest::newRow("single play CR LF")
        << QByteArray("I5,100\r\n") << QByteArray("SM\r\nOK\r\n") << Mode::Idle;
    QTest::newRow("single lower case")
        << QByteArray("Ic,100\r") << QByteArray("SM\r\nOK\r\n") << Mode::Idle;
    QTest::newRow("single bad tone")
        << QByteArray("IX,100\r") << QByteArray("SM\r\n?\r\n") << Mode::Idle;
    QTest::newRow("single two tones")
        << QByteArray("I55,100\r") << QByteArray("SM\r\n?\r\n") << Mode::Idle;
    QTest::newRow("single empty") << QByteArray("I\r") << QByteArray("SM\r\n?\r\n") << Mode::Idle;

    QTest::newRow("memory mode") << QByteArray("M") << QByteArray("MP\r\n") << Mode::MemoryLine;
    QTest::newRow("memory play") << QByteArray("M0\r\n") << QByteArray("MP\r\nOK\r\nReady\r\n")
                                 << Mode::Idle;
    QTest::newRow("memory 8") << QByteArray("M8\r\n") << QByteArray("MP\r\n?\r\nReady\r\n")
                              << Mode::Idle;
    QTest::newRow("memory two digits")
        << QByteArray("M12\r\n") << QByteArray("MP\r\n?\r\nReady\r\n") << Mode::Idle;
    QTest::newRow("memory empty line")
        << QByteArray("M\r\n") << QByteArray("MP\r\n?\r\nReady\r\n") << Mode::Idle;

    QTest::newRow("view mode") << QByteArray("V") << QByteArray("VW\r\n") << Mode::View;
    QTest::newRow("view 3") << QByteArray("V3")
                            << "VW\r\n" + report(3, "Length = 100ms : Space = 50ms", "123#")
                            << Mode::Idle;
    QTest::newRow("view 0") << QByteArray("V0")
                            << "VW\r\n" + report(0, "Length = 100ms : Space = 50ms", "0123456789")
                            << Mode::Idle;
    QTest::newRow("view 8") << QByteArray("V8") << QByteArray("VW\r\n?\r\n") << Mode::Idle;
    QTest::newRow("view then command")
        << QByteArray("Vx@") << QByteArray("VW\r\n?\r\nConnected\r\n") << Mode::Idle;

    QTest::newRow("store mode") << QByteArray("S") << QByteArray("SS\r\n") << Mode::StoreLocation;
    QTest::newRow("store bad location")
        << QByteArray("S9\r\n") << QByteArray("SS\r\n?\r\n") << Mode::Idle;
    QTest::newRow("store times") << QByteArray("S2\r\n100,50\r\n")
                                 << QByteArray("SS\r\nOK\r\nOK\r\n") << Mode::StoreTones;
    QTest::newRow("store string") << QByteArray("S2\r\n100,50\r\n12#.")
                                  << QByteArray("SS\r\nOK\r\nOK\r\nOK\r\nOK\r\nOK\r\nStored\r\n")
                                  << Mode::Idle;
    QTest::newRow("store bad tone")
        << QByteArray("S2\r\n100,50\r\n1x\r.")
        << QByteArray("SS\r\nOK\r\nOK\r\nOK\r\n?\r\n?\r\nStored\r\n") << Mode::Idle;
    QTest::newRow("store 20 tones")
        << "S0\r\n100,50\r\n" + QByteArray(20, '7') + "."
        << "SS\r\nOK\r\nOK\r\n" + QByteArray("OK\r\n").repeated(19) + "Stored\r\n"
        << Mode::Idle;

    QTest::newRow("sequence mode") << QByteArray("F") << QByteArray("MM\r\n") << Mode::Sequence;
    QTest::newRow("sequence row") << QByteArray("F5,100,50\r\n")
                                  << QByteArray("MM\r\nOK\r\nOK\r\nOK\r\n") << Mode::Sequence;
    QTest::newRow("sequence end") << QByteArray("F5,100,50\r\n\r\n")
                                  << QByteArray("MM\r\nOK\r\nOK\r\nOK\r\nOK\r\n") << Mode::Idle;
    QTest::newRow("sequence empty")
        << QByteArray("F\r\n") << QByteArray("MM\r\nOK\r\n") << Mode::Idle;
}

void TestUnitFirmware::commandsAndModes() {
    QFETCH(QByteArray, input);
    UnitFirmware firmware;
    QTEST(exchange(firmware, input), "reply");
    QTEST(firmware.mode(), "modeAfter");
}

void TestUnitFirmware::storeThenView_data() {
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<int>("index");
    QTest::addColumn<StoredLocation>("stored");
    QTest::addColumn<QByteArray>("timesLine");

    QTest::newRow("plain") << QByteArray("S2\r\n100,50\r\n12#.") << 2
                           << StoredLocation{"12#", 100, 50}
                           << QByteArray("Length = 100ms : Space = 50ms");
    QTest::newRow("leading zero, fraction, lower case")
        << QByteArray("S5\r\n0100,20.5\r\nab#.") << 5 << StoredLocation{"AB#", 100, 20}
        << QByteArray("Length = 100ms : Space = 20ms");
    QTest::newRow("clamped") << QByteArray("S1\r\n5,70000\r\n1.") << 1
                             << StoredLocation{"1", 20, 65534}
                             << QByteArray("Length = 20ms : Space = 65534ms");
    QTest::newRow("unreadable times, empty string")
        << QByteArray("S7\r\nx\r\n.") << 7 << StoredLocation{"", 20, 20}
        << QByteArray("Length = 20ms : Space = 20ms");
    QTest::newRow("twenty tones end it") << "S0\r\n60,30\r\n" + QByteArray(25, '9') << 0
                                         << StoredLocation{QByteArray(20, '9'), 60, 30}
                                         << QByteArray("Length = 60ms : Space = 30ms");
}

void TestUnitFirmware::storeThenView() {
    QFETCH(QByteArray, store);
    QFETCH(int, index);
    QFETCH(StoredLocation, stored);
    QFETCH(QByteArray, timesLine);

    UnitFirmware firmware;
    exchange(firmware, store);
    QCOMPARE(firmware.location(index), stored);
    QCOMPARE(exchange(firmware, "@V" + QByteArray::number(index)),
             "Connected\r\nVW\r\n" + report(index, timesLine, stored.tones));
}

void TestUnitFirmware::resetRestoresDefaults() {
    UnitFirmware firmware;
    exchange(firmware, "S0\r\n300,300\r\nD.");
    firmware.setLocation(6, {"1", 20, 20});
    QVERIFY(firmware.location(0) != defaultLocations()[0]);

    QCOMPARE(exchange(firmware, "^0"), QByteArray("Reset\r\n"));
    for (int i = 0; i < kLocationCount; ++i)
        QCOMPARE(firmware.location(i), defaultLocations()[i]);
    QCOMPARE(firmware.location(0), (StoredLocation{"0123456789", 100, 50}));
}

void TestUnitFirmware::faults_data() {
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("reply");

    const QByteArray times3 = "Length = 100ms : Space = 50ms";
    QTest::newRow("silent") << Faults{.silent = true} << QByteArray("@RIM0\r\n") << QByteArray();
    QTest::newRow("no Connect") << Faults{.missingMarkers = Marker::Connect} << QByteArray("@")
                                << QByteArray("Hello\r\n");
    QTest::newRow("only MM missing")
        << Faults{.missingMarkers = Marker::Sequence} << QByteArray("@F\r\n")
        << QByteArray("Connected\r\nMulti\r\nOK\r\n");
    QTest::newRow("SM SS MP missing")
        << Faults{.missingMarkers = Marker::SingleTone | Marker::Store | Marker::MemoryPlay}
        << QByteArray("I\r@S\r\n") << QByteArray("Single\r\n?\r\nConnected\r\nStore\r\n?\r\n");
    QTest::newRow("empty view, chosen location")
        << Faults{.emptyViewLocation = 3} << QByteArray("V3") << QByteArray("VW\r\n");
    QTest::newRow("empty view, other location")
        << Faults{.emptyViewLocation = 3} << QByteArray("V2")
        << "VW\r\n" + report(2, "Length = 150ms : Space = 75ms", "5551212");
    QTest::newRow("no third line")
        << Faults{.reportFault = ReportFault::NoThirdLine} << QByteArray("V3")
        << QByteArray("VW\r\n\r\nMemory location 3\r\n");
    QTest::newRow("empty third line") << Faults{.reportFault = ReportFault::EmptyThirdLine}
                                      << QByteArray("V3") << "VW\r\n" + report(3, "", "123#");
    QTest::newRow("no colon") << Faults{.reportFault = ReportFault::NoColon} << QByteArray("V3")
                              << "VW\r\n" + report(3, "Length = 100ms   Space = 50ms", "123#");
    QTest::newRow("no fourth line")
        << Faults{.reportFault = ReportFault::NoFourthLine} << QByteArray("V3")
        << "VW\r\n\r\nMemory location 3\r\n" + times3 + "\r\n";
    QTest::newRow("broken report, other location")
        << Faults{.reportFault = ReportFault::NoColon, .reportFaultLocation = 5} << QByteArray("V3")
        << "VW\r\n" + report(3, times3, "123#");
    QTest::newRow("never Ready") << Faults{.neverReady = true} << QByteArray("M0\r\n")
                                 << QByteArray("MP\r\nOK\r\n");
    QTest::newRow("never Ready, bad location")
        << Faults{.neverReady = true} << QByteArray("M9\r\n@")
        << QByteArray("MP\r\n?\r\nConnected\r\n");
}

void TestUnitFirmware::faults() {
    QFETCH(Faults, faults);
    QFETCH(QByteArray, input);
    UnitFirmware firmware;
    firmware.setFaults(faults);
    QTEST(exchange(firmware, input), "reply");
    QCOMPARE(firmware.mode(), Mode::Idle);
}

QTEST_GUILESS_MAIN(TestUnitFirmware)
#include "tst_unitfirmware.moc"
