// What only the windows do: captions in the title bar, the real message boxes, the keypad and
// the keyboard box with the menus' keys, what screen readers read, the Connect menu, the
// MultiPlay grid's keys, and the window translated.
#include "app/connectmenu.h"
#include "base/basetitle.h"
#include "base/translations.h"
#include "multiplay/tonegrid.h"
#include "program.h"
#include "sim/simulatedunit.h"
#ifdef Q_OS_UNIX
#include "sim/ptyunit.h"
#endif
#include "ui/messageboxprompter.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <sys/stat.h>

using namespace tonaq;
using test::menuShown;

namespace {

// Keys in the keyboard box; the mouse (press, double click, release) and a key on the keypad.
enum class Key { Press, Repeat, SplitRepeat, Release, MousePress, MouseDouble, MouseRelease, Pad };
struct KeyStep {
    Key step;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using KeySteps = QList<KeyStep>;

// Delivers a key to the box with its time stamp. An auto-repeat is a release and a press marked
// as repeats; a split one is a release without the mark whose press, with the same time stamp,
// is still queued: X11 marks the release only when it sees the press already in its queue.
void deliver(QWidget *box, const KeyStep &s, quint64 &time) {
    const QString text = s.key < 0x80 ? QString(QChar(s.key)).toLower() : QString();
    const auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, s.key, s.modifiers, 0, 0, 0, text, repeat);
        event.setTimestamp(time);
        QCoreApplication::sendEvent(box, &event);
    };
    time += 40;
    if (s.step >= Key::MousePress) { // on the keypad's 5
        QWidget *five = box->window()->findChild<QWidget *>("KeyPad(4)");
        if (s.step == Key::Pad) return five->setFocus(), QTest::keyClick(five, s.key);
        const QEvent::Type type = s.step == Key::MousePress    ? QEvent::MouseButtonPress
                                  : s.step == Key::MouseDouble ? QEvent::MouseButtonDblClick
                                                               : QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(5, 5), five->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          s.step == Key::MouseRelease ? Qt::NoButton : Qt::LeftButton, {});
        return void(QCoreApplication::sendEvent(five, &event));
    }
    if (s.modifiers & (Qt::ControlModifier | Qt::AltModifier)) { // through the shortcuts, as typed
        s.step == Key::Press ? QTest::keyPress(box, s.key, s.modifiers)
                             : QTest::keyRelease(box, s.key, s.modifiers);
        return;
    }
    if (s.step == Key::SplitRepeat) { // the press is still queued when the release is handled
        auto *press = new QKeyEvent(QEvent::KeyPress, s.key, s.modifiers, 0, 0, 0, text, false);
        press->setTimestamp(time);
        QCoreApplication::postEvent(box, press);
    }
    if (s.step != Key::Press) send(QEvent::KeyRelease, s.step == Key::Repeat);
    if (s.step == Key::Press || s.step == Key::Repeat)
        send(QEvent::KeyPress, s.step == Key::Repeat);
}

const auto spoken = [](QWidget *widget, QAccessible::Text which) {
    return QAccessible::queryAccessibleInterface(widget)->text(which);
};

// A unit plugged in or pulled out while the window runs, then the Connect menu and the status.
struct Plug {
    QString action, menu, status;
};
using PlugSteps = QList<Plug>;

} // namespace

Q_DECLARE_METATYPE(KeySteps)
Q_DECLARE_METATYPE(PlugSteps)

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    // Qt reads "[*]" in a title as its own unsaved-changes mark and drops it; the title bar and a
    // screen reader must show the caption itself in each of its four forms.
    void titleBarShowsTheCaptionExactly() {
        test::Program program;
        MainWindow &window = program.start();
        const auto title = [](QWidget &w) { return w.windowHandle()->title(); };
        QCOMPARE(title(window), baseTitle());
        program.type("Length(3)", "7");
        QCOMPARE(title(window), baseTitle() + " [*]");
        QCOMPARE(spoken(&window, QAccessible::Name), baseTitle() + " [*]");
        QVERIFY(program.find<QCheckBox>("Update(3)")->isChecked());

        SequenceWindow &sequenceWindow = window.sequenceWindow();
        window.showSequenceWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sequenceWindow));
        sequenceWindow.toneGrid()->setFocus();
        // Leaving the grid for another control.
        QTest::keyClick(sequenceWindow.toneGrid(), Qt::Key_Tab);
        QCOMPARE(title(sequenceWindow), baseTitle() + " [*]");

        program.fileDialogs.choose(program.folder() + "/site.tnq");
        program.trigger("mnuSave");
        program.type("Length(3)", "7"); // no change, no mark
        QCOMPARE(title(window), baseTitle() + " [site.tnq]");
        QVERIFY(!window.memory().hasUnsavedChanges());
        program.type("MemString(0)", QString(30, u'1'));
        QCOMPARE(title(window), baseTitle() + " [site.tnq*]");
        QCOMPARE(window.memory().location(0).tones, QString(20, u'1'));
        window.close(); // the caption's mark is the only record of a change
        QCOMPARE(program.prompter.texts(), QStringList{"Save data before quitting?"});
    }

    // The real adapter on a real QMessageBox, each button of each set and Esc: the scripted one hid
    // a Reset Unit that could not be confirmed, because OK came back as Cancel.
    void messageBoxAnswersWithTheButtonPressed() {
        using B = Button;
        for (const Buttons buttons : {Buttons(B::Ok), B::Yes | B::No, B::Ok | B::Cancel}) {
            for (const B press : {B::Ok, B::Yes, B::No, B::Cancel, B::None}) { // None: Esc
                if (press != B::None && !buttons.testFlag(press)) continue;
                QTimer::singleShot(0, [press] {
                    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                    QVERIFY(box);
                    press == B::None
                        ? QTest::keyClick(box, Qt::Key_Escape)
                        : box->button(QMessageBox::StandardButton(quint32(press)))->click();
                });
                const B escape = buttons.testFlag(B::Cancel) ? B::Cancel
                                 : buttons.testFlag(B::No)   ? B::No
                                                             : B::Ok;
                QCOMPARE(MessageBoxPrompter().ask(
                             nullptr, {"Sure?", "RESET", buttons, MessageIcon::Warning, B::Cancel}),
                         press == B::None ? escape : press);
            }
        }
    }

    void keyboard_data() {
        QTest::addColumn<bool>("keyLock");
        QTest::addColumn<KeySteps>("steps");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("asked"); // the file dialogs shown
        const auto row = [](const char *name, bool keyLock, const KeySteps &steps,
                            const char *written, const char *status = "Ready",
                            const char *asked = "") {
            QTest::newRow(name) << keyLock << steps << QByteArray(written) << QString(status)
                                << QString(asked);
        };
        using enum Key;
        const auto chord = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            return KeySteps{{Press, key, modifiers}, {Release, key, modifiers}};
        };
        const KeySteps hold5 = {{Press, Qt::Key_5}, {Repeat, Qt::Key_5}, {Release, Qt::Key_5}};
        row("held 5 pulsates", false, hold5, "%5%5%");
        row("held 5 with Key Lock is one tone", true, hold5, "%5%");
        // X11 marks a release as a repeat only when its press is already queued: split, the
        // release looked real and stopped the tone mid-hold.
        row("split auto-repeat keeps the tone on", false,
            {{Press, Qt::Key_5}, {SplitRepeat, Qt::Key_5}, {Release, Qt::Key_5}}, "%5%5%");
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        row("Shift+3 is hash, Shift's release stops once more", false,
            {{Press, Qt::Key_Shift},
             {Press, Qt::Key_NumberSign, shift},
             {Release, Qt::Key_NumberSign, shift},
             {Release, Qt::Key_Shift}},
            "%#%%");
        row("Shift during a hold keeps the tone on", false,
            {{Press, Qt::Key_5}, {Press, Qt::Key_Shift}, {Release, Qt::Key_5}}, "%5",
            "Sending tone [5]");
        row("Key Lock: 2 waits until 1 is released", true,
            {{Press, Qt::Key_1},
             {Press, Qt::Key_2},
             {Release, Qt::Key_1},
             {Repeat, Qt::Key_2},
             {Release, Qt::Key_2}},
            "%1%%2%");
        row("Esc aborts", false, chord(Qt::Key_Escape, Qt::NoModifier), "\r\n%");
        // A quick second press of a keypad button arrives as a double click instead of a press;
        // only the mouse plays the keypad. (One press and release: tst_faultsurvival's rows.)
        const KeySteps click = {{MousePress, Qt::Key_5}, {MouseRelease, Qt::Key_5}};
        const KeySteps dbl = {
            {MouseDouble, Qt::Key_5}, {MouseRelease, Qt::Key_5}, {Pad, Qt::Key_Space}};
        row("keypad pressed twice quickly", false, click + dbl, "%5%%5%");
        row("keypad press and double click both", false,
            click + KeySteps{{MousePress, Qt::Key_5}} + dbl, "%5%%5%");
        // The File menu's keys run their commands from the tone box and sound nothing; Alt with a
        // tone key is still its tone.
        const char *connected = "Connected on COM3";
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        row("Ctrl+O opens", false, chord(Qt::Key_O, ctrl), "", "Ready", "Open Tonaq File");
        row("Ctrl+S saves", false, chord(Qt::Key_S, ctrl), "", connected, "Save Tonaq File");
        row("Ctrl+Shift+S saves as", false, chord(Qt::Key_S, ctrl | shift), "", connected,
            "Save Tonaq File");
        row("Ctrl+Q quits", false, chord(Qt::Key_Q, ctrl), "", "Terminating...");
        row("Alt+A is tone A", false, chord(Qt::Key_A, Qt::AltModifier), "%A%%");
    }

    void keyboard() {
        QFETCH(bool, keyLock);
        QFETCH(KeySteps, steps);
        test::Program program;
        sim::SimulatedUnit &unit = program.startConnected();
        program.find<QCheckBox>("chkKeyLock")->setChecked(keyLock);
        QLineEdit *box = program.find<QLineEdit>("txtKeys");
        QVERIFY(QTest::qWaitForWindowActive(&program.window())); // shortcuts work in the active one
        quint64 time = 1000;
        for (const KeyStep &step : steps)
            deliver(box, step, time);
        // A window that quit has let the link go: what came before it closed is all there is.
        QTEST(program.window().isVisible() ? program.received(unit) : unit.received(), "written");
        QTEST(program.status(), "status");
        QStringList asked;
        for (const FileDialogRequest &request : std::as_const(program.fileDialogs.requests))
            asked << request.title;
        QTEST(asked.join(u','), "asked");
    }

#ifdef Q_OS_UNIX
    // The scan lists what opens, in rising order, and says why a device that exists refused; a
    // screen reader reads the texts as they change (the firmware label, the status box's tip);
    // About names the connected unit's firmware and the log.
    void connectMenuListsWhatOpens() {
        test::Program program;
        program.addTtyUnit(4);
        program.addTtyUnit(1);
        program.addUnit(2); // in this process, as the demo's
        sim::PtyUnit &held = program.addTtyUnit(5);
        QSerialPort otherProgram(held.devicePath());
        QVERIFY(otherProgram.open(QIODevice::ReadWrite));
        const QString fifo = program.ports.folder() + "/COM9"; // opening it would wait for ever
        QVERIFY(::mkfifo(qPrintable(fifo), 0600) == 0);
        MainWindow &window = program.start();
        QCOMPARE(menuShown(window), "COM1 COM2 COM4");
        // The tool tips show, as the operator hovers: the demo's says what it is.
        QVERIFY(window.connectMenu().menu()->toolTipsVisible());
        QCOMPARE(window.connectMenu().entries()[1]->toolTip(), "simulated unit");
        QCOMPARE(program.status(), "Please Connect by selecting a COM port in the menu.");
        QCOMPARE(spoken(program.find<QLineEdit>("StatusBox"), QAccessible::Description),
                 held.devicePath() + ": in use by another program - close it and choose Rescan\n" +
                     fifo +
                     ": not a link to a serial device, nor a file naming a network unit - "
                     "skipped");
        program.connectTo(4);
        QCOMPARE(program.status(), "Connected on COM4");
        QCOMPARE(spoken(program.find<QLabel>("Firmware"), QAccessible::Name),
                 "Firmware version: 2.10 (simulated)\r\n");
        QCOMPARE(menuShown(window), "COM1 COM2 COM4*");
        program.trigger("mnuAbout"); // what a bug report needs
        const QString about = program.prompter.shown.last().text;
        QVERIFY2(about.startsWith(baseTitle()) && about.contains("Licence: MIT") &&
                     about.endsWith("Unit firmware: 2.10 (simulated)\nError log: " +
                                    program.logFolder() + "/ErrorLog.txt"),
                 qPrintable(about));
    }

    void connectMenuFollowsUnitsThatComeAndGo_data() {
        QTest::addColumn<QStringList>("before"); // units there at start-up
        QTest::addColumn<PlugSteps>("steps");
        const QString please = "Please Connect by selecting a COM port in the menu.";
        const QString none = "No available COM ports found.";
        QTest::newRow("plugged and pulled; numbers stay")
            << QStringList{"+COM1", "+COM4"}
            << PlugSteps{{"+COM2", "COM1 COM2 COM4", please},
                         {"-COM1", "COM2 COM4", please},
                         {"-COM2", "COM4", please},
                         {"-COM4", "off Scanning...", none},
                         {"+COM4", "COM4", please}};
        QTest::newRow("the connected unit goes and comes back")
            << QStringList{"+COM3", "+COM5"}
            << PlugSteps{{"connect COM3", "COM3* COM5", "Connected on COM3"},
                         {"+COM7", "COM3* COM5 COM7", "Connected on COM3"},
                         {"pull COM3", "COM5 COM7", "Unit on COM3 removed."},
                         {"-COM5", "COM7", "Unit on COM3 removed."},
                         {"+COM3", "COM3* COM7", "Connected on COM3"}};
        QTest::newRow("another adapter on the same device is another unit")
            << QStringList{}
            << PlugSteps{{"+ttyUSB0=usb-A", "COM1", please},
                         {"connect COM1", "COM1*", "Connected on COM1"},
                         {"-ttyUSB0", "off Scanning...", "Unit on COM1 removed."},
                         {"+ttyUSB0=usb-B", "COM2", "Unit on COM1 removed."}};
        QTest::newRow("the ports folder made after start-up")
            << QStringList{"-ports"} << PlugSteps{{"+COM2", "COM2", please}};
    }

    // Within the settling time of a change the menu holds what a Rescan would leave, the connected
    // unit's going is said and ends the connection, and its return connects it again. "+COM3" links
    // a new unit as COM3, "-COM3" removes the link, "-ports" the folder, "pull COM3" pulls the unit
    // behind it out, "connect COM3" connects; "+ttyUSB0=usb-A" plugs a new unit in as that device
    // with that adapter name, "-ttyUSB0" pulls it out and takes both names away.
    void connectMenuFollowsUnitsThatComeAndGo() {
        QFETCH(QStringList, before);
        QFETCH(PlugSteps, steps);
        test::Program program;
        program.followPorts = true;
        QHash<QString, sim::PtyUnit *> units; // by COM name or device
        const auto apply = [&](const QString &action) {
            const QString what = action.section(u' ', -1), name = what.mid(1).section(u'=', 0, 0);
            const QString node = program.ports.deviceFolder() + u'/' + name;
            if (action.startsWith(u"+tty")) {
                units[name] = &program.addTtyUnit(0);
                QFile::link(node, program.ports.adapterFolder() + u'/' + what.section(u'=', 1));
                QFile::link(units[name]->devicePath(), node);
            } else if (action.startsWith(u"-tty")) {
                units[name]->vanish();
                QFile::remove(node);
                for (const QFileInfo &link :
                     QDir(program.ports.adapterFolder()).entryInfoList(QDir::System))
                    QFile::remove(link.filePath());
            } else if (action == u"-ports") {
                QDir(program.ports.folder()).removeRecursively();
            } else if (action.startsWith(u"+COM")) {
                QDir().mkpath(program.ports.folder());
                units[name] = &program.addTtyUnit(name.mid(3).toInt());
            } else if (action.startsWith(u"-COM")) {
                QFile::remove(program.ports.folder() + u'/' + name);
            } else if (action.startsWith(u"pull")) {
                // The link goes too: a pulled pseudo-terminal's number soon names another's.
                units[what]->vanish();
                QFile::remove(program.ports.folder() + u'/' + what);
            } else {
                program.connectTo(what.mid(3).toInt());
            }
        };
        for (const QString &action : std::as_const(before))
            apply(action);
        MainWindow &window = program.start();
        for (const Plug &step : std::as_const(steps)) {
            apply(step.action);
            const auto shown = [&] {
                return menuShown(window) + " | " + program.status() + " | " +
                       program.logLines().join(u'/');
            };
            QTRY_VERIFY2_WITH_TIMEOUT(shown() == step.menu + " | " + step.status + " | ",
                                      qPrintable(step.action + ": " + shown()), 5000);
            const bool connected = step.status.startsWith(u"Connected");
            for (const char *control : {"cmdLoad", "cmdSend"}) // in either window
                QCOMPARE(program.find<QPushButton>(control)->isEnabled(), connected);
            QCOMPARE(window.session().isConnected(), connected);
        }
        QCOMPARE(program.logLines(), QStringList{}); // nothing was under way
    }
#endif

    // The grid's keys; Cancel hides the window and keeps the grid, the title bar's close unloads.
    void multiPlay() {
        test::Program program;
        MainWindow &window = program.start();
        window.memory().setCell(3, 1, "7");
        window.showSequenceWindow();
        QWidget &sequenceWindow = window.sequenceWindow();
        for (const char *keys : {"5\r", "\r", "\r", "70000\r", "\r", "b#x"})
            QTest::keyClicks(&sequenceWindow, QString::fromLatin1(keys).replace(u'\r', QChar(13)));
        // Enter: Duration empty -> "20" with the message; Space 70000 -> "65535".
        QCOMPARE(window.memory().sequence().first(), (SequenceRow{"5", "20", "65535"}));
        QCOMPARE(program.prompter.texts(),
                 QStringList(2, "Only numbers between 20 and 65535 allowed."));
        QCOMPARE(window.memory().cell(2, 1), QString()); // "b", "#", then "x" empties it
        program.click("Cancel");
        QVERIFY(!window.sequenceWindow().isVisible());
        QCOMPARE(window.sequenceWindow().toneGrid()->textMatrix(3, 1), "7");
        window.sequenceWindow().close(); // the title-bar close
        QTRY_VERIFY(!window.sequenceWindowLoaded());
        QCOMPARE(window.memory().cell(3, 1), QString());
        QCOMPARE(window.sequenceWindow().windowTitle(), "Multi Play ");
    }

    void translated_data() {
        QTest::addColumn<QString>("status"); // after the failed connect
        QTest::addColumn<QString>("open");   // its keys as the File menu shows them
        QTest::newRow("de") << "Bitte im Menü einen COM-Port zum Verbinden wählen."
                            << "Strg+O";
        QTest::newRow("fr") << "Connectez-vous en choisissant un port COM dans le menu."
                            << "Ctrl+O";
    }

    // The language translates the window, Qt's names of keys too, but not the log, nor Qt's words
    // for a refused connection in it; no mnemonic of the menu bar takes a tone key. (Qt reads
    // LANGUAGE once per process: the tonaqctl rows take the language from it.)
    void translated() {
        const auto restore = qScopeGuard([] {
            for (QTranslator *translator : qApp->findChildren<QTranslator *>())
                delete translator; // which removes it
        });
        QVERIFY(!installTranslations(QLocale(QTest::currentDataTag())).isEmpty());
        test::Program program;
        QTcpServer server; // there for the scan, gone for the connect
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString port = QString::number(server.serverPort());
        QVERIFY(test::writeFile(program.ports.folder() + "/COM7 bench.txt", // as Windows allows it
                                "tcp://127.0.0.1:" + port.toLatin1()));
        MainWindow &window = program.start();
        server.close();
        program.connectTo(7);
        QTEST(program.status(), "status");
        QCOMPARE(program.logLines(),
                 QStringList{
                     QString("Error 8015 (Could not open tcp://127.0.0.1:%1: Connection refused) "
                             "in procedure COMPort_Click of Form frmTonaq on line 30")
                         .arg(port)});
        QTEST(window.findChild<QAction *>("mnuOpen")->shortcut().toString(QKeySequence::NativeText),
              "open");
        for (const QAction *menu : window.menuBar()->actions()) {
            const QString text = menu->text();
            const qsizetype mark = text.indexOf(u'&');
            QVERIFY2(mark < 0 || !QString("ABCD0123456789").contains(text.at(mark + 1).toUpper()),
                     qPrintable(text));
        }
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
