#include "app/frmtonaq.h"
#include "memory/memorytableframe.h"
#include "sim/simulatedunit.h"
#include "tones/keypadframe.h"
#include "tones/memoryplaybound.h"
#include "tones/memoryplayframe.h"
#include "tonetestkit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tonaq;
using namespace std::chrono_literals;

namespace {

const QString kNoReady = QStringLiteral("Memory play: no Ready from the unit.");
const QString kUntouched = QStringLiteral("Connected on COM3");

// Every location one tone of its own ("A" for location 1 ... "4" for location 8), short.
void shortLocations(sim::SimulatedUnit &unit) {
    for (int i = 0; i < sim::kLocationCount; ++i)
        unit.setLocation(i, {QByteArray(1, "ABCD1234"[i]), 20, 20});
}

QByteArray memoryTones(const sim::SimulatedUnit &unit) {
    QByteArray result;
    for (const sim::SoundedTone &tone : unit.tones()) {
        if (tone.source == sim::ToneSource::Memory) result.append(tone.tone);
    }
    return result;
}

void play(FrmTonaq &window, const QString &locations) {
    window.memoryPlay().txtLoc()->setText(locations);
    QTest::mouseClick(window.memoryPlay().cmdMemPlay(), Qt::LeftButton);
}

} // namespace

Q_DECLARE_METATYPE(tonaq::sim::Faults)

class TestMemoryPlay : public QObject {
    Q_OBJECT
private slots:
    void longestPlay_data();
    void longestPlay();
    void playsInTypedOrder_data();
    void playsInTypedOrder();
    void enterInTheBoxPlays();
    void locationKeys_data();
    void locationKeys();
    void waitForReadyIsBounded_data();
    void waitForReadyIsBounded();
    void notConnected();
    void failingLinkIsLoggedAndLeavesControlsOff();
    void closingTheWindowEndsThePlay();
};

void TestMemoryPlay::longestPlay_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("space");
    QTest::addColumn<QString>("tones");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("one short tone") << "20"
                                    << "20"
                                    << "1" << qint64(40);
    QTest::newRow("the unit's default location") << "100"
                                                 << "50"
                                                 << "0123456789" << qint64(1500);
    QTest::newRow("blanks around numbers") << " 100 "
                                           << "50"
                                           << "12" << qint64(300);
    QTest::newRow("an empty row is the worst case") << ""
                                                    << ""
                                                    << "" << qint64(20 * 131068);
    QTest::newRow("not a number is the longest time") << "5"
                                                      << "x"
                                                      << "12" << qint64(2 * 65554);
    QTest::newRow("numbers as the unit keeps them") << "99999"
                                                    << "3"
                                                    << "1" << qint64(65554);
    QTest::newRow("a negative number is not a time") << "-5"
                                                     << "20"
                                                     << "1" << qint64(65554);
    QTest::newRow("at most 20 tones") << "20"
                                      << "20" << QString(25, u'1') << qint64(800);
}

void TestMemoryPlay::longestPlay() {
    QFETCH(QString, length);
    QFETCH(QString, space);
    QFETCH(QString, tones);
    QFETCH(qint64, ms);
    QCOMPARE(longestLocationPlay(length, space, tones).count(), ms);
}

void TestMemoryPlay::playsInTypedOrder_data() {
    QTest::addColumn<QString>("locations");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("sounded");
    QTest::newRow("1, 3, 2") << "132" << QByteArray("@M0\r\n1\r\n@M2\r\n3\r\n@M1\r\n2\r\n")
                             << QByteArray("ACB");
    QTest::newRow("8 twice") << "88" << QByteArray("@M7\r\n8\r\n@M7\r\n8\r\n") << QByteArray("44");
    QTest::newRow("others skipped") << "0x1 9" << QByteArray("@M0\r\n1\r\n") << QByteArray("A");
    QTest::newRow("nothing to play") << "0a9" << QByteArray() << QByteArray();
    QTest::newRow("empty box") << "" << QByteArray() << QByteArray();
}

void TestMemoryPlay::playsInTypedOrder() {
    QFETCH(QString, locations);
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, sounded);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    shortLocations(unit);
    test::EnabledRecorder abort(window.cmdAbort());
    test::EnabledRecorder keypad(window.keypad().KeyPad().at(15));

    play(window, locations);
    QCOMPARE(test::receivedBeforeFence(window, unit), written);
    QCOMPARE(memoryTones(unit), sounded);
    QCOMPARE(abort.states, (QList<bool>{false, true})); // off for the play, even an empty one
    QCOMPARE(keypad.states, (QList<bool>{false, true}));
    QCOMPARE(program.status(), kUntouched);
    QCOMPARE(window.memoryPlay().txtLoc()->text(), locations); // can be played again
    QVERIFY(program.logLines().isEmpty());
}

void TestMemoryPlay::enterInTheBoxPlays() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    shortLocations(unit);
    QLineEdit *box = window.memoryPlay().txtLoc();
    QTest::keyClicks(box, QStringLiteral("21"));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray("@M1\r\n2\r\n@M0\r\n1\r\n"));
    QCOMPARE(box->text(), QStringLiteral("21"));
    QVERIFY(program.prompter.shown.isEmpty());
}

void TestMemoryPlay::locationKeys_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("after");
    QTest::newRow("x after 5") << "5" << int(Qt::Key_X) << true << "5";
    QTest::newRow("Backspace after 123") << "123" << int(Qt::Key_Backspace) << true << "8";
    QTest::newRow("9") << "" << int(Qt::Key_9) << true << "0";
    QTest::newRow("3 after 12") << "12" << int(Qt::Key_3) << false << "123";
}

void TestMemoryPlay::locationKeys() {
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(bool, refused);
    QFETCH(QString, after);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    QLineEdit *box = window.memoryPlay().txtLoc();
    box->setText(before);

    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(program.prompter.texts(),
             refused ? QStringList{"Only numbers 1 through 8 allowed."} : QStringList());
    if (refused) QCOMPARE(program.prompter.shown.front().title, QStringLiteral("Tonaq"));
    QCOMPARE(box->text(), after);
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray());
}

void TestMemoryPlay::waitForReadyIsBounded_data() {
    QTest::addColumn<sim::Faults>("faults");
    QTest::addColumn<QByteArray>("written");
    sim::Faults neverReady;
    neverReady.neverReady = true;
    sim::Faults noMarker;
    noMarker.missingMarkers = sim::Marker::MemoryPlay;
    const sim::Faults silent = test::silentUnit();
    QTest::newRow("no Ready after the play") << neverReady << QByteArray("@M0\r\n");
    // Without "MP" the location is not chosen, and the wait still runs.
    QTest::newRow("no MP") << noMarker << QByteArray("@M");
    QTest::newRow("no answer at all") << silent << QByteArray("@");
}

void TestMemoryPlay::waitForReadyIsBounded() {
    QFETCH(sim::Faults, faults);
    QFETCH(QByteArray, written);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    shortLocations(unit);
    unit.setFaults(faults);
    MemoryTableFrame &table = window.memoryTable();
    table.Length(0)->setText(QStringLiteral("20"));
    table.Space(0)->setText(QStringLiteral("20"));
    table.MemString(0)->setText(QStringLiteral("A"));
    window.memoryPlay().setReadyMargin(300ms);
    test::EnabledRecorder abort(window.cmdAbort());

    play(window, QStringLiteral("12"));
    QCOMPARE(program.status(), kNoReady);
    QCOMPARE(abort.states, (QList<bool>{false, true}));
    QCOMPARE(test::receivedBeforeFence(window, unit), written); // no follow-up, no location 2
    QVERIFY(program.logLines().isEmpty());
}

void TestMemoryPlay::notConnected() {
    test::Program program;
    FrmTonaq &window = program.start();
    test::EnabledRecorder abort(window.cmdAbort());
    window.memoryPlay().txtLoc()->setText(QStringLiteral("1"));
    QTest::keyClick(window.memoryPlay().txtLoc(), Qt::Key_Return);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    QVERIFY(abort.states.isEmpty());
}

void TestMemoryPlay::failingLinkIsLoggedAndLeavesControlsOff() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    unit.vanish();
    play(window, QStringLiteral("1"));
    const QStringList lines = program.logLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.front().endsWith(
                 QStringLiteral("in procedure cmdMemPlay_Click of Form frmTonaq on line 40")),
             qPrintable(lines.front()));
    QVERIFY(!window.cmdAbort()->isEnabled());
    QVERIFY(!window.memoryPlay().cmdMemPlay()->isEnabled());
}

void TestMemoryPlay::closingTheWindowEndsThePlay() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    unit.setLocation(0, {"1111", 5000, 5000}); // 40 s of play
    QTimer::singleShot(0, &window, [&window] { window.close(); });

    play(window, QStringLiteral("11"));
    QVERIFY(window.isVisible()); // the close waits until the play has let go of the link
    QTRY_VERIFY(!window.isVisible());
    QVERIFY(!window.channel().hasLink());
    QCOMPARE(unit.received(), QByteArray("@M0\r\n")); // no follow-up, no second location
    QVERIFY(program.logLines().isEmpty());
}

QTEST_MAIN(TestMemoryPlay)
#include "tst_memoryplay.moc"
