#include "app/shutdown.h"
#include "link/connectmenu.h"
#include "link/devicelink.h"
#include "multiplay/multiplay.h"
#include "program.h"
#include "sim/simulatedunit.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace tonaq;

namespace {

// Counts the shutdown loop's polls and moves time on by them.
class CountingClock : public ShutdownClock {
public:
    QDateTime now() override { return m_now; }
    void wait(double milliseconds) override {
        m_now = m_now.addMSecs(static_cast<qint64>(milliseconds));
        ++waits;
    }
    int waits = 0;

private:
    QDateTime m_now = QDateTime(QDate(2026, 12, 6), QTime(12, 0));
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void everyControlIsThere_data();
    void everyControlIsThere();
    void framesStandWhereTheLayoutPutsThem_data();
    void framesStandWhereTheLayoutPutsThem();
    void fileMenuInOrder();
    void startupTitleAndState();
    void shutdown_data();
    void shutdown();
};

void TestMainWindow::everyControlIsThere_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("firmware") << "Firmware"
                              << "Firmware Version: Not connected"
                              << "Device firmware info.";
    QTest::newRow("status") << "StatusBox"
                            << "Status"
                            << "Displays status of the current operation";
    QTest::newRow("keypad 9 is zero") << "KeyPad(9)"
                                      << "0"
                                      << "DTMF 0";
    QTest::newRow("keypad 10 is star") << "KeyPad(10)"
                                       << "*"
                                       << "DTMF *";
    QTest::newRow("keypad 15") << "KeyPad(15)"
                               << "D"
                               << "DTMF D";
    QTest::newRow("length 3") << "Length(2)"
                              << "Length 3"
                              << "Sets Tone duration in milliseconds";
    QTest::newRow("space 8") << "Space(7)"
                             << "Space 8"
                             << "Sets Tones pacing in milliseconds";
    QTest::newRow("string 1") << "MemString(0)"
                              << "String 1"
                              << "Onboard Memory Location 0";
    QTest::newRow("update 4") << "Update(3)"
                              << "Update 4"
                              << "Check here to upload this row";
    QTest::newRow("all") << "chkAll"
                         << "All"
                         << "Check here to check update on all memory locations";
    QTest::newRow("clear") << "cmdClear"
                           << "Clear"
                           << "Clears all fileds";
    QTest::newRow("duration") << "Duration"
                              << "Duration"
                              << "";
    QTest::newRow("tone") << "Tone"
                          << "Tone"
                          << "";
    QTest::newRow("keys") << "txtKeys"
                          << "Tone to send"
                          << "Set focus here (click left mous button) and press a valid DTMF "
                             "corresponding key to send a pulsating tone or one constant tone.  "
                             "Defined by Key Lock check box.";
    QTest::newRow("key lock") << "chkKeyLock"
                              << "Key Lock"
                              << "Send a constant tone, don't pulsate it";
    QTest::newRow("memory play") << "cmdMemPlay"
                                 << "Play"
                                 << "Play tones from memory location(s).  Locations 1-8 allowed.  "
                                    "For multiple locations, do not use seperating characters.";
    QTest::newRow("single play") << "cmdSinglePlay"
                                 << "Play"
                                 << "Play single tone for specified duration";
    QTest::newRow("multi play") << "cmdMultiPlay"
                                << "Multi Play"
                                << "Sends tones with individual length/space times";
    QTest::newRow("download") << "cmdLoad"
                              << "Download"
                              << "Downloads device settings";
    QTest::newRow("upload") << "cmdProgram"
                            << "Upload"
                            << "Uploads new configuration data to the device";
    QTest::newRow("abort") << "cmdAbort"
                           << "Abort"
                           << "Aborts timed mode tones";
    QTest::newRow("logo") << "imgLogo"
                          << "Tonaq v1.0.23"
                          << "";
    QTest::newRow("frame 1") << "fraMain(1)"
                             << "Memory Locations Display"
                             << "";
    QTest::newRow("status label") << "lblDisp(4)"
                                  << "Status:"
                                  << "";
}

void TestMainWindow::everyControlIsThere() {
    QFETCH(QString, name);
    test::Program program;
    FrmTonaq &window = program.start();
    const auto *widget = window.findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QTEST(widget->accessibleName(), "accessibleName");
    QTEST(widget->toolTip(), "toolTip");
    QCOMPARE(widget->accessibleDescription(), widget->toolTip());
}

void TestMainWindow::framesStandWhereTheLayoutPutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place"); // pixels: twips / 15
    QTest::newRow("keypad") << "fraMain(0)" << QRect(8, 76, 241, 217);
    QTest::newRow("memory table") << "fraMain(1)" << QRect(256, 76, 377, 265);
    QTest::newRow("memory play") << "fraMain(2)" << QRect(8, 292, 241, 49);
    QTest::newRow("single play") << "fraMain(3)" << QRect(8, 340, 241, 49);
    QTest::newRow("instant tone") << "fraMain(4)" << QRect(256, 340, 209, 49);
    QTest::newRow("status box") << "StatusBox" << QRect(292, 52, 341, 21);
    QTest::newRow("abort") << "cmdAbort" << QRect(584, 400, 49, 25);
    QTest::newRow("logo") << "imgLogo" << QRect(36, 12, 183, 51);
}

void TestMainWindow::framesStandWhereTheLayoutPutsThem() {
    QFETCH(QString, name);
    test::Program program;
    FrmTonaq &window = program.start();
    QTEST(window.findChild<QWidget *>(name)->geometry(), "place");
    QCOMPARE(window.centralWidget()->size(), QSize(639, 432));
}

void TestMainWindow::fileMenuInOrder() {
    test::Program program;
    FrmTonaq &window = program.start();
    QStringList items;
    for (const QAction *action : window.mnuFile()->actions())
        items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(items, (QStringList{"Open", "Save", "Save As...", "-", "Reset Unit", "-", "Exit"}));
    QCOMPARE(window.menuBar()->actions().at(1)->menu(), window.connectMenu().COMSelect());
}

void TestMainWindow::startupTitleAndState() {
    test::Program program;
    FrmTonaq &window = program.start();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tonaq v1.0.23"));
    QVERIFY(window.isVisible());
    QVERIFY(window.channel().hasLink());
    QCOMPARE(window.channel().link().settings(), QStringLiteral("9600,n,8,1"));
    QVERIFY(window.multiPlayLoaded());
    QVERIFY(!window.multiPlay().isVisible());
    QVERIFY(!window.cmdLoad()->isEnabled());
}

void TestMainWindow::shutdown_data() {
    QTest::addColumn<bool>("connect");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("questions");
    QTest::newRow("open port, clean caption") << true << "Tonaq v1.0.23" << 0;
    QTest::newRow("no port open") << false << "Tonaq v1.0.23 [a.tnq]" << 0;
    QTest::newRow("changed caption asks") << false << "Tonaq v1.0.23 [a.tnq*]" << 1;
}

void TestMainWindow::shutdown() {
    QFETCH(bool, connect);
    QFETCH(QString, caption);
    test::Program program;
    FrmTonaq &window = connect ? program.startConnected(3) : program.start();
    CountingClock clock;
    window.setShutdownClock(&clock);
    window.setWindowTitle(caption);
    program.prompter.answers.enqueue(MsgAnswer::No);
    QVERIFY(window.close());

    QTEST(static_cast<int>(program.prompter.shown.size()), "questions");
    if (!program.prompter.shown.isEmpty())
        QCOMPARE(program.prompter.shown.first().text, QStringLiteral("Save data before quitting?"));
    QCOMPARE(clock.waits, 0); // the port closes at once, so no poll waits
    QCOMPARE(program.status(), QStringLiteral("Terminating..."));
    QVERIFY(!window.channel().hasLink());
    QVERIFY(!FrmTonaq::IsFormLoaded(QStringLiteral("MultiPlay")));
    QVERIFY(!window.cmdAbort()->isEnabled());
    QVERIFY(program.logLines().isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
