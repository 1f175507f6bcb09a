#include "memory/memorytransfer.h"
#include "memorytests.h"

#include <QAction>
#include <QPushButton>

using namespace tonaq;
using namespace tonaq::test::memory;

namespace {

QList<QStringList> emptiedFrom(int from, QList<QStringList> rows) {
    for (int i = from; i < kRows; ++i)
        rows[i] = QStringList{"", "", ""};
    return rows;
}

QStringList downloadStatuses(int locations = kRows) {
    QStringList shown{"Reading the device settings..."};
    for (int i = 1; i <= locations; ++i)
        shown.append(QStringLiteral("Reading Location # %1").arg(i));
    shown.append("Ready");
    return shown;
}

} // namespace

class TestDownload : public QObject {
    Q_OBJECT
private slots:
    void fillsEveryRowAsTheUnitHoldsIt_data();
    void fillsEveryRowAsTheUnitHoldsIt();
    void commandsRefusedWhenNotConnected_data();
    void commandsRefusedWhenNotConnected();
    void unansweredAttentionShowsTheMessage();
    void emptyReplyStopsSilently();
    void shortReportIsLoggedUnderReadDefaults_data();
    void shortReportIsLoggedUnderReadDefaults();
    void unitVanishing_data();
    void unitVanishing();
};

void TestDownload::fillsEveryRowAsTheUnitHoldsIt_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("tones");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("space");
    QTest::newRow("defaults") << -1 << QByteArray() << 0 << 0;
    QTest::newRow("twenty tones, top length")
        << 4 << QByteArray("0123456789*#ABCD0123") << 65534 << 20;
    QTest::newRow("no tones, top space") << 7 << QByteArray() << 20 << 65534;
}

void TestDownload::fillsEveryRowAsTheUnitHoldsIt() {
    QFETCH(int, row);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    if (row >= 0) {
        QFETCH(QByteArray, tones);
        QFETCH(int, length);
        QFETCH(int, space);
        unit.setLocation(row, {tones, length, space});
    }
    MemoryTableFrame &table = window.memoryTable();
    setRow(table, 1, {"1", "2", "3"}); // replaced by the download
    const auto statuses = recordStatus(window);

    QTest::mouseClick(window.cmdLoad(), Qt::LeftButton);
    QCOMPARE(tableTexts(table), unitTable(unit));
    QCOMPARE(unit.received(), downloadTraffic());
    QCOMPARE(*statuses, downloadStatuses());
    QCOMPARE(marks(table), QList<bool>(kRows, true));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tonaq v1.0.23 [*]"));
    QVERIFY(window.cmdLoad()->isEnabled());
    QVERIFY(window.mnuReset()->isEnabled());
    QVERIFY(program.prompter.shown.isEmpty());
    QVERIFY(program.logLines().isEmpty());

    // A second download finds the same.
    QTest::mouseClick(window.cmdLoad(), Qt::LeftButton);
    QCOMPARE(tableTexts(table), unitTable(unit));
}

void TestDownload::commandsRefusedWhenNotConnected_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("Download") << 0;
    QTest::newRow("Upload") << 1;
    QTest::newRow("Reset Unit") << 2;
}

void TestDownload::commandsRefusedWhenNotConnected() {
    QFETCH(int, command);
    using Command = void (MemoryTransfer::*)();
    const Command commands[] = {&MemoryTransfer::cmdLoad_Click, &MemoryTransfer::cmdProgram_Click,
                                &MemoryTransfer::mnuReset_Click};
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = program.start();
    setRow(window.memoryTable(), 2, {"100", "50", "12#"});
    (window.memoryTransfer().*
     commands[command])(); // their controls are disabled; call them as Open would
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    QCOMPARE(rowTexts(window.memoryTable(), 2), (QStringList{"100", "50", "12#"}));
    QCOMPARE(marks(window.memoryTable()),
             (QList<bool>{false, false, true, false, false, false, false, false}));
    QVERIFY(program.prompter.shown.isEmpty());
    QCOMPARE(unit.received(), QByteArray());
}

void TestDownload::unansweredAttentionShowsTheMessage() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    setRow(window.memoryTable(), 0, {"100", "50", "12#"});
    unit.setFaults(test::silentUnit());

    QTest::mouseClick(window.cmdLoad(), Qt::LeftButton);
    QCOMPARE(program.prompter.shown.size(), 1);
    const Message &box = program.prompter.shown.first();
    QCOMPARE(box.text, QStringLiteral("Error! No open Comm Ports or Tonaq found."));
    QCOMPARE(box.title, QStringLiteral("Tonaq"));
    QCOMPARE(box.buttons, MsgButtons::Ok);
    QCOMPARE(box.icon, MsgIcon::None);
    QCOMPARE(unit.received(), QByteArray("@"));
    QCOMPARE(tableTexts(window.memoryTable()), QList<QStringList>(kRows, {"", "", ""}));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(window.cmdLoad()->isEnabled());
}

void TestDownload::emptyReplyStopsSilently() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    sim::Faults faults;
    faults.emptyViewLocation = 3;
    unit.setFaults(faults);

    QTest::mouseClick(window.cmdLoad(), Qt::LeftButton);
    QCOMPARE(tableTexts(window.memoryTable()), emptiedFrom(3, unitTable(unit)));
    QCOMPARE(unit.received(), downloadTraffic(4));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(program.prompter.shown.isEmpty());
    QVERIFY(program.logLines().isEmpty());
    QVERIFY(window.cmdLoad()->isEnabled());
}

void TestDownload::shortReportIsLoggedUnderReadDefaults_data() {
    QTest::addColumn<sim::ReportFault>("fault");
    QTest::addColumn<QStringList>("row2");
    QTest::addColumn<int>("line"); // 0: nothing logged, the download goes on
    // The unit ends every line with CR LF, so its report without the fourth line still has an
    // empty line 3, and without the third line an empty line 2.
    QTest::newRow("no third line")
        << sim::ReportFault::NoThirdLine << QStringList{"", "", ""} << 80;
    QTest::newRow("empty third line")
        << sim::ReportFault::EmptyThirdLine << QStringList{"", "", ""} << 80;
    QTest::newRow("no colon: length only, cut to five")
        << sim::ReportFault::NoColon << QStringList{"150  ", "", ""} << 90;
    QTest::newRow("no fourth line: empty string")
        << sim::ReportFault::NoFourthLine << QStringList{"150", "75", ""} << 0;
}

void TestDownload::shortReportIsLoggedUnderReadDefaults() {
    QFETCH(sim::ReportFault, fault);
    QFETCH(QStringList, row2);
    QFETCH(int, line);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    sim::Faults faults;
    faults.reportFault = fault;
    faults.reportFaultLocation = 2;
    unit.setFaults(faults);

    QTest::mouseClick(window.cmdLoad(), Qt::LeftButton);
    QList<QStringList> expected = unitTable(unit);
    expected[2] = row2;
    if (line != 0) {
        expected = emptiedFrom(3, expected);
        QCOMPARE(program.logLines(),
                 QStringList{logLine(9, "Subscript out of range", "ReadDefaults", line)});
        QCOMPARE(unit.received(), downloadTraffic(3));
    } else {
        QVERIFY(program.logLines().isEmpty());
        QCOMPARE(unit.received(), downloadTraffic());
    }
    QCOMPARE(tableTexts(window.memoryTable()), expected);
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(window.cmdLoad()->isEnabled());
}

void TestDownload::unitVanishing_data() {
    QTest::addColumn<QString>("when");
    QTest::addColumn<QStringList>("logged");
    QTest::addColumn<int>("rowsRead");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("enabled");
    const QString gone = QStringLiteral("The device has been removed");
    // Gone before the first "@": the handler itself fails and leaves the controls off.
    QTest::newRow("before attention")
        << "Reading the device settings..." << QStringList{logLine(8018, gone, "cmdLoad_Click", 60)}
        << 0 << "Reading the device settings..." << false;
    // Gone while locations are read: only the reading stops; the handler ends normally.
    QTest::newRow("before location 2")
        << "Reading Location # 3" << QStringList{logLine(8018, gone, "ReadDefaults", 40)} << 2
        << "Ready" << true;
}

void TestDownload::unitVanishing() {
    QFETCH(QString, when);
    QFETCH(int, rowsRead);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    const QList<QStringList> held = unitTable(unit);
    bool gone = false;
    onText(window.StatusBox(), when, [&] { gone = vanishNow(window, unit); });

    QTest::mouseClick(window.cmdLoad(), Qt::LeftButton);
    QVERIFY(gone);
    QTEST(program.logLines(), "logged");
    QCOMPARE(tableTexts(window.memoryTable()), emptiedFrom(rowsRead, held));
    QTEST(program.status(), "status");
    QTEST(window.cmdLoad()->isEnabled(), "enabled");
    QVERIFY(program.prompter.shown.isEmpty());
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
