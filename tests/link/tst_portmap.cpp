#include "app/tonaqerror.h"
#include "link/linesettings.h"
#include "link/portmap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tonaq;

class TestPortMap : public QObject {
    Q_OBJECT
private slots:
    void numbering_data();
    void numbering();
    void reservedNumberSurvivesRefresh();
    void settings_data();
    void settings();
};

// devices: files to create in the device folder; links: "COM<n>=device" links to create.
void TestPortMap::numbering_data() {
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

void TestPortMap::numbering() {
    QFETCH(QStringList, devices);
    QFETCH(QStringList, links);
    QFETCH(QStringList, expected);
    QTemporaryDir devFolder;
    QTemporaryDir linkFolder;
    for (const QString &device : devices) {
        QFile file(devFolder.filePath(device));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    for (const QString &link : links) {
        const QString target = devFolder.filePath(link.section(u'=', 1));
        QVERIFY(QFile::link(target, linkFolder.filePath(link.section(u'=', 0, 0))));
    }
    const PortMap map(linkFolder.path(), devFolder.path());
    QStringList actual;
    for (int n = PortMap::kFirstPort; n <= PortMap::kLastPort; ++n) {
        const QString device = map.devicePath(n);
        if (!device.isEmpty())
            actual.append(QStringLiteral("%1=%2").arg(n).arg(QFileInfo(device).fileName()));
    }
    QCOMPARE(actual, expected);
}

void TestPortMap::reservedNumberSurvivesRefresh() {
    QTemporaryDir devFolder;
    QTemporaryDir linkFolder;
    QFile ttyS0(devFolder.filePath(QStringLiteral("ttyS0")));
    QVERIFY(ttyS0.open(QIODevice::WriteOnly));
    PortMap map(linkFolder.path(), devFolder.path());
    QCOMPARE(map.reserve(QStringLiteral("/dev/pts/99")), 2);
    QVERIFY(QFile::link(ttyS0.fileName(), linkFolder.filePath(QStringLiteral("COM2"))));
    map.refresh();
    QCOMPARE(map.devicePath(2), QStringLiteral("/dev/pts/99"));
}

void TestPortMap::settings_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("the unit's") << "9600,n,8,1" << true;
    QTest::newRow("upper case, blanks") << " 19200, E ,7,2" << true;
    QTest::newRow("missing field") << "9600,n,8" << false;
    QTest::newRow("bad parity") << "9600,x,8,1" << false;
    QTest::newRow("bad bits") << "9600,n,9,1" << false;
    QTest::newRow("bad baud") << "fast,n,8,1" << false;
    QTest::newRow("empty") << "" << false;
}

void TestPortMap::settings() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    bool parsed = true;
    try {
        parseLineSettings(text);
    } catch (const TonaqError &error) {
        parsed = false;
        QCOMPARE(error.number(), static_cast<int>(ErrorCode::InvalidSettings));
    }
    QCOMPARE(parsed, valid);
}

QTEST_GUILESS_MAIN(TestPortMap)
#include "tst_portmap.moc"
