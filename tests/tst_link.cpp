// The serial link and what it stands on: COM numbering, the link's failures and its closed,
// open and gone states, a replugged device, the shared pause, and the shutdown's wait for the
// port.
#include "app/shutdown.h"
#include "base/tonaqerror.h"
#include "link/devicelink.h"
#include "link/portmap.h"
#include "link/wait.h"
#include "sim/attach.h"
#include "sim/ptyunit.h"
#include "testports.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tonaq;
using namespace std::chrono_literals;

namespace {

// The error number the action raised, or 0.
int errorNumberOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const TonaqError &error) {
        return error.number();
    }
    return 0;
}

// A shutdown clock whose time moves only by the loop's own pauses.
class SteppingClock : public ShutdownClock {
public:
    QDateTime now() override { return m_now; }
    void wait(double milliseconds) override { m_now = m_now.addMSecs(qint64(milliseconds)); }

private:
    QDateTime m_now{QDate(2026, 12, 6), QTime(12, 0, 0, 700)};
};

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private slots:
    // Each step changes the folders and is followed by a refresh, as a change the program
    // notices: "+ttyUSB0" makes a device, "-ttyUSB0" removes it, "+COM2=ttyUSB1" links a number
    // to a device, "+COM7:rfc2217://rack:7001" names a network unit, "+id:usb-A=ttyUSB0" names
    // an adapter; a step of several, separated by blanks, is one change.
    void numbering_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected"); // "n=device" for the numbers present, rising
        const auto row = [](const char *name, const char *steps, const char *expected) {
            QTest::newRow(name) << QString(steps).split(u',') << QString(expected).split(u' ');
        };
        row("families in order; a gap hides nothing after it",
            "+ttyS0,+ttyS1,+ttyS3,+ttyUSB0,+ttyACM0,+ttyACM1",
            "1=ttyS0 2=ttyS1 3=ttyS3 4=ttyUSB0 5=ttyACM0 6=ttyACM1");
        row("a link reserves its number first", "+ttyS0,+ttyUSB0,+ttyUSB1,+COM2=ttyUSB1",
            "1=ttyS0 2=ttyUSB1 3=ttyUSB0");
        row("link names in any case, high numbers", "+ttyACM0,+com255=ttyACM0,+Com7=ttyACM0",
            "7=ttyACM0 255=ttyACM0");
        row("dangling links and bad names reserve nothing",
            "+ttyS0,+COM1=missing,+COM0=ttyS0,+COM256=ttyS0", "1=ttyS0");
        // A device pulled keeps its number while it is away and gets it back.
        row("a pulled device keeps its number, the others theirs",
            "+ttyUSB0,+ttyUSB1,+ttyUSB2,-ttyUSB1,+ttyACM0,+ttyUSB1",
            "1=ttyUSB0 2=ttyUSB1 3=ttyUSB2 4=ttyACM0");
        row("the same adapter on another device is the same unit",
            "+ttyUSB0,+id:usb-A=ttyUSB0,+ttyUSB1,-ttyUSB0 -id:usb-A,+ttyUSB2 +id:usb-A=ttyUSB2",
            "1=ttyUSB2 2=ttyUSB1");
        row("a link taken away and back is the same unit",
            "+ttyS0,+COM3=ttyS0,-COM3,+ttyUSB0,+COM3=ttyUSB0", "1=ttyS0 3=ttyUSB0");
        row("a network unit takes the number of its entry",
            "+ttyS0,+COM1:tcp://rack:7001,+COM12:rfc2217://rack:7002",
            "1=tcp://rack:7001 2=ttyS0 12=rfc2217://rack:7002");
    }

    void numbering() {
        QFETCH(QStringList, steps);
        test::TestPorts ports;
        const QString devices = ports.deviceFolder() + u'/';
        for (const QString &change : std::as_const(steps)) {
            for (const QString &step : change.split(u' ')) {
                const QString what = step.mid(1).section(u'=', 0, 0);
                const bool entry = what.startsWith(u"COM", Qt::CaseInsensitive);
                QFile file(what.startsWith(u"id:") ? ports.adapterFolder() + u'/' + what.mid(3)
                           : entry ? ports.folder() + u'/' + what.section(u':', 0, 0)
                                   : devices + what);
                if (step.startsWith(u'-'))
                    QVERIFY(file.remove());
                else if (step.contains(u'='))
                    QVERIFY(QFile::link(devices + step.section(u'=', 1), file.fileName()));
                else
                    QVERIFY(file.open(QIODevice::WriteOnly) &&
                            file.write(entry ? what.section(u':', 1).toUtf8() : "") >= 0);
            }
            ports.map().refresh();
        }
        QStringList actual;
        for (const PortEntry &entry : ports.map().entries())
            actual << QStringLiteral("%1=%2")
                          .arg(entry.number)
                          .arg(entry.kind == PortKind::Network
                                   ? entry.location
                                   : QFileInfo(entry.location).fileName());
        QTEST(actual, "expected");
        // An in-process unit's number survives a refresh that finds a device for it.
        sim::SimulatedUnit unit({.pacing = false});
        const int attached = sim::attachSimulatedUnit(ports.map(), unit, QStringLiteral("demo"));
        QVERIFY(QFile::link(devices + "ttyS0",
                            ports.folder() + QStringLiteral("/COM%1").arg(attached)));
        ports.map().refresh();
        QCOMPARE(ports.map().entry(attached)->kind, PortKind::InProcess);
    }

    // Each misuse or refusal raises its error number into the caller; closing twice is
    // harmless.
    void failures() {
        test::TestPorts ports;
        sim::SimulatedUnit unit({.pacing = false});
        ports.attach(3, unit);
        QVERIFY(ports.link(5, QStringLiteral(__FILE__))); // something that is no serial port
        DeviceLink link(ports.map());
        QList<int> errors;
        for (const std::function<void()> &action : std::initializer_list<std::function<void()>>{
                 [&] { link.send("@"); }, [&] { link.readReply(1, 10ms); },
                 [&] { link.setPortNumber(3), link.openPort(), link.openPort(); },
                 [&] { link.closePort(), link.setPortNumber(9), link.openPort(); },
                 [&] { link.setPortNumber(5), link.openPort(); },
                 [&] { link.setPortNumber(256), link.openPort(); },
                 [&] { ports.attach(255, unit), link.setPortNumber(255), link.openPort(); },
                 [&] { link.closePort(), link.closePort(); }})
            errors << errorNumberOf(action);
        using enum ErrorCode;
        QCOMPARE(errors, (QList<int>{int(PortNotOpen), int(PortNotOpen), int(PortAlreadyOpen),
                                     int(PortUnavailable), int(PortUnavailable),
                                     int(InvalidPortNumber), 0, 0}));
    }

    // A pulled device is one failure and then a closed port. A read error on a device that is
    // still there (Qt reports a raw tty read that found nothing as one) leaves the link open:
    // taken for a pulled device, it once ended a healthy connect on a loaded machine with exit
    // status 4. The number is resolved when the port opens: a device replugged under it is
    // opened, not the old one.
    void deviceErrorsAndReplug() {
        test::TestPorts ports;
        sim::PtyUnit unit({.pacing = false}), after({.pacing = false});
        ports.link(3, unit.devicePath());
        DeviceLink link(ports.map());
        link.setPortNumber(3);
        link.openPort();
        QSerialPort *port = link.findChild<QSerialPort *>();
        QVERIFY(port);
        emit port->errorOccurred(QSerialPort::ReadError);
        QCOMPARE(link.state(), DeviceLink::State::Open);
        link.send("@");
        QCOMPARE(link.readReply(1, 250ms), QByteArray("Connected\r\n"));

        unit.vanish();
        QTRY_COMPARE(link.state(), DeviceLink::State::Gone);
        QCOMPARE(errorNumberOf([&] { link.send("@"); }), int(ErrorCode::PortGone));
        QTRY_VERIFY(!link.isPortOpen());
        link.closePort();
        QCOMPARE(link.state(), DeviceLink::State::Closed);
        ports.link(3, after.devicePath());
        link.openPort();
        link.send("@");
        QCOMPARE(link.readReply(1, 250ms), QByteArray("Connected\r\n"));
        QCOMPARE(after.received(), QByteArray("@"));
    }

    // An inner pause ends the outer one; the shutdown waits for the port at most 11 s.
    void waits() {
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
        SteppingClock stuck, closed;
        QCOMPARE(waitForPortToClose([] { return true; }, stuck), 21);
        QCOMPARE(waitForPortToClose([] { return false; }, closed), 0);
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"
