#include "app/tonaqerror.h"
#include "link/devicelink.h"
#include "sim/simulatedunit.h"
#include "testports.h"

#include <QTest>

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
    void chunkedReplyArrivesWhole();
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

void TestDeviceLink::chunkedReplyArrivesWhole() {
    // A USB adapter's latency timer hands the four-line location report over in bursts.
    m_unit->setPacing(true);
    m_unit->setChunkMs(16);
    m_link->OpenPort();
    m_link->SendCommand("V");
    QCOMPARE(m_link->ReadReply(), QByteArray("VW\r\n"));
    m_link->SendCommand("0");
    const QByteArray report = m_link->ReadReply();
    QVERIFY2(report.startsWith("\r\nMemory location 0\r\nLength = "), report);
    QCOMPARE(report.count("\r\n"), 4);
}

void TestDeviceLink::failures_data() {
    QTest::addColumn<int>("scenario");
    QTest::addColumn<int>("error");
    QTest::newRow("send on a closed port") << 0 << code(ErrorCode::PortNotOpen);
    QTest::newRow("read on a closed port") << 1 << code(ErrorCode::PortNotOpen);
    QTest::newRow("open twice") << 2 << code(ErrorCode::PortAlreadyOpen);
    QTest::newRow("number with no device") << 3 << code(ErrorCode::InvalidPortNumber);
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
