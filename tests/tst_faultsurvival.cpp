// Every operation against every way a unit fails, on a real tty: it ends as it should, the
// window keeps serving its events, the log names the right procedure or nothing, and a
// reconnect then downloads the exact table.
#include "app/connectmenu.h"
#include "hostilepeer.h"
#include "link/devicelink.h"
#include "program.h"
#include "sim/ptyunit.h"
#include "tones/memoryplayframe.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tonaq;
using namespace std::chrono_literals;

namespace {

// Every operation the operator can start against the unit, and every way the unit can fail it.
enum class Op { Connect, Download, Upload, Reset, SinglePlay, Abort, MemPlay, Keypad, Send };
// The unit is pulled out in the last three: mid-way through the operation's own exchange, as
// the download starts or while the table is read back, inside whichever command runs them.
// clang-format off
enum class Fault { Silent, NoMarkers, EmptyReport, BrokenReport, NeverReady, Slow, Chunked,
                   Vanish, VanishDownloading, VanishReading };
// clang-format on
const auto vanishes = [](Fault fault) { return fault >= Fault::Vanish; };

using Turn = test::HostilePeer::Turn;
using test::downloadTraffic;
using test::tableOf;
constexpr auto kBound = 8000ms; // the longest any one operation may take under a fault
const QString kConnected = QStringLiteral("Connected on COM3");
const QString kNoUnit = QStringLiteral("Error! No open Comm Ports or Tonaq found.");
const QString kSave = QStringLiteral("Save Changes to Memory?");
const QString kReset =
    QStringLiteral("Are you sure? This will erase all current settings and restore defaults!");
const QString kNoReady = QStringLiteral("Memory play: no Ready from the unit.");

void setRow(MemoryModel &memory, int i, const QStringList &texts) {
    memory.setText(i, MemoryModel::Text::Length, texts[0]);
    memory.setText(i, MemoryModel::Text::Space, texts[1]);
    memory.setText(i, MemoryModel::Text::Tones, texts[2]);
}

// Runs action once, the first time box shows text.
void onText(QLineEdit *box, const QString &text, std::function<void()> action) {
    auto done = std::make_shared<bool>(false);
    QObject::connect(box, &QLineEdit::textChanged, box, [=](const QString &now) {
        if (!*done && now == text) *done = true, action();
    });
}

// Runs action once the condition holds, checked every millisecond while the event loop runs
// (the link runs it while it waits for a reply).
void onceTrue(QObject *owner, std::function<bool()> condition, std::function<void()> action) {
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, owner, [=] {
        if (condition()) poll->stop(), action();
    });
    poll->start(1);
}

// Each operation's own inputs: a marked row to upload, a short location to play, grid rows (of
// which Send takes those with a tone: not row 5).
void prepare(Op op, test::Program &program, sim::SimulatedUnit &unit) {
    MemoryModel &memory = program.window().memory();
    if (op == Op::Upload) setRow(memory, 2, {"100", "50", "12#"});
    if (op == Op::MemPlay) {
        unit.setLocation(0, {"A", 20, 20});
        setRow(memory, 0, {"20", "20", "A"});
        program.type("txtLoc", "1");
        program.find<MemoryPlayFrame>("fraMain(2)")->player().setReadyMargin(300ms);
    }
    if (op == Op::SinglePlay) program.type("Tone", "5"), program.type("Duration", "100");
    if (op == Op::Send) {
        memory.setCell(17, 1, "b"), memory.setCell(5, 2, "300");
        memory.setCell(3, 1, "5"), memory.setCell(3, 2, "100"), memory.setCell(3, 3, "50");
    }
}

void applyFault(Fault fault, sim::SimulatedUnit &unit) {
    using enum sim::Marker;
    const sim::Faults faults[] = {
        // by Fault, up to Slow
        {.silent = true},
        {.missingMarkers = Connect | SingleTone | MemoryPlay | View | Store | Sequence},
        {.emptyViewLocation = 2},
        {.reportFault = sim::ReportFault::NoThirdLine, .reportFaultLocation = 2},
        {.neverReady = true},
        {.extraReplyDelayMs = 300}};
    if (fault == Fault::Chunked) unit.setPacing(true), unit.setChunkMs(16);
    if (int(fault) < int(std::size(faults))) unit.setFaults(faults[int(fault)]);
}

// Pulls the unit out in the middle of the operation, at a point where it has begun talking,
// and sets gone once the link has noticed.
void armVanish(Op op, Fault fault, test::Program &program, sim::PtyUnit &unit, bool &gone) {
    MainWindow &window = program.window();
    const auto vanish = [&window, &unit, &gone] {
        unit.vanish();
        gone = QTest::qWaitFor(
            [&] { return window.unit().channel().link().state() == DeviceLink::State::Gone; });
    };
    const auto onStatus = [&](const char *text) {
        onText(program.find<QLineEdit>("StatusBox"), text, vanish);
    };
    const auto onReceived = [&](char byte) {
        onceTrue(
            &window, [&unit, byte] { return unit.received().contains(byte); }, vanish);
    };
    if (fault == Fault::VanishReading) return onStatus("Reading Location # 3");
    if (fault == Fault::VanishDownloading || op == Op::Download)
        return onStatus("Reading the device settings...");
    if (op == Op::Upload) return onStatus("Saving to Location #  2");
    if (op == Op::Abort) return onStatus("Aborting...");
    if (op == Op::Keypad) return onStatus("Sending tone [5]"); // pulled while the key is held
    if (op == Op::Connect || op == Op::SinglePlay) return onReceived('@');
    if (op == Op::Send) return onReceived('F');
    if (op == Op::Reset) program.prompter.onShow = [vanish](const Message &) { vanish(); };
    if (op == Op::MemPlay)
        onceTrue(
            &window, [&unit] { return !unit.tones().isEmpty(); }, vanish);
}

void run(Op op, test::Program &program) {
    if (op == Op::Upload) program.prompter.answers.enqueue(Button::Yes);
    if (op == Op::Reset)
        return program.prompter.answers.enqueue(Button::Ok), program.trigger("mnuReset");
    if (op == Op::Connect) return program.connectTo(3);
    if (op == Op::Send) program.window().sequenceWindow();
    QPushButton *five = program.find<QPushButton>("KeyPad(4)");
    if (op == Op::Keypad)
        return QTest::mousePress(five, Qt::LeftButton), QTest::mouseRelease(five, Qt::LeftButton);
    const char *buttons[] = {"",         "cmdLoad",    "cmdProgram", "",       "cmdSinglePlay",
                             "cmdAbort", "cmdMemPlay", "",           "cmdSend"};
    program.click(buttons[int(op)]);
}

// Clears the fault, or for a pulled unit plugs a new one in as COM4 and rescans; then connects.
// Returns the unit now connected.
sim::SimulatedUnit &recover(Fault fault, test::Program &program, sim::SimulatedUnit &unit) {
    program.prompter.onShow = nullptr;
    if (vanishes(fault)) {
        sim::SimulatedUnit &fresh = program.addTtyUnit(4);
        program.trigger("mnuScanPorts");
        program.connectTo(4);
        return fresh;
    }
    unit.setFaults({}), unit.setPacing(false), unit.setChunkMs(0);
    // A unit that answered without its marker still went into that mode, where it takes the
    // next command as data; the operator's Abort ends the mode with its line end.
    if (fault == Fault::NoMarkers) program.click("cmdAbort");
    program.connectTo(3);
    return unit;
}

} // namespace

Q_DECLARE_METATYPE(Op)
Q_DECLARE_METATYPE(Fault)

class TestFaultSurvival : public QObject {
    Q_OBJECT
private slots:
    void operationSurvivesFault_data() {
        QTest::addColumn<Op>("op");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("status");       // the status box afterwards
        QTest::addColumn<QString>("logged");       // the procedure of the one log line; empty: none
        QTest::addColumn<int>("rowsRead");         // rows downloaded from the unit; -1: not checked
        QTest::addColumn<QStringList>("messages"); // message boxes shown
        QTest::addColumn<QByteArray>("wire");      // what the unit received; null: not checked
        const QString unable = QStringLiteral("Unable to connect on COM3");
        // A unit pulled out under a command: the command logs its failure as ever, and the window
        // says the unit is gone, with the device controls off.
        const QString removed = QStringLiteral("Unit on COM3 removed.");
        const QString ready = QStringLiteral("Ready");
        const QByteArray upload = "@S2\r\n100,50\r\n12#.";
        const auto row = [](const char *name, Op op, Fault fault) -> QTestData & {
            return QTest::newRow(name) << op << fault;
        };
        using enum Op;
        using enum Fault;
        // clang-format off
    row("connect silent", Connect, Silent) << unable << "" << -1 << QStringList{} << QByteArray("@");
    row("connect no marker", Connect, NoMarkers) << unable << "" << -1 << QStringList{} << QByteArray("@");
    row("connect slow", Connect, Slow) << unable << "" << -1 << QStringList{} << QByteArray("@");
    row("connect chunked", Connect, Chunked) << kConnected << "" << -1 << QStringList{} << QByteArray("@R");
    row("connect vanishing", Connect, Vanish) << removed << "COMPort_Click" << -1 << QStringList{} << QByteArray();
    row("download silent", Download, Silent) << ready << "" << 0 << QStringList{kNoUnit} << QByteArray("@");
    row("download no markers", Download, NoMarkers) << ready << "" << 8 << QStringList{} << downloadTraffic();
    row("download empty report", Download, EmptyReport) << ready << "" << 2 << QStringList{} << downloadTraffic(3);
    row("download broken report", Download, BrokenReport) << ready << "ReadDefaults" << 2 << QStringList{} << downloadTraffic(3);
    row("download slow", Download, Slow) << ready << "" << 0 << QStringList{kNoUnit} << QByteArray("@");
    row("download chunked", Download, Chunked) << ready << "" << 8 << QStringList{} << downloadTraffic();
    row("download vanishing", Download, VanishDownloading) << removed << "cmdLoad_Click" << 0 << QStringList{} << QByteArray();
    row("download vanishing reading", Download, VanishReading) << removed << "ReadDefaults" << 2 << QStringList{} << QByteArray();
    row("upload silent", Upload, Silent) << ready << "" << 0 << QStringList{kSave, kNoUnit} << QByteArray("@@");
        // The store mode the unit went into swallows the read-back's "@".
    row("upload no markers", Upload, NoMarkers) << ready << "" << 0 << QStringList{kSave, kNoUnit} << QByteArray("@S@");
    row("upload broken report", Upload, BrokenReport) << ready << "ReadDefaults" << 2 << QStringList{kSave} << upload + downloadTraffic(3);
    row("upload chunked", Upload, Chunked) << ready << "" << 8 << QStringList{kSave} << upload + downloadTraffic();
    row("upload vanishing", Upload, Vanish) << removed << "cmdProgram_Click" << -1 << QStringList{kSave} << QByteArray();
        // The read-back's own failure ends only the read-back; the upload still says "Ready".
    row("upload vanishing downloading", Upload, VanishDownloading) << removed << "cmdLoad_Click" << 0 << QStringList{kSave} << QByteArray();
    row("upload vanishing reading", Upload, VanishReading) << removed << "ReadDefaults" << 2 << QStringList{kSave} << QByteArray();
    row("reset silent", Reset, Silent) << ready << "" << 0 << QStringList{kReset, kNoUnit} << QByteArray("^0@");
        // The late answer to "^0" comes during the pause; the download must not take it for its own.
    row("reset slow", Reset, Slow) << ready << "" << 0 << QStringList{kReset, kNoUnit} << QByteArray("^0@");
    row("reset broken report", Reset, BrokenReport) << ready << "ReadDefaults" << 2 << QStringList{kReset} << "^0" + downloadTraffic(3);
    row("reset chunked", Reset, Chunked) << ready << "" << 8 << QStringList{kReset} << "^0" + downloadTraffic();
    row("reset vanishing", Reset, Vanish) << removed << "mnuReset_Click" << -1 << QStringList{kReset} << QByteArray();
    row("reset vanishing downloading", Reset, VanishDownloading) << removed << "cmdLoad_Click" << 0 << QStringList{kReset} << QByteArray();
    row("reset vanishing reading", Reset, VanishReading) << removed << "ReadDefaults" << 2 << QStringList{kReset} << QByteArray();
    row("single play silent", SinglePlay, Silent) << kConnected << "" << -1 << QStringList{} << QByteArray("@");
    row("single play no marker", SinglePlay, NoMarkers) << kConnected << "" << -1 << QStringList{} << QByteArray("@I");
    row("single play slow", SinglePlay, Slow) << kConnected << "" << -1 << QStringList{} << QByteArray("@");
    row("single play chunked", SinglePlay, Chunked) << kConnected << "" << -1 << QStringList{} << QByteArray("@I5,100\r");
    row("single play vanishing", SinglePlay, Vanish) << removed << "cmdSinglePlay_Click" << -1 << QStringList{} << QByteArray();
    row("abort silent", Abort, Silent) << ready << "" << -1 << QStringList{} << QByteArray("\r\n%");
    row("abort slow", Abort, Slow) << ready << "" << -1 << QStringList{} << QByteArray("\r\n%");
    row("abort vanishing", Abort, Vanish) << removed << "" << -1 << QStringList{} << QByteArray();
    row("memory play silent", MemPlay, Silent) << kNoReady << "" << -1 << QStringList{} << QByteArray("@");
    row("memory play no marker", MemPlay, NoMarkers) << kNoReady << "" << -1 << QStringList{} << QByteArray("@M");
    row("memory play no Ready", MemPlay, NeverReady) << kNoReady << "" << -1 << QStringList{} << QByteArray("@M0\r\n");
    row("memory play slow", MemPlay, Slow) << kNoReady << "" << -1 << QStringList{} << QByteArray("@");
    row("memory play chunked", MemPlay, Chunked) << kConnected << "" << -1 << QStringList{} << QByteArray("@M0\r\n1\r\n");
    row("memory play vanishing", MemPlay, Vanish) << removed << "cmdMemPlay_Click" << -1 << QStringList{} << QByteArray();
    row("keypad silent", Keypad, Silent) << ready << "" << -1 << QStringList{} << QByteArray("%5%");
    row("keypad vanishing", Keypad, Vanish) << removed << "" << -1 << QStringList{} << QByteArray();
    row("send silent", Send, Silent) << kConnected << "" << -1 << QStringList{} << QByteArray("@\r\n");
    row("send no marker", Send, NoMarkers) << kConnected << "" << -1 << QStringList{} << QByteArray("@F\r\n");
    row("send slow", Send, Slow) << kConnected << "" << -1 << QStringList{} << QByteArray("@\r\n");
    row("send chunked", Send, Chunked) << kConnected << "" << -1 << QStringList{} << QByteArray("@F5,100,50\r\nb,,\r\n\r\n");
    row("send vanishing", Send, Vanish) << removed << "" << -1 << QStringList{} << QByteArray();
        // clang-format on
    }

    void operationSurvivesFault() {
        QFETCH(Op, op);
        QFETCH(Fault, fault);
        QFETCH(QString, logged);
        QFETCH(int, rowsRead);
        QFETCH(QByteArray, wire);
        test::Program program;
        sim::PtyUnit &unit = program.addTtyUnit(3);
        MainWindow &window = program.start();
        program.connectTo(3);
        QCOMPARE(program.status(), kConnected);
        prepare(op, program, unit);
        unit.clearRecords();
        bool gone = !vanishes(fault);
        if (vanishes(fault)) armVanish(op, fault, program, unit, gone);
        applyFault(fault, unit);

        // The window must keep serving its events while the operation talks to a failing unit.
        bool running = true, servedDuring = false;
        QTimer::singleShot(0, &window, [&] { servedDuring = running; });
        QElapsedTimer clock;
        clock.start();
        run(op, program);
        running = false;
        const auto took = std::chrono::milliseconds(clock.elapsed());
        QVERIFY2(took < kBound, qPrintable(QString::number(took.count())));
        if (took > 100ms) QVERIFY2(servedDuring, "the window stood still");
        QVERIFY(gone);

        QTEST(program.status(), "status");
        // The device controls are on unless the connection failed or the unit is gone.
        const bool enabled = !program.status().startsWith("Unable") && !vanishes(fault);
        QCOMPARE(program.find<QPushButton>("cmdLoad")->isEnabled(), enabled);
        QTEST(program.prompter.texts(), "messages");
        const QStringList lines = program.logLines();
        QCOMPARE(lines.size(), logged.isEmpty() ? 0 : 1);
        if (!logged.isEmpty())
            QVERIFY2(lines[0].contains(" in procedure " + logged + " of Form frmTonaq on line "),
                     qPrintable(lines[0]));
        if (!wire.isNull()) QTRY_COMPARE_WITH_TIMEOUT(unit.received(), wire, 2000);
        if (rowsRead >= 0) QCOMPARE(tableOf(window.memory()), tableOf(unit, rowsRead));

        sim::SimulatedUnit &now = recover(fault, program, unit);
        QVERIFY2(program.status().startsWith(QStringLiteral("Connected on COM")),
                 qPrintable(program.status()));
        program.click("cmdLoad");
        QCOMPARE(program.status(), QStringLiteral("Ready"));
        QCOMPARE(tableOf(window.memory()), tableOf(now));
        QCOMPARE(program.logLines().size(), lines.size()); // the recovery itself fails nowhere
    }

    // A peer that sends what a terminal would obey: the connect shows no control character.
    // (Floods and trickles, which the link bounds for both programs: tst_tonaqctl's rows.)
    void hostileNetworkUnit() {
        test::HostilePeer peer{Turn::Escapes};
        test::Program program;
        const int number = program.ports.map().addNetworkUnit(peer.url());
        program.start();
        program.connectTo(number);
        QCOMPARE(program.status(), "Connected on COM1");
        QCOMPARE(program.find<QLabel>("Firmware")->text(),
                 "Firmware version: 2.10 (simulated) [2J \r\n");
    }
};

QTEST_MAIN(TestFaultSurvival)
#include "tst_faultsurvival.moc"
