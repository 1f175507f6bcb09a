// What only Windows has, on the system itself (under Wine in CI, with the windows platform on a
// virtual display): its own list of COM ports in the Connect menu, beside a network unit whose
// entry carries a label, as Windows wants it ("COM250 bench.txt"); its notices of serial ports
// that come and go, heard through the window; and the window's connect to a network unit that a
// test on the other side of the line serves (TONAQ_NETWORK_UNITS, the URLs to connect to).
#include "program.h"
#include "session/portwatcher.h"

#include <QFile>
#include <QSerialPortInfo>
#include <QTest>
#include <algorithm>

// The system's headers want windows.h first.
#include <windows.h>

#include <dbt.h>

using namespace tonaq;

namespace {

// What the system sends a window when a device of a kind comes (or goes).
struct Notice {
    WPARAM event;
    DWORD deviceType;
    GUID interfaceClass{};
};

constexpr GUID kComPorts = {
    0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};
constexpr GUID kHidDevices = {
    0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

} // namespace

Q_DECLARE_METATYPE(Notice)

class TestWin32 : public QObject {
    Q_OBJECT
private slots:
    void connectMenuListsTheSystemsPorts() {
        test::Program program(test::TestPorts::Devices::System);
        QFile entry(program.ports.folder() + "/COM250 bench.txt");
        QVERIFY(entry.open(QIODevice::WriteOnly) && entry.write("tcp://127.0.0.1:9\n"));
        entry.close();
        QList<int> expected{250};
        const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
        if (system.isEmpty())
            QSKIP("the system lists no serial port (Wine's test prefix has COM9)");
        for (const QSerialPortInfo &port : system)
            expected << port.portName().mid(3).toInt();
        std::sort(expected.begin(), expected.end());
        QStringList names;
        for (int number : std::as_const(expected))
            names << QStringLiteral("COM%1").arg(number);
        QCOMPARE(test::menuShown(program.start()), names.join(u' '));
    }

    void deviceNoticesAreHeard_data() {
        QTest::addColumn<Notice>("notice");
        QTest::addColumn<bool>("heard");
        QTest::newRow("a serial port arrives")
            << Notice{DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kComPorts} << true;
        QTest::newRow("a serial port goes")
            << Notice{DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, kComPorts} << true;
        QTest::newRow("a port named COM7 arrives")
            << Notice{DBT_DEVICEARRIVAL, DBT_DEVTYP_PORT} << true;
        QTest::newRow("a keyboard arrives")
            << Notice{DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kHidDevices} << false;
        QTest::newRow("a disk arrives") << Notice{DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME} << false;
        QTest::newRow("a serial port may go")
            << Notice{DBT_DEVICEQUERYREMOVE, DBT_DEVTYP_DEVICEINTERFACE, kComPorts} << false;
    }

    // The notice reaches the window's own message handling as the system sends it; the watcher
    // picks out those of serial ports.
    void deviceNoticesAreHeard() {
        QFETCH(Notice, notice);
        QWidget window;
        window.show();
        PortWatcher watcher(window.winId());
        union {
            DEV_BROADCAST_HDR header;
            DEV_BROADCAST_DEVICEINTERFACE_W deviceInterface;
            DEV_BROADCAST_PORT_W port;
            DEV_BROADCAST_VOLUME volume;
            char room[512];
        } broadcast{};
        broadcast.header.dbch_size = sizeof(broadcast);
        broadcast.header.dbch_devicetype = notice.deviceType;
        if (notice.deviceType == DBT_DEVTYP_DEVICEINTERFACE)
            broadcast.deviceInterface.dbcc_classguid = notice.interfaceClass;
        if (notice.deviceType == DBT_DEVTYP_PORT) wcscpy(broadcast.port.dbcp_name, L"COM7");
        SendMessageW(reinterpret_cast<HWND>(window.winId()), WM_DEVICECHANGE, notice.event,
                     reinterpret_cast<LPARAM>(&broadcast));
        QTEST(watcher.changePending(), "heard");
    }

    // Run from the Linux side of the line, which serves the simulated unit through ser2net.
    void connectsToNetworkUnits() {
        const QStringList urls =
            qEnvironmentVariable("TONAQ_NETWORK_UNITS").split(u' ', Qt::SkipEmptyParts);
        if (urls.isEmpty()) QSKIP("no network units named in TONAQ_NETWORK_UNITS");
        for (const QString &url : urls) {
            test::Program program;
            QFile entry(program.ports.folder() + "/COM12 bench.txt");
            QVERIFY(entry.open(QIODevice::WriteOnly) && entry.write(url.toUtf8()));
            entry.close();
            program.start();
            program.connectTo(12);
            QCOMPARE(program.status(), "Connected on COM12");
            QCOMPARE(program.logLines(), QStringList{});
        }
    }
};

QTEST_MAIN(TestWin32)
#include "tst_win32.moc"
