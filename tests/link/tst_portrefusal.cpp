#include "link/connectmenu.h"
#include "link/portrefusal.h"
#include "program.h"
#include "sim/simulatedunit.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSerialPort>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tonaq;

namespace {

const QString kUsualTip = QStringLiteral("Displays status of the current operation");
const QString kDenied =
    QStringLiteral(": permission denied - add your user to the dialout group and log in again");
const QString kInUse = QStringLiteral(": in use by another program - close it and choose Rescan");

QStringList captions(const FrmTonaq &window) {
    QStringList result;
    for (const QAction *entry : window.connectMenu().ComPort())
        result.append(entry->text());
    return result;
}

} // namespace

class TestPortRefusal : public QObject {
    Q_OBJECT
private slots:
    void toolTipText_data();
    void toolTipText();
    void deviceShutOutByItsModeIsExplained();
    void deviceHeldByAnotherProgramIsExplained();
    void rescanAfterTheHolderLetsGoRestoresTheUsualTip();
};

void TestPortRefusal::toolTipText_data() {
    QTest::addColumn<QList<RefusedPort>>("refused");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing refused") << QList<RefusedPort>{} << kUsualTip;
    QTest::newRow("only unexplained failures")
        << QList<RefusedPort>{{"/dev/ttyS0", Refusal::None}} << kUsualTip;
    QTest::newRow("permission") << QList<RefusedPort>{{"/dev/ttyUSB0", Refusal::PermissionDenied}}
                                << QStringLiteral("/dev/ttyUSB0") + kDenied;
    QTest::newRow("in use") << QList<RefusedPort>{{"/dev/ttyUSB1", Refusal::InUse}}
                            << QStringLiteral("/dev/ttyUSB1") + kInUse;
    QTest::newRow("one line each, scan order")
        << QList<RefusedPort>{{"/dev/ttyS4", Refusal::InUse},
                              {"/dev/ttyS5", Refusal::None},
                              {"/dev/ttyACM0", Refusal::PermissionDenied}}
        << QStringLiteral("/dev/ttyS4") + kInUse + QStringLiteral("\n/dev/ttyACM0") + kDenied;
}

void TestPortRefusal::toolTipText() {
    QFETCH(QList<RefusedPort>, refused);
    QFETCH(QString, expected);
    QCOMPARE(refusalsToolTip(refused), expected);
}

void TestPortRefusal::deviceShutOutByItsModeIsExplained() {
    if (::geteuid() == 0)
        QSKIP("root opens a device whatever its mode; run this test as an ordinary user");
    test::Program program;
    sim::SimulatedUnit &shut = program.addUnit(2);
    program.addUnit(5);
    QCOMPARE(::chmod(QFile::encodeName(shut.devicePath()).constData(), 0), 0);
    FrmTonaq &window = program.start();

    QCOMPARE(captions(window), QStringList{"COM5"});
    QCOMPARE(program.status(),
             QStringLiteral("Please Connect by selecting a COM port in the menu."));
    QCOMPARE(window.StatusBox()->toolTip(), shut.devicePath() + kDenied);
}

void TestPortRefusal::deviceHeldByAnotherProgramIsExplained() {
    test::Program program;
    sim::SimulatedUnit &held = program.addUnit(7);
    QSerialPort otherProgram(held.devicePath());
    QVERIFY(otherProgram.open(QIODevice::ReadWrite));
    FrmTonaq &window = program.start();

    QCOMPARE(captions(window), QStringList{"ComPort"});
    QCOMPARE(program.status(), QStringLiteral("No available COM ports found."));
    QCOMPARE(window.StatusBox()->toolTip(), held.devicePath() + kInUse);
}

void TestPortRefusal::rescanAfterTheHolderLetsGoRestoresTheUsualTip() {
    test::Program program;
    sim::SimulatedUnit &held = program.addUnit(3);
    program.addUnit(4);
    auto otherProgram = std::make_unique<QSerialPort>(held.devicePath());
    QVERIFY(otherProgram->open(QIODevice::ReadWrite));
    FrmTonaq &window = program.start();
    QCOMPARE(captions(window), QStringList{"COM4"});
    QCOMPARE(window.StatusBox()->toolTip(), held.devicePath() + kInUse);

    otherProgram.reset();
    window.connectMenu().mnuScanPorts()->trigger();
    QCOMPARE(captions(window), (QStringList{"COM3", "COM4"}));
    QCOMPARE(window.StatusBox()->toolTip(), kUsualTip);
}

QTEST_MAIN(TestPortRefusal)
#include "tst_portrefusal.moc"
