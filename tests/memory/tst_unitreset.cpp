#include "memorytests.h"

#include <QAction>
#include <QPushButton>

using namespace tonaq;
using namespace tonaq::test::memory;

namespace {

// The status and the Download button as they stood while the question was open.
struct AtQuestion {
    QString status;
    bool deviceControlsEnabled = true;
};

} // namespace

class TestUnitReset : public QObject {
    Q_OBJECT
private slots:
    void confirmedResetReadsBackTheDefaults();
    void cancelSendsNothing();
    void silentAfterResetShowsTheDownloadMessage();
    void unitVanishingBeforeTheCommand();
};

void TestUnitReset::confirmedResetReadsBackTheDefaults() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    const QList<QStringList> defaults = unitTable(unit);
    unit.setLocation(1, {"9", 999, 888});
    program.prompter.answers.enqueue(MsgAnswer::Ok);
    AtQuestion seen;
    program.prompter.onShow = [&](const Message &) {
        seen = {program.status(), window.cmdLoad()->isEnabled()};
    };

    window.mnuReset()->trigger();
    QCOMPARE(program.prompter.shown.size(), 1);
    const Message &question = program.prompter.shown.first();
    QCOMPARE(
        question.text,
        QStringLiteral("Are you sure? This will erase all current settings and restore defaults!"));
    QCOMPARE(question.title, QStringLiteral("RESET"));
    QCOMPARE(question.buttons, MsgButtons::OkCancel);
    QCOMPARE(question.icon, MsgIcon::Exclamation);
    QCOMPARE(question.defaultAnswer, MsgAnswer::Cancel);
    QCOMPARE(seen.status, QStringLiteral("RESETTING..."));
    QVERIFY(!seen.deviceControlsEnabled);

    QCOMPARE(unit.received(), "^0" + downloadTraffic());
    const QList<sim::ReceivedByte> bytes = unit.receivedLog();
    QVERIFY2(bytes[2].atMs - bytes[1].atMs >= 1000, "the unit gets its second to reset");
    QCOMPARE(unitTable(unit), defaults);
    QCOMPARE(tableTexts(window.memoryTable()), defaults);
    QCOMPARE(marks(window.memoryTable()), QList<bool>(kRows, true));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tonaq v1.0.23 [*]"));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(window.cmdLoad()->isEnabled());
    QVERIFY(window.mnuReset()->isEnabled());
}

void TestUnitReset::cancelSendsNothing() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    setRow(window.memoryTable(), 0, {"1", "2", "3"});

    window.mnuReset()->trigger(); // Enter on the question: its default, Cancel
    QCOMPARE(program.prompter.shown.size(), 1);
    QCOMPARE(unit.received(), QByteArray());
    QCOMPARE(rowTexts(window.memoryTable(), 0), (QStringList{"1", "2", "3"}));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(window.cmdLoad()->isEnabled());
    QVERIFY(window.mnuReset()->isEnabled());
}

void TestUnitReset::silentAfterResetShowsTheDownloadMessage() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    setRow(window.memoryTable(), 0, {"1", "2", "3"});
    program.prompter.answers.enqueue(MsgAnswer::Ok);
    program.prompter.onShow = [&](const Message &) {
        unit.setFaults(test::silentUnit());
    };

    window.mnuReset()->trigger();
    QCOMPARE(
        program.prompter.texts(),
        (QStringList{"Are you sure? This will erase all current settings and restore defaults!",
                     "Error! No open Comm Ports or Tonaq found."}));
    QCOMPARE(unit.received(), QByteArray("^0@"));
    QCOMPARE(tableTexts(window.memoryTable()), QList<QStringList>(kRows, {"", "", ""}));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(window.cmdLoad()->isEnabled());
    QVERIFY(window.mnuReset()->isEnabled());
}

void TestUnitReset::unitVanishingBeforeTheCommand() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    FrmTonaq &window = startConnected(program, unit);
    program.prompter.answers.enqueue(MsgAnswer::Ok);
    bool gone = false;
    program.prompter.onShow = [&](const Message &) { gone = vanishNow(window, unit); };

    window.mnuReset()->trigger();
    QVERIFY(gone);
    QCOMPARE(program.logLines(),
             QStringList{logLine(8018, "The device has been removed", "mnuReset_Click", 60)});
    QCOMPARE(unit.received(), QByteArray());
    QCOMPARE(program.status(), QStringLiteral("RESETTING..."));
    QVERIFY(!window.cmdLoad()->isEnabled());
    QVERIFY(!window.mnuReset()->isEnabled());
}

QTEST_MAIN(TestUnitReset)
#include "tst_unitreset.moc"
