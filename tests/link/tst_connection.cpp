#include "link/connectmenu.h"
#include "link/devicelink.h"
#include "memory/memorytableframe.h"
#include "multiplay/multiplay.h"
#include "program.h"
#include "sim/simulatedunit.h"
#include "tones/keypadframe.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace tonaq;

namespace {

QStringList captions(const QList<QAction *> &entries) {
    QStringList result;
    for (const QAction *entry : entries)
        result.append(entry->text());
    return result;
}

QList<bool> ticks(const QList<QAction *> &entries) {
    QList<bool> result;
    for (const QAction *entry : entries)
        result.append(entry->isChecked());
    return result;
}

} // namespace

class TestConnection : public QObject {
    Q_OBJECT
private slots:
    void scanListsOpenablePortsInRisingOrder_data();
    void scanListsOpenablePortsInRisingOrder();
    void noPortFoundKeepsTheMenuDisabled();
    void rescanRebuildsTheList();
    void portHeldByAnotherProgramIsNotListed();
    void connectSucceeds();
    void silentUnitDoesNotConnect();
    void openFailingAfterTheScanIsLogged();
    void enableControlsReachesMultiPlayOnlyWhenLoaded();
};

void TestConnection::scanListsOpenablePortsInRisingOrder_data() {
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("COM1 and COM4") << QList<int>{4, 1};
    QTest::newRow("only COM255") << QList<int>{255};
    QTest::newRow("gaps") << QList<int>{200, 2, 17};
}

void TestConnection::scanListsOpenablePortsInRisingOrder() {
    QFETCH(QList<int>, numbers);
    test::Program program;
    for (int n : numbers)
        program.addUnit(n);
    FrmTonaq &window = program.start();

    std::sort(numbers.begin(), numbers.end());
    QStringList expected;
    for (int n : numbers)
        expected.append(QStringLiteral("COM%1").arg(n));
    const ConnectMenu &menu = window.connectMenu();
    QCOMPARE(captions(menu.ComPort()), expected);
    QCOMPARE(menu.ComPort().first()->objectName(), QStringLiteral("ComPort(0)"));
    QCOMPARE(menu.COMSelect()->title(), QStringLiteral("Connect"));
    QVERIFY(menu.COMSelect()->isEnabled());
    QCOMPARE(program.status(),
             QStringLiteral("Please Connect by selecting a COM port in the menu."));
    // The entries come before the separator and "Rescan".
    const QList<QAction *> actions = menu.COMSelect()->actions();
    QCOMPARE(actions.size(), numbers.size() + 2);
    QVERIFY(actions.at(numbers.size())->isSeparator());
    QCOMPARE(actions.last()->text(), QStringLiteral("Rescan"));
    QVERIFY(menu.ComPort().first()->toolTip().startsWith(QStringLiteral("/dev/pts/")));
    QVERIFY(!window.cmdLoad()->isEnabled());
}

void TestConnection::noPortFoundKeepsTheMenuDisabled() {
    test::Program program;
    FrmTonaq &window = program.start();
    QCOMPARE(program.status(), QStringLiteral("No available COM ports found."));
    QCOMPARE(window.connectMenu().COMSelect()->title(), QStringLiteral("Scanning..."));
    QVERIFY(!window.connectMenu().COMSelect()->isEnabled());
    QCOMPARE(captions(window.connectMenu().ComPort()), QStringList{"ComPort"});
}

void TestConnection::rescanRebuildsTheList() {
    test::Program program;
    program.addUnit(9);
    program.addUnit(3);
    program.addUnit(5);
    FrmTonaq &window = program.start();
    program.connectTo(5);
    QVERIFY(window.channel().Connected());
    program.ports.unlink(5);
    program.addUnit(1);

    window.connectMenu().mnuScanPorts()->trigger();
    QCOMPARE(captions(window.connectMenu().ComPort()), (QStringList{"COM1", "COM3", "COM9"}));
    QVERIFY(!window.channel().Connected());
    QVERIFY(!window.channel().link().PortIsOpen());
    QVERIFY(!window.cmdLoad()->isEnabled());
}

void TestConnection::portHeldByAnotherProgramIsNotListed() {
    test::Program program;
    sim::SimulatedUnit &held = program.addUnit(2);
    program.addUnit(6);
    QSerialPort otherProgram(held.devicePath());
    QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    FrmTonaq &window = program.start();
    QCOMPARE(captions(window.connectMenu().ComPort()), QStringList{"COM6"});
}

void TestConnection::connectSucceeds() {
    test::Program program;
    program.addUnit(1);
    sim::SimulatedUnit &unit = program.addUnit(4);
    FrmTonaq &window = program.start();
    program.connectTo(4);

    QVERIFY(window.channel().Connected());
    QCOMPARE(program.status(), QStringLiteral("Connected on COM4"));
    QCOMPARE(window.Firmware()->text(), QStringLiteral("Firmware version: 2.10 (simulated)\r\n"));
    QCOMPARE(ticks(window.connectMenu().ComPort()), (QList<bool>{false, true}));
    QCOMPARE(unit.received(), QByteArray("@R"));
    QVERIFY(window.cmdLoad()->isEnabled());
    QVERIFY(window.keypad().KeyPad().at(15)->isEnabled());
    QVERIFY(window.mnuReset()->isEnabled());
    QVERIFY(program.logLines().isEmpty());
}

void TestConnection::silentUnitDoesNotConnect() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(7);
    unit.setFaults(test::silentUnit());
    FrmTonaq &window = program.start();
    program.connectTo(7);

    QVERIFY(!window.channel().Connected());
    QCOMPARE(program.status(), QStringLiteral("Unable to connect on COM7"));
    QCOMPARE(window.Firmware()->text(), QStringLiteral("Firmware Version: Not connected"));
    QCOMPARE(ticks(window.connectMenu().ComPort()), QList<bool>{false});
    QVERIFY(!window.cmdLoad()->isEnabled());
    QVERIFY(window.channel().link().PortIsOpen()); // left open after a failed handshake
    QCOMPARE(unit.received(), QByteArray("@"));
}

void TestConnection::openFailingAfterTheScanIsLogged() {
    test::Program program;
    program.addUnit(2);
    sim::SimulatedUnit &goner = program.addUnit(3);
    FrmTonaq &window = program.start();
    program.connectTo(2);
    QVERIFY(window.channel().Connected());

    goner.vanish(); // its device is gone by the time the operator picks it
    program.connectTo(3);
    QCOMPARE(program.logLines().size(), 1);
    QVERIFY2(program.logLines().first().endsWith(
                 QStringLiteral("in procedure COMPort_Click of Form frmTonaq on line 30")),
             qPrintable(program.logLines().first()));
    // Everything but the closed link keeps its state.
    QVERIFY(window.channel().Connected());
    QCOMPARE(ticks(window.connectMenu().ComPort()), (QList<bool>{true, false}));
    QCOMPARE(program.status(), QStringLiteral("Connected on COM2"));
    QVERIFY(!window.channel().link().PortIsOpen());
}

void TestConnection::enableControlsReachesMultiPlayOnlyWhenLoaded() {
    test::Program program;
    FrmTonaq &window = program.start();
    QVERIFY(FrmTonaq::IsFormLoaded(QStringLiteral("MultiPlay")));
    window.EnableControls(true);
    QVERIFY(window.multiPlay().cmdSend()->isEnabled());
    window.EnableControls(false);
    QVERIFY(!window.multiPlay().cmdSend()->isEnabled());

    window.unloadMultiPlay();
    window.EnableControls(true);
    QVERIFY(!FrmTonaq::IsFormLoaded(QStringLiteral("MultiPlay")));
    QVERIFY(window.cmdAbort()->isEnabled());
}

QTEST_MAIN(TestConnection)
#include "tst_connection.moc"
