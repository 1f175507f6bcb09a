// The commands of the main window and of MultiPlay against a simulated unit: what goes over
// the wire, what the table then holds, the status texts and the questions asked.
#include "program.h"
#include "sim/simulatedunit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tonaq;

using test::downloadTraffic;
using test::tableOf;

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void refusedWithoutAUnit_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("status");
        for (const char *name :
             {"cmdLoad", "cmdProgram", "cmdSinglePlay", "cmdMemPlay", "cmdAbort", "mnuReset"})
            QTest::newRow(name) << name << "Not connected.";
        QTest::newRow("cmdSend") << "cmdSend"
                                 << QString("No available COM ports found."); // silently
    }

    void refusedWithoutAUnit() {
        QFETCH(QString, control);
        test::Program program;
        sim::SimulatedUnit &unit = program.addUnit(3);
        MainWindow &window = program.start();
        program.ports.map().detach(QStringLiteral("unit3"));
        program.trigger("mnuScanPorts");
        window.sequenceWindow();
        const QAction *menuItem = window.findChild<QAction *>(control);
        QVERIFY(menuItem ? !menuItem->isEnabled() : !program.find<QWidget>(control)->isEnabled());
        window.session().enableControls(true); // as if they were on: the commands must still refuse
        window.memory().setCell(1, 1, "5");
        control.startsWith(u"mnu") ? program.trigger(control) : program.click(control);
        QTEST(program.status(), "status");
        QCOMPARE(program.prompter.texts(), QStringList{});
        QCOMPARE(unit.received(), QByteArray());
    }

    void upload_data() {
        QTest::addColumn<QStringList>("row"); // length, space, tones typed into location 3
        QTest::addColumn<QByteArray>("wire"); // what goes out for it
        QTest::addColumn<QString>("stored");  // the table afterwards, read back from the unit
        QTest::newRow("empty times are raised, empty string ends at once")
            << QStringList{"", "", ""} << QByteArray("20,20\r\n.") << "20,20,";
        QTest::newRow("out of range both ways")
            << QStringList{"19.5", "99999", "a"} << QByteArray("20,65534\r\na.") << "20,65534,A";
        QTest::newRow("just past the longest stored")
            << QStringList{"65535", "65534", "1"} << QByteArray("65534,65534\r\n1.")
            << "65534,65534,1";
        QTest::newRow("in range goes as typed; 20 tones need no end")
            << QStringList{"20.5", "100ab", "12345678901234567890"}
            << QByteArray("20.5,100ab\r\n12345678901234567890") << "20,100,12345678901234567890";
    }

    void upload() {
        QFETCH(QStringList, row);
        test::Program program;
        sim::SimulatedUnit &unit = program.startConnected();
        MainWindow &window = program.window();
        program.type("Length(2)", row[0]);
        program.type("Space(2)", row[1]);
        program.type("MemString(2)", row[2]);
        program.find<QCheckBox>("Update(2)")->setChecked(true); // also when nothing was typed
        program.click("cmdProgram");
        QCOMPARE(program.prompter.texts(), QStringList{"Save Changes to Memory?"});
        QFETCH(QByteArray, wire);
        QCOMPARE(program.received(unit), "@S2\r\n" + wire + downloadTraffic());
        QTEST(tableOf(window.memory())[2], "stored");
        QCOMPARE(program.status(), "Ready");
    }

    // Cancel, the default, sends nothing (OK: tst_faultsurvival's reset rows).
    void resetAsksFirst() {
        test::Program program;
        sim::SimulatedUnit &unit = program.startConnected();
        program.trigger("mnuReset");
        QCOMPARE(program.prompter.shown.value(0).title, "RESET");
        QCOMPARE(program.received(unit), QByteArray());
    }

    void memoryPlay_data() {
        QTest::addColumn<QStringList>("table"); // what the table says of locations 1 to 3
        QTest::newRow("typed order, an empty table waits as long as a location can play")
            << QStringList{",,", ",,", ",,"};
        // Location 1 plays 2 s where the table, not uploaded, says 40 ms: its "Ready" is late by
        // far more than a read waits, and the margin keeps the play from being given up.
        QTest::newRow("a table that says less than the unit plays")
            << QStringList{"20,20,A", "20,20,B", "20,20,C"};
    }

    void memoryPlay() {
        QFETCH(QStringList, table);
        test::Program program;
        sim::SimulatedUnit &unit = program.startConnected();
        unit.setLocation(0, {"A", 1000, 1000});
        for (int i : {1, 2})
            unit.setLocation(i, {QByteArray(1, char('A' + i)), 20, 20});
        for (int i : {0, 1, 2}) {
            program.type(QStringLiteral("Length(%1)").arg(i), table[i].section(u',', 0, 0));
            program.type(QStringLiteral("Space(%1)").arg(i), table[i].section(u',', 1, 1));
            program.type(QStringLiteral("MemString(%1)").arg(i), table[i].section(u',', 2));
        }
        program.type("txtLoc", "3x1");
        QTest::keyClick(program.find<QLineEdit>("txtLoc"), Qt::Key_Return); // Enter plays
        QCOMPARE(program.received(unit), QByteArray("@M2\r\n3\r\n@M0\r\n1\r\n"));
        QByteArray sounded;
        for (const sim::SoundedTone &tone : unit.tones())
            sounded += tone.tone;
        QCOMPARE(sounded, "CA");
        QCOMPARE(program.status(), "Connected on COM3");
        QCOMPARE(program.find<QLineEdit>("txtLoc")->text(), "3x1");
        QVERIFY(program.find<QPushButton>("cmdMemPlay")->isEnabled());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
