// The simulated unit on its pseudo-terminal, driven through a real serial port as the program
// drives it. Waits are on conditions (QTRY_*), never fixed sleeps.
#include "sim/simulatedunit.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tonaq::sim;

namespace {
// A serial port on the unit's device that collects everything it reads.
struct Port {
    explicit Port(const QString &path) {
        serial.setPortName(path);
        QObject::connect(&serial, &QSerialPort::readyRead, [this] { got += serial.readAll(); });
    }
    QSerialPort serial;
    QByteArray got;
};
} // namespace

class TestSimulatedUnit : public QObject {
    Q_OBJECT
private slots:
    void handshake_data();
    void handshake();
    void pacingHoldsBytesBack();
    void memoryPlayIsRecordedAndRendered();
    void reopenKeepsServing();
    void vanishBreaksTheOpenPort();
};

void TestSimulatedUnit::handshake_data() {
    QTest::addColumn<SimulatedUnit::Options>("options");
    QTest::newRow("at once") << SimulatedUnit::Options{.pacing = false};
    QTest::newRow("paced") << SimulatedUnit::Options{};
    QTest::newRow("paced, 16 ms latency timer") << SimulatedUnit::Options{.chunkMs = 16};
}

void TestSimulatedUnit::handshake() {
    QFETCH(SimulatedUnit::Options, options);
    SimulatedUnit unit(options);
    QVERIFY(unit.devicePath().startsWith("/dev/"));
    Port port(unit.devicePath());
    QVERIFY(port.serial.open(QIODevice::ReadWrite));

    port.serial.write("@R");
    QTRY_COMPARE(port.got, QByteArray("Connected\r\n2.10 (simulated)\r\n"));
    QCOMPARE(unit.received(), QByteArray("@R"));
}

void TestSimulatedUnit::pacingHoldsBytesBack() {
    SimulatedUnit unit;
    Port port(unit.devicePath());
    QVERIFY(port.serial.open(QIODevice::ReadWrite));
    port.serial.write("@");
    QTRY_COMPARE(port.got, QByteArray("Connected\r\n"));

    // Only a lower bound, which no slowness of the machine can break: at 9600 baud the last of
    // the 11 bytes cannot leave before about 11.5 ms after the "@" came in.
    const QList<SentByte> sent = unit.sentLog();
    QCOMPARE(sent.size(), 11);
    QVERIFY(sent.last().atMs - unit.receivedLog().first().atMs >= 11.0);
}

void TestSimulatedUnit::memoryPlayIsRecordedAndRendered() {
    SimulatedUnit unit({.pacing = false});
    unit.setLocation(4, {"1a", 40, 20});
    Port port(unit.devicePath());
    QVERIFY(port.serial.open(QIODevice::ReadWrite));
    port.serial.write("@M4\r\n");
    QTRY_VERIFY(port.got.contains("Ready"));
    QCOMPARE(port.got, QByteArray("Connected\r\nMP\r\nOK\r\nReady\r\n"));

    const QList<SoundedTone> tones = unit.tones();
    QCOMPARE(tones.size(), 2);
    QCOMPARE(tones[1].tone, 'A');
    QCOMPARE(tones[1].source, ToneSource::Memory);
    QCOMPARE(tones[1].endMs - tones[1].startMs, 40.0);

    QTemporaryDir dir;
    const QString wav = dir.filePath("played.wav");
    QVERIFY(unit.writeWav(wav));
    QCOMPARE(QFileInfo(wav).size(), 44 + 2 * 8 * (40 + 20 + 40)); // tone, space, tone
}

void TestSimulatedUnit::reopenKeepsServing() {
    SimulatedUnit unit({.pacing = false});
    Port port(unit.devicePath());
    // A port scan opens and closes the port without a word; a connect opens it once more.
    for (const QByteArray command : {"", "", "", "@", "R"}) {
        QVERIFY(port.serial.open(QIODevice::ReadWrite));
        port.got.clear();
        port.serial.write(command);
        QTRY_VERIFY(command.isEmpty() || port.got.endsWith("\r\n"));
        port.serial.close();
    }
    QCOMPARE(port.got, QByteArray("2.10 (simulated)\r\n"));
    QCOMPARE(unit.received(), QByteArray("@R"));
}

void TestSimulatedUnit::vanishBreaksTheOpenPort() {
    SimulatedUnit unit({.pacing = false});
    Port port(unit.devicePath());
    QVERIFY(port.serial.open(QIODevice::ReadWrite));
    QSignalSpy errors(&port.serial, &QSerialPort::errorOccurred);

    unit.vanish();
    QVERIFY(unit.isVanished());
    QTRY_VERIFY(port.serial.error() != QSerialPort::NoError);
    QVERIFY(!errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestSimulatedUnit)
#include "tst_simulatedunit.moc"
