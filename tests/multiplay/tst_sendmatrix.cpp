#include "app/frmtonaq.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"
#include "sim/simulatedunit.h"
#include "tonetestkit.h"

#include <QPushButton>
#include <QTest>

using namespace tonaq;

namespace {

struct Row {
    int row;
    QString tone, duration, space;
};
using Rows = QList<Row>;

void fill(ToneGrid &grid, const Rows &rows) {
    for (const Row &r : rows) {
        grid.setTextMatrix(r.row, 1, r.tone);
        grid.setTextMatrix(r.row, 2, r.duration);
        grid.setTextMatrix(r.row, 3, r.space);
    }
}

QByteArray sequenceTones(const sim::SimulatedUnit &unit) {
    QByteArray result;
    for (const sim::SoundedTone &tone : unit.tones()) {
        if (tone.source == sim::ToneSource::Sequence) result.append(tone.tone);
    }
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(tonaq::sim::Faults)

class TestSendMatrix : public QObject {
    Q_OBJECT
private slots:
    void send_data();
    void send();
    void notConnectedSendsNothing();
    void failingLinkIsPassedOver();
};

void TestSendMatrix::send_data() {
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<sim::Faults>("faults");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("sounded");
    const sim::Faults healthy;
    sim::Faults noMM;
    noMM.missingMarkers = sim::Marker::Sequence;
    const sim::Faults silent = test::silentUnit();
    const Rows rows3and17 = {{17, "#", "200", "20"}, {3, "5", "100", "50"}};

    QTest::newRow("rows 3 and 17, in row order")
        << rows3and17 << healthy << QByteArray("@F5,100,50\r\n#,200,20\r\n\r\n")
        << QByteArray("5#");
    QTest::newRow("empty grid") << Rows{} << healthy << QByteArray("@F\r\n") << QByteArray();
    QTest::newRow("a row without a tone is skipped")
        << Rows{{4, "", "100", "100"}} << healthy << QByteArray("@F\r\n") << QByteArray();
    QTest::newRow("empty duration and space are sent empty")
        << Rows{{2, "7", "", ""}} << healthy << QByteArray("@F7,,\r\n\r\n") << QByteArray("7");
    QTest::newRow("lower-case tone is sent so")
        << Rows{{1, "b", "100", "100"}} << healthy << QByteArray("@Fb,100,100\r\n\r\n")
        << QByteArray("B");
    QTest::newRow("no MM: only the closing line")
        << rows3and17 << noMM << QByteArray("@F\r\n") << QByteArray();
    QTest::newRow("no answer to @: only the closing line")
        << rows3and17 << silent << QByteArray("@\r\n") << QByteArray();
}

void TestSendMatrix::send() {
    QFETCH(Rows, rows);
    QFETCH(sim::Faults, faults);
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, sounded);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    unit.setFaults(faults);
    MultiPlay &multiPlay = window.multiPlay();
    fill(*multiPlay.toneGrid(), rows);
    const QString caption = multiPlay.windowTitle();

    QTest::mouseClick(multiPlay.cmdSend(), Qt::LeftButton);
    QCOMPARE(test::receivedBeforeFence(window, unit), written);
    QTRY_COMPARE(sequenceTones(unit), sounded);
    QVERIFY(program.prompter.shown.isEmpty());
    QCOMPARE(program.status(), QStringLiteral("Connected on COM3"));
    QCOMPARE(multiPlay.windowTitle(), caption);
    QVERIFY(multiPlay.cmdSend()->isEnabled());
}

void TestSendMatrix::notConnectedSendsNothing() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    unit.setFaults(test::silentUnit());
    FrmTonaq &window = program.start();
    program.connectTo(3); // fails, and leaves the port open
    unit.clearRecords();
    MultiPlay &multiPlay = window.multiPlay();
    QVERIFY(!multiPlay.cmdSend()->isEnabled());
    fill(*multiPlay.toneGrid(), {{1, "5", "100", "100"}});

    multiPlay.cmdSend()->setEnabled(true); // the handler itself refuses
    QTest::mouseClick(multiPlay.cmdSend(), Qt::LeftButton);
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray());
    QVERIFY(program.prompter.shown.isEmpty());
    QCOMPARE(program.status(), QStringLiteral("Unable to connect on COM3"));
}

void TestSendMatrix::failingLinkIsPassedOver() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    fill(*window.multiPlay().toneGrid(), {{1, "5", "100", "100"}});
    unit.vanish();
    QTest::mouseClick(window.multiPlay().cmdSend(), Qt::LeftButton);
    QVERIFY(program.logLines().isEmpty());
    QVERIFY(program.prompter.shown.isEmpty());
}

QTEST_MAIN(TestSendMatrix)
#include "tst_sendmatrix.moc"
