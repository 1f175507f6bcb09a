// The serial link and what it stands on: COM numbering, the link's failures and its closed,
// open and gone states, a replugged device, the shared Wait, and the shutdown's wait for the
// port.
#include "app/shutdown.h"
#include "base/tonaqerror.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/wait.h"
#include "sim/simulatedunit.h"
#include "testports.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tonaq;

namespace {

int errorNumberOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const TonaqError &error) {
        return error.number();
    }
    return 0;
}

int code(ErrorCode c) {
    return static_cast<int>(c);
}

// A shutdown clock whose time moves only by the loop's own pauses.
class SteppingClock : public ShutdownClock {
public:
    QDateTime now() override { return m_now; }
    void wait(double milliseconds) override {
        m_now = m_now.addMSecs(qint64(milliseconds)), ++waits;
    }
    int waits = 0;

private:
    QDateTime m_now{QDate(2026, 12, 6), QTime(12, 0, 0, 700)};
};

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private slots:
    void numbering_data();
    void numbering();
    void failures();
    void vanishedDeviceIsOneFailureThenClosed();
    void replugUnderTheSameNumberOpensTheNewDevice();
    void innerWaitEndsTheOuterOne();
    void shutdownWaitsForThePortAtMostElevenSeconds();
};

// devices: files to create in the device folder; links: "COM<n>=device" links to create.
void TestLink::numbering_data() {
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QStringList>("expected"); // "n=device" for COM1.. in order, empty omitted
    QTest::newRow("families in order, each up to its first gap")
        << QStringList{"ttyS0", "ttyS1", "ttyS3", "ttyUSB0", "ttyACM0", "ttyACM1"} << QStringList{}
        << QStringList{"1=ttyS0", "2=ttyS1", "3=ttyUSB0", "4=ttyACM0", "5=ttyACM1"};
    QTest::newRow("a link reserves its number first")
        << QStringList{"ttyS0", "ttyUSB0", "ttyUSB1"} << QStringList{"COM2=ttyUSB1"}
        << QStringList{"1=ttyS0", "2=ttyUSB1", "3=ttyUSB0"};
    QTest::newRow("link names in any case, high numbers")
        << QStringList{"ttyACM0"} << QStringList{"com255=ttyACM0", "Com7=ttyACM0"}
        << QStringList{"7=ttyACM0", "255=ttyACM0"};
    QTest::newRow("dangling links and bad names reserve nothing")
        << QStringList{"ttyS0"} << QStringList{"COM1=missing", "COM0=ttyS0", "COM256=ttyS0"}
        << QStringList{"1=ttyS0"};
}

void TestLink::numbering() {
    QFETCH(QStringList, devices);
    QFETCH(QStringList, links);
    QTemporaryDir devFolder, linkFolder;
    for (const QString &device : devices) {
        QFile file(devFolder.filePath(device));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (const QString &link : links)
        QVERIFY(QFile::link(devFolder.filePath(link.section(u'=', 1)),
                            linkFolder.filePath(link.section(u'=', 0, 0))));
    PortMap map(linkFolder.path(), devFolder.path());
    QStringList actual;
    for (int n = PortMap::kFirstPort; n <= PortMap::kLastPort; ++n) {
        if (!map.devicePath(n).isEmpty())
            actual.append(
                QStringLiteral("%1=%2").arg(n).arg(QFileInfo(map.devicePath(n)).fileName()));
    }
    QTEST(actual, "expected");
    // The demo unit's number survives a refresh that finds a device for it.
    const int reserved = map.reserve(QStringLiteral("/dev/pts/99"));
    QVERIFY(QFile::link(devFolder.filePath(devices.first()),
                        linkFolder.filePath(QStringLiteral("COM%1").arg(reserved))));
    map.refresh();
    QCOMPARE(map.devicePath(reserved), QStringLiteral("/dev/pts/99"));
}

// Each misuse or refusal raises its error number into the caller; closing twice is harmless.
void TestLink::failures() {
    test::TestPorts ports;
    sim::SimulatedUnit unit({.pacing = false});
    ports.link(3, unit.devicePath());
    QVERIFY(ports.link(5, QStringLiteral(__FILE__))); // something that is no serial port
    DeviceLink link(ports.map());
    QList<int> errors;
    for (const std::function<void()> &action : std::initializer_list<std::function<void()>>{
             [&] { link.SendCommand("@"); },
             [&] { link.ReadReply(1, std::chrono::milliseconds(10)); },
             [&] { link.setPortNumber(3), link.OpenPort(), link.OpenPort(); },
             [&] { link.ClosePort(), link.setPortNumber(9), link.OpenPort(); },
             [&] { link.setPortNumber(5), link.OpenPort(); },
             [&] { link.ClosePort(), link.ClosePort(); }})
        errors << errorNumberOf(action);
    QCOMPARE(errors, (QList<int>{code(ErrorCode::PortNotOpen), code(ErrorCode::PortNotOpen),
                                 code(ErrorCode::PortAlreadyOpen), code(ErrorCode::PortUnavailable),
                                 code(ErrorCode::PortUnavailable), 0}));
}

void TestLink::vanishedDeviceIsOneFailureThenClosed() {
    test::TestPorts ports;
    sim::SimulatedUnit unit({.pacing = false});
    ports.link(3, unit.devicePath());
    DeviceLink link(ports.map());
    link.setPortNumber(3);
    link.OpenPort();
    unit.vanish();
    QTRY_COMPARE(link.state(), DeviceLink::State::Gone);
    QCOMPARE(errorNumberOf([&] { link.SendCommand("@"); }), code(ErrorCode::PortGone));
    QTRY_VERIFY(!link.PortIsOpen());
    link.ClosePort();
    QCOMPARE(link.state(), DeviceLink::State::Closed);
}

// The number is resolved when the port opens: after a replug the link file points elsewhere,
// and the old device must not get the "@".
void TestLink::replugUnderTheSameNumberOpensTheNewDevice() {
    test::TestPorts ports;
    sim::SimulatedUnit before({.pacing = false}), after({.pacing = false});
    ports.link(7, before.devicePath());
    DeviceLink link(ports.map());
    link.setPortNumber(7);
    link.OpenPort();
    link.ClosePort();
    QFile::remove(ports.folder() + QStringLiteral("/COM7"));
    QVERIFY(QFile::link(after.devicePath(), ports.folder() + QStringLiteral("/COM7")));
    link.OpenPort();
    link.SendCommand("@");
    QCOMPARE(link.ReadReply(1, std::chrono::milliseconds(250)), QByteArray("Connected\r\n"));
    QCOMPARE(after.received(), QByteArray("@"));
    QCOMPARE(before.received(), QByteArray());
}

void TestLink::innerWaitEndsTheOuterOne() {
    QElapsedTimer clock;
    clock.start();
    qint64 innerEnded = -1;
    QTimer::singleShot(20, [&] {
        Wait(50);
        innerEnded = clock.elapsed();
    });
    Wait(5000);
    QVERIFY(innerEnded >= 0);
    QVERIFY2(clock.elapsed() < 2000, "the outer wait ran its own time");
}

void TestLink::shutdownWaitsForThePortAtMostElevenSeconds() {
    SteppingClock stuck;
    QCOMPARE(waitForPortToClose([] { return true; }, stuck), 21);
    SteppingClock closed;
    QCOMPARE(waitForPortToClose([] { return false; }, closed), 0);
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
