// The Windows programs across a real line, under Wine: the simulated unit on a pseudo-terminal
// here, behind Debian's ser2net on 127.0.0.1, answers tonaqctl.exe's download and the window's
// connect as a network unit (raw TCP and RFC 2217). Runs against the Windows build in
// TONAQ_WINDOWS_BUILD (cmake --preset windows); without one it skips, saying so.
#include "config/configfile.h"
#include "model/memorymodel.h"
#include "program.h"
#include "ser2net.h"
#include "sim/ptyunit.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tonaq;

namespace {

const QString kBuild = QStringLiteral(TONAQ_WINDOWS_BUILD);

// Runs a program of the Windows build under Wine; its output and exit status.
struct Run {
    int status = -1;
    QByteArray output;
};

Run wine(const QString &launcher, const QStringList &arguments,
         const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(kBuild + u'/' + launcher, arguments);
    if (!process.waitForFinished(120'000)) process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput()};
}

} // namespace

class TestWine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!QFile::exists(kBuild + "/wine-run") || !QFile::exists(kBuild + "/bin/tonaqctl.exe"))
            QSKIP(qPrintable("no Windows build under Wine at " + kBuild +
                             " (cmake --preset windows && cmake --build --preset windows)"));
        QVERIFY2(!test::Ser2net::program().isEmpty(), "ser2net is not installed");
        QCOMPARE(wine("wine-display", {"start"}).status, 0);
        m_server = std::make_unique<test::Ser2net>(m_folder.path());
        m_unit.setLocation(0, {"ABCD*#0", 321, 123}); // not a default: read, not assumed
        m_raw = QStringLiteral("tcp://127.0.0.1:%1").arg(m_server->serve({}, m_unit.devicePath()));
        m_rfc2217 = QStringLiteral("rfc2217://127.0.0.1:%1")
                        .arg(m_server->serve("telnet(rfc2217)", m_unit.devicePath()));
        QString why;
        QVERIFY2(m_server->start(&why), qPrintable(why));
    }

    void cleanupTestCase() {
        if (m_server) wine("wine-display", {"stop"});
    }

    void downloadReturnsTheUnitsTable_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("raw") << m_raw;
        QTest::newRow("RFC 2217") << m_rfc2217;
    }

    void downloadReturnsTheUnitsTable() {
        QFETCH(QString, url);
        const QString file = m_folder.filePath("unit.tnq");
        QFile::remove(file);
        const Run run = wine(
            "wine-run", {kBuild + "/bin/tonaqctl.exe", "download", "--port", url, "Z:" + file});
        QCOMPARE(run.status, 0);
        QStringList printed;
        for (int i = 0; i < kLocationCount; ++i) {
            const sim::StoredLocation held = m_unit.location(i);
            printed << QStringLiteral("%1 %2,%3,%4")
                           .arg(i + 1)
                           .arg(QString::fromLatin1(held.tones))
                           .arg(held.lengthMs)
                           .arg(held.spaceMs);
        }
        // Text on Windows ends its lines in CR LF.
        QCOMPARE(QString::fromUtf8(run.output).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
                 printed);
        MemoryModel saved;
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        loadConfiguration(written, saved);
        QCOMPARE(test::tableOf(saved), test::tableOf(m_unit));
    }

    void windowConnectsToTheUnit() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TONAQ_NETWORK_UNITS", m_raw + u' ' + m_rfc2217);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        const Run run = wine("wine-test", {kBuild + "/bin/tst_win32.exe", "connectsToNetworkUnits"},
                             environment);
        QVERIFY2(run.status == 0, run.output.constData());
        QVERIFY2(run.output.contains("PASS   : TestWin32::connectsToNetworkUnits()"),
                 run.output.constData());
    }

private:
    QTemporaryDir m_folder;
    sim::PtyUnit m_unit{{.pacing = true}};
    std::unique_ptr<test::Ser2net> m_server; // goes before the unit it serves
    QString m_raw;
    QString m_rfc2217;
};

QTEST_MAIN(TestWine)
#include "tst_wine.moc"
