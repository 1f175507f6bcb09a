#include "app/basetitle.h"
#include "memorytests.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"
#include "program.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

using namespace tonaq;
using namespace tonaq::test::memory;

namespace {

QLineEdit *field(MemoryTableFrame &table, const QString &column, int i) {
    if (column == "Length") return table.Length(i);
    if (column == "Space") return table.Space(i);
    return table.MemString(i);
}

QList<bool> only(int row) {
    QList<bool> result(kRows, false);
    result[row] = true;
    return result;
}

void fillSequence(ToneGrid &grid) {
    for (int row = 1; row <= 20; ++row) {
        for (int column = 1; column <= 3; ++column)
            grid.setTextMatrix(row, column, QString::number(row * 10 + column));
    }
}

QStringList sequenceCells(const ToneGrid &grid) {
    QStringList cells;
    for (int row = 1; row <= 20; ++row) {
        for (int column = 1; column <= 3; ++column)
            cells.append(grid.TextMatrix(row, column));
    }
    return cells;
}

} // namespace

class TestMemoryTable : public QObject {
    Q_OBJECT
private slots:
    void typingMarksItsRowAndTheCaption_data();
    void typingMarksItsRowAndTheCaption();
    void programTextsMarkTooAndAreCut_data();
    void programTextsMarkTooAndAreCut();
    void allSetsEveryMarkWithoutTouchingTheCaption();
    void clearEmptiesTableAndSequenceWithoutAUnit();
    void firstClearAfterStartUpMarksNothing();
    void clearLoadsMultiPlayHidden();
    void pasteKeepsTwentyCharacters();
};

void TestMemoryTable::typingMarksItsRowAndTheCaption_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("currentFile");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Length(3), no file") << "Length" << 3 << ""
                                        << "Tonaq v1.0.23 [*]";
    QTest::newRow("Space(0), no file") << "Space" << 0 << ""
                                       << "Tonaq v1.0.23 [*]";
    QTest::newRow("MemString(7), file") << "MemString" << 7 << "C:\\data\\site.tnq"
                                        << "Tonaq v1.0.23 [site.tnq*]";
}

void TestMemoryTable::typingMarksItsRowAndTheCaption() {
    QFETCH(QString, column);
    QFETCH(int, row);
    QFETCH(QString, currentFile);
    test::Program program;
    FrmTonaq &window = program.start();
    window.CurrentFile = currentFile;
    MemoryTableFrame &table = window.memoryTable();
    QCOMPARE(window.windowTitle(), BaseTitle());

    QTest::keyClicks(field(table, column, row), "7");
    QCOMPARE(marks(table), only(row));
    QTEST(window.windowTitle(), "caption");
    // A second change leaves the caption as it was: it is rebuilt, not appended to.
    QTest::keyClicks(field(table, column, row), "5");
    QTEST(window.windowTitle(), "caption");
}

void TestMemoryTable::programTextsMarkTooAndAreCut_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    QTest::newRow("Length cut to 5") << "Length"
                                     << "1234567"
                                     << "12345";
    QTest::newRow("Space cut to 5") << "Space"
                                    << "65534 ms"
                                    << "65534";
    QTest::newRow("String cut to 20") << "MemString"
                                      << "0123456789ABCD*#0123456789"
                                      << "0123456789ABCD*#0123";
}

void TestMemoryTable::programTextsMarkTooAndAreCut() {
    QFETCH(QString, column);
    QFETCH(QString, text);
    test::Program program;
    FrmTonaq &window = program.start();
    MemoryTableFrame &table = window.memoryTable();

    field(table, column, 5)->setText(text);
    QTEST(field(table, column, 5)->text(), "kept");
    QCOMPARE(marks(table), only(5));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tonaq v1.0.23 [*]"));
}

void TestMemoryTable::allSetsEveryMarkWithoutTouchingTheCaption() {
    test::Program program;
    FrmTonaq &window = program.start();
    MemoryTableFrame &table = window.memoryTable();
    QTest::mouseClick(table.chkAll(), Qt::LeftButton);
    QCOMPARE(marks(table), QList<bool>(kRows, true));
    QCOMPARE(window.windowTitle(), BaseTitle());

    QTest::mouseClick(table.chkAll(), Qt::LeftButton);
    QCOMPARE(marks(table), QList<bool>(kRows, false));

    // Clearing also takes the marks that edits set; the caption keeps their star.
    QTest::keyClicks(table.Length(2), "9");
    QTest::mouseClick(table.chkAll(), Qt::LeftButton);
    QTest::mouseClick(table.chkAll(), Qt::LeftButton);
    QCOMPARE(marks(table), QList<bool>(kRows, false));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tonaq v1.0.23 [*]"));
}

void TestMemoryTable::clearEmptiesTableAndSequenceWithoutAUnit() {
    test::Program program;
    const sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = program.start(); // and not connected
    MemoryTableFrame &table = window.memoryTable();
    setRow(table, 0, {"100", "50", "123"});
    setRow(table, 6, {"", "", "#"});
    fillSequence(*window.multiPlay().toneGrid());
    QTest::mouseClick(table.Update(0), Qt::LeftButton); // unmark row 0 again
    window.setWindowTitle(BaseTitle());

    QTest::mouseClick(table.cmdClear(), Qt::LeftButton);
    QCOMPARE(tableTexts(table), QList<QStringList>(kRows, {"", "", ""}));
    QCOMPARE(sequenceCells(*window.multiPlay().toneGrid()), QStringList(60, QString()));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QCOMPARE(marks(table), (QList<bool>{true, false, false, false, false, false, true, false}));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tonaq v1.0.23 [*]"));
    QCOMPARE(unit.received(), QByteArray());
}

void TestMemoryTable::firstClearAfterStartUpMarksNothing() {
    test::Program program;
    FrmTonaq &window = program.start();
    window.SetStatus(QStringLiteral("something else"));
    QTest::mouseClick(window.memoryTable().cmdClear(), Qt::LeftButton);
    QCOMPARE(marks(window.memoryTable()), QList<bool>(kRows, false));
    QCOMPARE(window.windowTitle(), BaseTitle());
    QCOMPARE(program.status(), QStringLiteral("Ready"));
}

void TestMemoryTable::clearLoadsMultiPlayHidden() {
    test::Program program;
    FrmTonaq &window = program.start();
    window.unloadMultiPlay();
    QVERIFY(!window.multiPlayLoaded());
    QTest::mouseClick(window.memoryTable().cmdClear(), Qt::LeftButton);
    QVERIFY(window.multiPlayLoaded());
    QVERIFY(!window.multiPlay().isVisible());
}

void TestMemoryTable::pasteKeepsTwentyCharacters() {
    test::Program program;
    FrmTonaq &window = program.start();
    QLineEdit *string = window.memoryTable().MemString(0);
    const QString thirty = QStringLiteral("123456789012345678901234567890");
    QGuiApplication::clipboard()->setText(thirty);
    string->setFocus();
    QTest::keySequence(string, QKeySequence::Paste);
    QCOMPARE(string->text(), thirty.left(20));
    QCOMPARE(marks(window.memoryTable()), only(0));
}

QTEST_MAIN(TestMemoryTable)
#include "tst_memorytable.moc"
