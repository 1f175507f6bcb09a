// The serial link and what it stands on: COM numbering, the link's failures and its closed,
// open and gone states, a replugged device, the shared pause, and the shutdown's wait for the
// port.
#include "app/shutdown.h"
#include "base/tonaqerror.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/simulatedtransport.h"
#include "link/wait.h"
#include "link/wiretrace.h"
#include "sim/ptyunit.h"
#include "testports.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tonaq;
using namespace std::chrono_literals;

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
    void deviceErrors_data();
    void deviceErrors();
    void traceHasALinePerReply();
    void replugUnderTheSameNumberOpensTheNewDevice();
    void innerWaitEndsTheOuterOne();
    void shutdownWaitsForThePortAtMostElevenSeconds();
};

// Each step changes the folders and is followed by a refresh, as a change the program notices:
// "+ttyUSB0" makes a device, "-ttyUSB0" removes it, "+COM2=ttyUSB1" links a number to a device,
// "+COM7:rfc2217://rack:7001" names a network unit, "+id:usb-A=ttyUSB0" names an adapter; a
// step of several, separated by blanks, is one change.
void TestLink::numbering_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected"); // "n=device" for the numbers present, rising
    QTest::newRow("families in order; a gap hides nothing after it")
        << QStringList{"+ttyS0", "+ttyS1", "+ttyS3", "+ttyUSB0", "+ttyACM0", "+ttyACM1"}
        << QStringList{"1=ttyS0", "2=ttyS1", "3=ttyS3", "4=ttyUSB0", "5=ttyACM0", "6=ttyACM1"};
    QTest::newRow("a link reserves its number first")
        << QStringList{"+ttyS0", "+ttyUSB0", "+ttyUSB1", "+COM2=ttyUSB1"}
        << QStringList{"1=ttyS0", "2=ttyUSB1", "3=ttyUSB0"};
    QTest::newRow("link names in any case, high numbers")
        << QStringList{"+ttyACM0", "+com255=ttyACM0", "+Com7=ttyACM0"}
        << QStringList{"7=ttyACM0", "255=ttyACM0"};
    QTest::newRow("dangling links and bad names reserve nothing")
        << QStringList{"+ttyS0", "+COM1=missing", "+COM0=ttyS0", "+COM256=ttyS0"}
        << QStringList{"1=ttyS0"};
    QTest::newRow("a pulled device keeps its number, the others theirs")
        << QStringList{"+ttyUSB0", "+ttyUSB1", "+ttyUSB2", "-ttyUSB1", "+ttyACM0"}
        << QStringList{"1=ttyUSB0", "3=ttyUSB2", "4=ttyACM0"};
    QTest::newRow("a device back gets its number back")
        << QStringList{"+ttyUSB0", "+ttyUSB1", "-ttyUSB0", "+ttyACM0", "+ttyUSB0"}
        << QStringList{"1=ttyUSB0", "2=ttyUSB1", "3=ttyACM0"};
    QTest::newRow("another adapter on the same device is another unit")
        << QStringList{"+ttyUSB0 +id:usb-A=ttyUSB0", "-ttyUSB0 -id:usb-A",
                       "+ttyUSB0 +id:usb-B=ttyUSB0"}
        << QStringList{"2=ttyUSB0"};
    QTest::newRow("the same adapter on another device is the same unit")
        << QStringList{"+ttyUSB0", "+id:usb-A=ttyUSB0", "+ttyUSB1", "-ttyUSB0 -id:usb-A",
                       "+ttyUSB2 +id:usb-A=ttyUSB2"}
        << QStringList{"1=ttyUSB2", "2=ttyUSB1"};
    QTest::newRow("a link taken away and back is the same unit")
        << QStringList{"+ttyS0", "+COM3=ttyS0", "-COM3", "+ttyUSB0", "+COM3=ttyUSB0"}
        << QStringList{"1=ttyS0", "3=ttyUSB0"};
    QTest::newRow("a network unit takes the number of its entry")
        << QStringList{"+ttyS0", "+COM1:tcp://rack:7001", "+COM12:rfc2217://rack:7002"}
        << QStringList{"1=tcp://rack:7001", "2=ttyS0", "12=rfc2217://rack:7002"};
}

void TestLink::numbering() {
    QFETCH(QStringList, steps);
    test::TestPorts ports;
    const QString devices = ports.deviceFolder();
    for (const QString &change : std::as_const(steps)) {
        for (const QString &step : change.split(u' ')) {
            const bool add = step.startsWith(u'+');
            const QString what = step.mid(1).section(u'=', 0, 0);
            const QString target = devices + u'/' + step.section(u'=', 1);
            if (what.startsWith(QLatin1String("id:"))) {
                const QString name = ports.adapterFolder() + u'/' + what.mid(3);
                QVERIFY(add ? QFile::link(target, name) : QFile::remove(name));
            } else if (what.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
                const QString name = ports.folder() + u'/' + what.section(u':', 0, 0);
                QFile file(name);
                if (!add)
                    QVERIFY(QFile::remove(name));
                else if (what.contains(u':'))
                    QVERIFY(file.open(QIODevice::WriteOnly) &&
                            file.write(what.section(u':', 1).toUtf8()));
                else
                    QVERIFY(QFile::link(target, name));
            } else {
                QFile device(devices + u'/' + what);
                QVERIFY(add ? device.open(QIODevice::WriteOnly) : device.remove());
            }
        }
        ports.map().refresh();
    }
    QStringList actual;
    for (const PortEntry &entry : ports.map().entries())
        actual.append(QStringLiteral("%1=%2")
                          .arg(entry.number)
                          .arg(entry.kind == PortKind::Network
                                   ? entry.location
                                   : QFileInfo(entry.location).fileName()));
    QTEST(actual, "expected");
    // An in-process unit's number survives a refresh that finds a device for it.
    sim::SimulatedUnit unit({.pacing = false});
    const int attached = attachSimulatedUnit(ports.map(), unit, QStringLiteral("demo"));
    QVERIFY(QFile::link(devices + QStringLiteral("/ttyS0"),
                        ports.folder() + QStringLiteral("/COM%1").arg(attached)));
    ports.map().refresh();
    QCOMPARE(ports.map().entry(attached)->kind, PortKind::InProcess);
}

// Each misuse or refusal raises its error number into the caller; closing twice is harmless.
void TestLink::failures() {
    test::TestPorts ports;
    sim::SimulatedUnit unit({.pacing = false});
    ports.attach(3, unit);
    QVERIFY(ports.link(5, QStringLiteral(__FILE__))); // something that is no serial port
    DeviceLink link(ports.map());
    QList<int> errors;
    for (const std::function<void()> &action : std::initializer_list<std::function<void()>>{
             [&] { link.send("@"); }, [&] { link.readReply(1, std::chrono::milliseconds(10)); },
             [&] { link.setPortNumber(3), link.openPort(), link.openPort(); },
             [&] { link.closePort(), link.setPortNumber(9), link.openPort(); },
             [&] { link.setPortNumber(5), link.openPort(); },
             [&] { link.setPortNumber(256), link.openPort(); },
             [&] { ports.attach(255, unit), link.setPortNumber(255), link.openPort(); },
             [&] { link.closePort(), link.closePort(); }})
        errors << errorNumberOf(action);
    QCOMPARE(errors, (QList<int>{code(ErrorCode::PortNotOpen), code(ErrorCode::PortNotOpen),
                                 code(ErrorCode::PortAlreadyOpen), code(ErrorCode::PortUnavailable),
                                 code(ErrorCode::PortUnavailable),
                                 code(ErrorCode::InvalidPortNumber), 0, 0}));
}

// A pulled device is one failure and then a closed port. A read error on a device that is
// still there (Qt reports a raw tty read that found nothing as one) leaves the link open: taken
// for a pulled device, it once ended a healthy connect on a loaded machine with exit status 4.
void TestLink::deviceErrors_data() {
    QTest::addColumn<bool>("pulled");
    QTest::newRow("device pulled") << true;
    QTest::newRow("read error, device still there") << false;
}

void TestLink::deviceErrors() {
    QFETCH(bool, pulled);
    test::TestPorts ports;
    sim::PtyUnit unit({.pacing = false});
    ports.link(3, unit.devicePath());
    DeviceLink link(ports.map());
    link.setPortNumber(3);
    link.openPort();
    if (pulled) {
        unit.vanish();
        QTRY_COMPARE(link.state(), DeviceLink::State::Gone);
        QCOMPARE(errorNumberOf([&] { link.send("@"); }), code(ErrorCode::PortGone));
        QTRY_VERIFY(!link.isPortOpen());
        link.closePort();
        QCOMPARE(link.state(), DeviceLink::State::Closed);
        return;
    }
    QSerialPort *port = link.findChild<QSerialPort *>();
    QVERIFY(port);
    emit port->errorOccurred(QSerialPort::ReadError);
    QCOMPARE(link.state(), DeviceLink::State::Open);
    link.send("@");
    QCOMPARE(link.readReply(1, std::chrono::milliseconds(250)), QByteArray("Connected\r\n"));
}

// A reply is one line of the trace, however its bytes came, stamped with its first byte; what
// came unasked and the port's events are lines of their own.
void TestLink::traceHasALinePerReply() {
    QTemporaryDir folder;
    test::TestPorts ports;
    sim::SimulatedUnit unit({.pacing = false});
    ports.attach(3, unit);
    WireTrace trace(folder.filePath("trace.txt"));
    DeviceLink link(ports.map());
    link.setTrace(&trace);
    link.setPortNumber(3);
    link.openPort();
    unit.setByteGapMs(30); // "Connected\r\n" takes a third of a second
    link.send("@");
    QCOMPARE(link.readReply(1, 250ms), QByteArray("Connected\r\n"));
    unit.setByteGapMs(0);
    link.send("V");
    link.readReply(1, 250ms);
    link.send("2");
    link.readReply(4, 250ms);
    link.send("@"); // its answer is never read
    QVERIFY(QTest::qWaitFor([&] { return unit.sentLog().size() >= 3 * 11 + 4 + 54; }));
    link.send("~");
    link.closePort();
    QFile file(folder.filePath("trace.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines;
    double firstByteMs = -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString text = QString::fromLatin1(line).section(u' ', 2);
        if (text.isEmpty()) continue;
        if (firstByteMs < 0 && text.startsWith(u"< "))
            firstByteMs = text.section(u'+', 1).toDouble();
        lines << text.section(QStringLiteral("  +"), 0, 0);
    }
    QCOMPARE(lines, (QStringList{"* opened COM3: unit3, simulated unit", "> @", "< Connected\\r\\n",
                                 "> V", "< VW\\r\\n", "> 2",
                                 "< \\r\\nMemory location 2\\r\\nLength = 150ms : Space = 75ms"
                                 "\\r\\nString = 5551212\\r\\n",
                                 "> @", "< Connected\\r\\n  unasked", "> ~", "* closed COM3"}));
    QVERIFY2(firstByteMs >= 0 && firstByteMs < 200, qPrintable(QString::number(firstByteMs)));
}

// The number is resolved when the port opens: after a replug the link file points elsewhere,
// and the old device must not get the "@".
void TestLink::replugUnderTheSameNumberOpensTheNewDevice() {
    test::TestPorts ports;
    sim::PtyUnit before({.pacing = false}), after({.pacing = false});
    ports.link(7, before.devicePath());
    DeviceLink link(ports.map());
    link.setPortNumber(7);
    link.openPort();
    link.closePort();
    QFile::remove(ports.folder() + QStringLiteral("/COM7"));
    QVERIFY(QFile::link(after.devicePath(), ports.folder() + QStringLiteral("/COM7")));
    link.openPort();
    link.send("@");
    QCOMPARE(link.readReply(1, std::chrono::milliseconds(250)), QByteArray("Connected\r\n"));
    QCOMPARE(after.received(), QByteArray("@"));
    QCOMPARE(before.received(), QByteArray());
}

void TestLink::innerWaitEndsTheOuterOne() {
    QElapsedTimer clock;
    clock.start();
    qint64 innerEnded = -1;
    QTimer::singleShot(20, [&] {
        pauseFor(50);
        innerEnded = clock.elapsed();
    });
    pauseFor(5000);
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
