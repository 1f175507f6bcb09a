#include "memory/memorytransfer.h"
#include "memorytests.h"

#include <QPushButton>

using namespace tonaq;
using namespace tonaq::test::memory;

namespace {

QStringList savingStatuses() {
    QStringList shown{"Saving changes to device memory..."};
    for (int i = 0; i < kRows; ++i)
        shown.append(QStringLiteral("Saving to Location #  %1").arg(i));
    return shown;
}

QList<bool> marked(std::initializer_list<int> rows) {
    QList<bool> result(kRows, false);
    for (int row : rows)
        result[row] = true;
    return result;
}

} // namespace

class TestUpload : public QObject {
    Q_OBJECT
private slots:
    void oneMarkedRowGoesOutThenIsReadBack();
    void roundTripsThroughTheUnit_data();
    void roundTripsThroughTheUnit();
    void timesAreForcedIntoRange_data();
    void timesAreForcedIntoRange();
    void unmarkedRowsSendNothing();
    void answerNoStillDownloads();
    void unacknowledgedRowsAreSkipped_data();
    void unacknowledgedRowsAreSkipped();
    void unitVanishing_data();
    void unitVanishing();
};

void TestUpload::oneMarkedRowGoesOutThenIsReadBack() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    MemoryTableFrame &table = window.memoryTable();
    setRow(table, 2, {"100", "50", "12#"});
    QCOMPARE(marks(table), marked({2}));
    const auto statuses = recordStatus(window);

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QCOMPARE(program.prompter.shown.size(), 1);
    const Message &question = program.prompter.shown.first();
    QCOMPARE(question.text, QStringLiteral("Save Changes to Memory?"));
    QCOMPARE(question.title, QStringLiteral("Tonaq"));
    QCOMPARE(question.buttons, MsgButtons::YesNo);
    QCOMPARE(question.icon, MsgIcon::None);
    QCOMPARE(question.defaultAnswer, MsgAnswer::Yes);

    const QByteArray written = "@S2\r\n100,50\r\n12#.";
    QCOMPARE(unit.received(), written + downloadTraffic());
    const QList<sim::ReceivedByte> bytes = unit.receivedLog();
    QVERIFY(bytes[written.size()].atMs - bytes[written.size() - 1].atMs >= 50);
    QCOMPARE(unit.location(2), (sim::StoredLocation{"12#", 100, 50}));
    QCOMPARE(statuses->mid(0, 9), savingStatuses());
    QCOMPARE(statuses->mid(9, 1), QStringList{"Reading the device settings..."});
    QCOMPARE(statuses->last(), QStringLiteral("Ready"));
    QCOMPARE(tableTexts(table), unitTable(unit));
    QCOMPARE(marks(table), QList<bool>(kRows, true)); // the read-back marks every filled row
    QVERIFY(program.logLines().isEmpty());
}

void TestUpload::roundTripsThroughTheUnit_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("rowBytes");
    QTest::addColumn<QByteArray>("storedTones");
    QTest::newRow("twenty tones, no end mark")
        << 0 << QStringList{"20", "65534", "0123456789*#ABCD0123"}
        << QByteArray("@S0\r\n20,65534\r\n0123456789*#ABCD0123")
        << QByteArray("0123456789*#ABCD0123");
    QTest::newRow("no tones, only the end mark")
        << 3 << QStringList{"300", "20", ""} << QByteArray("@S3\r\n300,20\r\n.") << QByteArray();
    QTest::newRow("lower case sent as typed")
        << 7 << QStringList{"80", "40", "abcd"} << QByteArray("@S7\r\n80,40\r\nabcd.")
        << QByteArray("ABCD");
}

void TestUpload::roundTripsThroughTheUnit() {
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, rowBytes);
    QFETCH(QByteArray, storedTones);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    setRow(window.memoryTable(), row, texts);

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QCOMPARE(unit.received(), rowBytes + downloadTraffic());
    QCOMPARE(unit.location(row),
             (sim::StoredLocation{storedTones, texts[0].toInt(), texts[1].toInt()}));
    QCOMPARE(tableTexts(window.memoryTable()), unitTable(unit));
}

void TestUpload::timesAreForcedIntoRange_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("space");
    QTest::addColumn<QString>("sentLength");
    QTest::addColumn<QString>("sentSpace");
    QTest::newRow("19") << "19"
                        << "50"
                        << "20"
                        << "50";
    QTest::newRow("19.5") << "19.5"
                          << "50"
                          << "20"
                          << "50";
    QTest::newRow("20.5 stays") << "20.5"
                                << "50"
                                << "20.5"
                                << "50";
    QTest::newRow("limits stay") << "20"
                                 << "65534"
                                 << "20"
                                 << "65534";
    QTest::newRow("65535") << "100"
                           << "65535"
                           << "100"
                           << "65534";
    QTest::newRow("99999") << "99999"
                           << "99999"
                           << "65534"
                           << "65534";
    QTest::newRow("12ab reads 12") << "12ab"
                                   << "50"
                                   << "20"
                                   << "50";
    QTest::newRow("100ab reads 100") << "100ab"
                                     << "50"
                                     << "100ab"
                                     << "50";
    QTest::newRow("leading zero stays") << "0100"
                                        << "050"
                                        << "0100"
                                        << "050";
    QTest::newRow("both empty") << ""
                                << ""
                                << "20"
                                << "20";
}

void TestUpload::timesAreForcedIntoRange() {
    QFETCH(QString, length);
    QFETCH(QString, space);
    QFETCH(QString, sentLength);
    QFETCH(QString, sentSpace);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    MemoryTableFrame &table = window.memoryTable();
    setRow(table, 2, {length, space, "1"});
    // The read-back replaces the table, so look at row 2 as the upload left it.
    QStringList corrected;
    onText(window.StatusBox(), "Saving to Location #  3", [&] { corrected = rowTexts(table, 2); });

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QCOMPARE(corrected, (QStringList{sentLength, sentSpace, "1"}));
    const QByteArray timing = (sentLength + ',' + sentSpace).toLatin1() + "\r\n";
    QCOMPARE(unit.received(), "@S2\r\n" + timing + "1." + downloadTraffic());
}

void TestUpload::unmarkedRowsSendNothing() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    setRow(window.memoryTable(), 4, {"100", "50", "1"});
    QTest::mouseClick(window.memoryTable().Update(4), Qt::LeftButton); // operator unticks it
    const auto statuses = recordStatus(window);

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QCOMPARE(unit.received(), downloadTraffic());
    QCOMPARE(statuses->mid(0, 9), savingStatuses());
    QCOMPARE(program.status(), QStringLiteral("Ready"));
}

void TestUpload::answerNoStillDownloads() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    const QList<QStringList> held = unitTable(unit);
    setRow(window.memoryTable(), 4, {"999", "999", "999"});
    program.prompter.answers.enqueue(MsgAnswer::No);
    const auto statuses = recordStatus(window);

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QCOMPARE(statuses->first(), QStringLiteral("Save operation cancelled"));
    QCOMPARE(unit.received(), downloadTraffic());
    QCOMPARE(tableTexts(window.memoryTable()), held); // the edit is gone from the table
    QCOMPARE(unitTable(unit), held);
    QCOMPARE(program.status(), QStringLiteral("Ready"));
}

void TestUpload::unacknowledgedRowsAreSkipped_data() {
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QByteArray>("traffic");
    // Without "SS" the unit is left in its store mode and takes the next "@" as part of a
    // location line, so it says nothing more: row 6 is skipped for want of an answer to "@",
    // and the read-back finds no unit.
    QTest::newRow("no SS") << false << QByteArray("@S@@");
    QTest::newRow("no answer at all") << true << QByteArray("@@@");
}

void TestUpload::unacknowledgedRowsAreSkipped() {
    QFETCH(bool, silent);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    const QList<QStringList> held = unitTable(unit);
    MemoryTableFrame &table = window.memoryTable();
    setRow(table, 1, {"100", "50", "1"});
    setRow(table, 6, {"100", "50", "6"});
    sim::Faults faults;
    faults.silent = silent;
    faults.missingMarkers = sim::Marker::Store;
    unit.setFaults(faults);
    QList<bool> marksBeforeReadBack;
    onText(window.StatusBox(), "Reading the device settings...",
           [&] { marksBeforeReadBack = marks(table); });

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QTEST(unit.received(), "traffic");
    QCOMPARE(marksBeforeReadBack, QList<bool>(kRows, false));
    QCOMPARE(unitTable(unit), held);
    QCOMPARE(program.prompter.texts(),
             (QStringList{"Save Changes to Memory?", "Error! No open Comm Ports or Tonaq found."}));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(program.logLines().isEmpty());
}

void TestUpload::unitVanishing_data() {
    QTest::addColumn<bool>("inRangeCheck");
    QTest::addColumn<int>("line");
    QTest::addColumn<QByteArray>("traffic");
    QTest::addColumn<QString>("length2");
    const QByteArray row0 = "@S0\r\n100,50\r\n0.";
    // Gone before row 2's "@": the first command of that row fails.
    QTest::newRow("between rows") << false << 80 << row0 << "5";
    // Gone while row 2's length is corrected: the timing command fails, the correction stays.
    QTest::newRow("in the range check") << true << 120 << row0 + "@S2\r\n"
                                        << "20";
}

void TestUpload::unitVanishing() {
    QFETCH(bool, inRangeCheck);
    QFETCH(int, line);
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    MemoryTableFrame &table = window.memoryTable();
    setRow(table, 0, {"100", "50", "0"});
    setRow(table, 2, {"5", "50", "2"});
    setRow(table, 5, {"100", "50", "5"});
    bool gone = false;
    const auto vanish = [&] { gone = vanishNow(window, unit); };
    if (inRangeCheck)
        onText(table.Length(2), "20", vanish);
    else
        onText(window.StatusBox(), "Saving to Location #  2", vanish);

    QTest::mouseClick(window.cmdProgram(), Qt::LeftButton);
    QVERIFY(gone);
    QCOMPARE(program.logLines(),
             QStringList{logLine(8018, "The device has been removed", "cmdProgram_Click", line)});
    QTEST(unit.received(), "traffic");
    // No read-back: the table keeps its texts, the failing row and those after it their marks.
    QCOMPARE(marks(table), marked({2, 5}));
    QTEST(table.Length(2)->text(), "length2");
    QCOMPARE(rowTexts(table, 5), (QStringList{"100", "50", "5"}));
    QCOMPARE(program.status(), QStringLiteral("Saving to Location #  2"));
    QCOMPARE(unit.location(0), (sim::StoredLocation{"0", 100, 50}));
}

QTEST_MAIN(TestUpload)
#include "tst_upload.moc"
