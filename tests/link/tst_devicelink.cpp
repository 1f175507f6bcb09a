#include "app/tonaqerror.h"
#include "link/devicelink.h"
#include "link/replytiming.h"
#include "sim/pseudoterminal.h"
#include "sim/simulatedunit.h"
#include "testports.h"

#include <QTest>
#include <QTimer>
#include <unistd.h>

using namespace tonaq;
using tonaq::sim::SimulatedUnit;

namespace {

int errorNumberOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const TonaqError &error) {
        return error.number();
    }
    return 0;
}

constexpr int code(ErrorCode c) {
    return static_cast<int>(c);
}

} // namespace

class TestDeviceLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void commandAndReply_data();
    void commandAndReply();
    void silentUnitGivesEmptyReply();
    void chunkedReplyArrivesWhole_data();
    void chunkedReplyArrivesWhole();
    void replyWithoutLineEndWaitsTheLongGap();
    void failures_data();
    void failures();
    void vanishedDeviceIsOneFailureThenClosed();

private:
    std::unique_ptr<test::TestPorts> m_ports;
    std::unique_ptr<SimulatedUnit> m_unit;
    std::unique_ptr<DeviceLink> m_link;
};

void TestDeviceLink::init() {
    m_ports = std::make_unique<test::TestPorts>();
    m_unit = std::make_unique<SimulatedUnit>(SimulatedUnit::Options{false, 1.0, 0});
    QVERIFY(m_ports->link(4, m_unit->devicePath()));
    m_link = std::make_unique<DeviceLink>(m_ports->map());
    m_link->setSettings(QStringLiteral("9600,n,8,1"));
    m_link->setPortNumber(4);
}

void TestDeviceLink::cleanup() {
    m_link.reset();
    m_unit.reset();
    m_ports.reset();
}

void TestDeviceLink::commandAndReply_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("handshake") << QByteArray("@") << QByteArray("Connected\r\n");
    QTest::newRow("firmware") << QByteArray("R") << QByteArray("2.10 (simulated)\r\n");
    QTest::newRow("tone start has no reply") << QByteArray("%5") << QByteArray();
}

void TestDeviceLink::commandAndReply() {
    QFETCH(QByteArray, command);
    m_link->OpenPort();
    m_link->SendCommand(command);
    QTEST(m_link->ReadReply(), "reply");
    QCOMPARE(m_unit->received(), command);
}

void TestDeviceLink::silentUnitGivesEmptyReply() {
    sim::Faults faults;
    faults.silent = true;
    m_unit->setFaults(faults);
    m_link->OpenPort();
    m_link->SendCommand("@");
    QCOMPARE(m_link->ReadReply(), QByteArray());
    QVERIFY(m_link->PortIsOpen());
}

void TestDeviceLink::chunkedReplyArrivesWhole_data() {
    QTest::addColumn<bool>("paced");
    QTest::addColumn<int>("chunkMs");
    QTest::addColumn<double>("extraDelayMs");
    QTest::newRow("paced at 9600 baud") << true << 0 << 0.0;
    QTest::newRow("unpaced, one burst") << false << 0 << 0.0;
    QTest::newRow("adapter bursts every 16 ms") << true << 16 << 0.0;
    QTest::newRow("adapter bursts every 5 ms") << true << 5 << 0.0;
    QTest::newRow("slow unit") << true << 0 << 120.0;
    QTest::newRow("slow unit behind an adapter") << true << 16 << 120.0;
}

void TestDeviceLink::chunkedReplyArrivesWhole() {
    // The four-line location report must come whole, however the line hands it over, also
    // after the link has learnt the pauses from the short replies before it.
    QFETCH(bool, paced);
    QFETCH(int, chunkMs);
    QFETCH(double, extraDelayMs);
    m_unit->setPacing(paced);
    m_unit->setChunkMs(chunkMs);
    sim::Faults slow;
    slow.extraReplyDelayMs = extraDelayMs;
    m_unit->setFaults(slow);
    m_link->OpenPort();
    for (int location = 0; location < 8; ++location) {
        m_link->SendCommand("@");
        QCOMPARE(m_link->ReadReply(), QByteArray("Connected\r\n"));
        m_link->SendCommand("V");
        QCOMPARE(m_link->ReadReply(), QByteArray("VW\r\n"));
        m_link->SendCommand(QByteArray::number(location));
        const QByteArray report = m_link->ReadReply();
        QVERIFY2(report.startsWith("\r\nMemory location " + QByteArray::number(location) +
                                   "\r\nLength = "),
                 report);
        QVERIFY2(report.endsWith("\r\n") && report.count("\r\n") == 4, report);
    }
}

void TestDeviceLink::replyWithoutLineEndWaitsTheLongGap() {
    // Once the link has seen bytes come a millisecond apart, a line end ends a reply soon;
    // a reply that pauses mid-line, longer than that, is still not over until the line has
    // been quiet for the long gap.
    sim::PseudoTerminal device;
    QVERIFY(m_ports->link(6, device.slavePath()));
    m_link->setPortNumber(6);
    m_link->OpenPort();
    const auto write = [&device](QByteArray bytes) {
        QVERIFY(::write(device.masterFd(), bytes.constData(), bytes.size()) == bytes.size());
    };
    for (int i = 0; i < 4; ++i)
        QTimer::singleShot(i + 1, [&write, i] { write(QByteArray("OK\r\n").mid(i, 1)); });
    QCOMPARE(m_link->ReadReply(), QByteArray("OK\r\n"));

    write("Memory loc");
    QTimer::singleShot(kQuietGap / 2, [&] { write("ation 3\r\n"); });
    QCOMPARE(m_link->ReadReply(), QByteArray("Memory location 3\r\n"));
}

void TestDeviceLink::failures_data() {
    QTest::addColumn<int>("scenario");
    QTest::addColumn<int>("error");
    QTest::newRow("send on a closed port") << 0 << code(ErrorCode::PortNotOpen);
    QTest::newRow("read on a closed port") << 1 << code(ErrorCode::PortNotOpen);
    QTest::newRow("open twice") << 2 << code(ErrorCode::PortAlreadyOpen);
    QTest::newRow("number with no device") << 3 << code(ErrorCode::PortUnavailable);
    QTest::newRow("device that is no port") << 4 << code(ErrorCode::PortUnavailable);
    QTest::newRow("bad settings") << 5 << code(ErrorCode::InvalidSettings);
    QTest::newRow("close when closed is harmless") << 6 << 0;
}

void TestDeviceLink::failures() {
    QFETCH(int, scenario);
    const std::function<void()> actions[] = {
        [&] { m_link->SendCommand("@"); },
        [&] { m_link->ReadReply(); },
        [&] {
            m_link->OpenPort();
            m_link->OpenPort();
        },
        [&] {
            m_link->setPortNumber(9);
            m_link->OpenPort();
        },
        [&] {
            // Something that exists but is no serial port at all.
            QVERIFY(m_ports->link(5, QStringLiteral(TONAQ_TEST_SOURCE_FILE)));
            m_link->setPortNumber(5);
            m_link->OpenPort();
        },
        [&] { m_link->setSettings(QStringLiteral("9600,n,8")); },
        [&] {
            m_link->ClosePort();
            m_link->ClosePort();
        },
    };
    QTEST(errorNumberOf(actions[scenario]), "error");
}

void TestDeviceLink::vanishedDeviceIsOneFailureThenClosed() {
    m_link->OpenPort();
    m_unit->vanish();
    QTRY_COMPARE(m_link->state(), DeviceLink::State::Gone);
    QCOMPARE(errorNumberOf([&] { m_link->SendCommand("@"); }), code(ErrorCode::PortGone));
    QTRY_VERIFY(!m_link->PortIsOpen());
    m_link->ClosePort();
    QCOMPARE(m_link->state(), DeviceLink::State::Closed);
}

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
