// tonaqctl against its simulated unit, as a script runs it: exit codes, JSON, files, units that
// fail, hostile units on the network, many units at once, a stopped run, its progress on a
// terminal, and the same bytes on the wire as the window's own commands. (The WAV it writes:
// tst_sound.)
#include "ctl/fleetrun.h"
#include "hostilepeer.h"
#include "link/wiretrace.h"
#include "program.h"
#include "sim/pseudoterminal.h"
#include "sim/ptyunit.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tonaq;
using Turn = test::HostilePeer::Turn;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
    qint64 peakKiB = 0; // the most memory it held, as last seen before its end
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

// Runs tonaqctl in the folder, with the COM-number links of portsHome when one is given, and
// calls during(pid) while it runs, the event loop turning until it ends or the deadline is
// past; leading NAME=value arguments go to its environment.
Run tonaqctl(QStringList arguments, const QString &folder, const QString &portsHome = {},
             const std::function<void(qint64)> &during = {}, int deadlineMs = 60000) {
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!portsHome.isEmpty()) environment.insert("XDG_CONFIG_HOME", portsHome);
    while (arguments.value(0).contains(u'=')) {
        const QString setting = arguments.takeFirst();
        environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TONAQCTL), arguments);
    if (during) during(process.processId());
    qint64 peakKiB = 0;
    const QString status = QStringLiteral("/proc/%1/status").arg(process.processId());
    const bool ended = QTest::qWaitFor(
        [&] {
            for (const QByteArray &line : test::readFile(status).split('\n'))
                if (line.startsWith("VmHWM:"))
                    peakKiB = line.mid(6).simplified().split(' ')[0].toLongLong();
            return process.state() == QProcess::NotRunning;
        },
        deadlineMs);
    if (!ended) process.kill(), process.waitForFinished();
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            (ended ? "" : "no end: ") + process.readAllStandardError(), peakKiB};
}

// The ids of a process's children.
QList<qint64> childrenOf(qint64 pid) {
    QList<qint64> children;
    for (const QByteArray &child :
         test::readFile(QStringLiteral("/proc/%1/task/%1/children").arg(pid)).split(' '))
        if (child.trimmed().toLongLong() > 0) children << child.trimmed().toLongLong();
    return children;
}

// A process is over once it is gone or only its exit status waits to be collected.
bool ended(qint64 pid) {
    const QByteArray stat = test::readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat == "unreadable" || stat.contains(") Z ");
}

// Peers as "turn:after:scheme", e.g. "flood:V:tcp", their location 1 holding their number; %1,
// %2... in the texts become their URLs.
std::vector<std::unique_ptr<test::HostilePeer>> peersOf(const QStringList &kinds,
                                                        std::initializer_list<QString *> texts) {
    const QStringList turns{"never", "flood", "trickle", "silence", "escapes"}; // as Turn
    std::vector<std::unique_ptr<test::HostilePeer>> peers;
    for (const QString &kind : kinds) {
        peers.push_back(std::make_unique<test::HostilePeer>(
            Turn(turns.indexOf(kind.section(u':', 0, 0))), kind.section(u':', 1, 1).toLatin1()));
        peers.back()->unit.setLocation(0, {QByteArray::number(peers.size()), 20, 20});
    }
    for (qsizetype i = kinds.size() - 1; i >= 0; --i) {
        for (QString *text : texts)
            text->replace(u'%' + QString::number(i + 1), peers[i]->url(kinds[i].section(u':', 2)));
    }
    return peers;
}

// The bytes to the unit in a trace file, as the trace writes them.
QString sentInTrace(const QByteArray &trace) {
    QString sent;
    for (const QByteArray &line : trace.split('\n')) {
        if (const qsizetype mark = line.indexOf(" > "); mark >= 0)
            sent += QString::fromLatin1(line.mid(mark + 3));
    }
    return sent;
}

QByteArray sampleFile() {
    QByteArray bytes;
    for (int i = 0; i < 8; ++i)
        bytes += i == 2 ? "a#9,30,2000\r\n" : ",,\r\n";
    bytes += "5,100,50\r\n,,\r\nb,60,\r\n";
    return bytes + QByteArray(",,\r\n").repeated(17);
}

} // namespace

Q_DECLARE_METATYPE(tonaq::sim::Faults)

class TestTonaqctl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(::mkfifo(qPrintable(m_folder.filePath("fifo")), 0600) == 0); }

    void commands_data() {
        QTest::addColumn<QStringList>("peers"); // hostile network units, "turn:after:scheme"
        QTest::addColumn<QString>("line");      // %1, %2...: the peers' URLs
        QTest::addColumn<int>("exitCode");
        // A JSON field and its text, the file's first line, or "said: " and what stderr, stdout
        // or the trace flood.txt say, each of its parts (|).
        QTest::addColumn<QString>("result");
        QTest::addColumn<sim::Faults>("faults");   // of the unit on COM3
        QTest::addColumn<QByteArray>("pullAfter"); // the unit is pulled once it received this
        const auto row = [](const char *name, const char *peers, const char *line, int exitCode,
                            const char *result, sim::Faults faults = {},
                            const char *pullAfter = "") {
            QTest::newRow(name) << QString(peers).split(u' ', Qt::SkipEmptyParts) << line
                                << exitCode << QString::fromUtf8(result) << faults
                                << QByteArray(pullAfter);
        };
        row("download keeps the sequence", "", "download --demo in.tnq", 0,
            "file: 0123456789,100,50");
        row("upload, read back", "", "upload --demo in.tnq --rows 3 --json", 0, "rows: [3]");
        row("reset", "", "reset --demo --json", 0, "ok: true");
        row("tone", "", "tone 5 20 --demo --json", 0, "duration: 20");
        row("send", "", "send in.tnq --demo --json", 0, "rows: 2");
        row("play", "", "play 72 --demo --json", 0, "played: [7,2]");
        row("no such file", "", "send missing.tnq --demo", 3, "");
        row("usage", "", "erase --demo", 2,
            "said: tonaqctl: unknown command: erase\nTry 'tonaqctl --help' for more "
            "information.\n");
        // Said in the operator's language, results and --json in English.
        row("in German", "", "LANGUAGE=de upload --demo bad.tnq", 1,
            "said: tonaqctl: Platz 1 enthält 1,20,20, die Datei aber 1x,20,20");
        row("in German, --json", "", "LANGUAGE=de upload --demo bad.tnq --json", 1,
            R"(error: "location 1 holds 1,20,20 where the file says 1x,20,20")");
        row("usage in French", "", "LANGUAGE=fr erase --demo", 2,
            "said: commande inconnue : erase\nPour en savoir plus");
        row("a URL out of range", "", "reset --port tcp://unit:65536", 2,
            "said: tonaqctl: --port tcp://unit:65536 is no usable URL: port 65536 is out of "
            "range\n");
        // A trace that cannot be written is no trace: said before any exchange, or once lost.
        row("a trace to a FIFO", "", "reset --demo --trace fifo", 3,
            "said: cannot write the trace fifo: not a regular file");
        row("a trace to a device", "", "reset --demo --trace /dev/full", 3,
            "said: cannot write the trace /dev/full: not a regular file");
        row("a trace cut short", "", "FSIZE=400 reset --demo --trace cut.txt", 3,
            "said: tonaqctl: cannot write the trace cut.txt: ");
        // A unit on a real port that fails: every way ends in its exit status and one line that
        // says why, and nothing that the window would only log passes as done.
        const char *download = "download --port COM3 out.tnq";
        row("silent", "", download, 1, "said: no unit answered on COM3", {.silent = true});
        row("a failure the window only logs", "", download, 1, "said: in procedure ReadDefaults",
            {.reportFault = sim::ReportFault::NoThirdLine, .reportFaultLocation = 2});
        row("no Ready", "", "play 1 --port COM3", 1,
            "said: no Ready from the unit after location 1", {.neverReady = true});
        row("pulled mid-download", "", download, 4, "said: COM3: the unit went away", {}, "@V3");
        row("no such port", "", "reset --port COM4", 4,
            "said: tonaqctl: Could not open COM4: no such device");
        row("the ports beside a FIFO", "", "ports", 0,
            "said: refused FOLDER/COM13: not a link to a serial device, nor a file naming a "
            "network unit - skipped");
        // Hostile units: each run ends in its time, its memory flat however much the peer sends,
        // with the reason.
        row("a flood in the middle of a download", "flood:V:tcp",
            "download out.tnq --trace flood.txt --port %1", 1,
            "said: the download did not finish: Error 8022 (Reply too long) in procedure "
            "ReadDefaults|: reply too long, over 4096 bytes; it and the rest dropped");
        row("a flood before the negotiation", "flood::rfc2217", "reset --port %1", 4,
            "said: tonaqctl: Could not open %1: the server did not take up the COM-PORT-OPTION "
            "(RFC 2217) within 3 s\n");
        row("a trickle once connected", "trickle:R:tcp", "download out.tnq --port %1", 1,
            "said: Error! No open Comm Ports or Tonaq found.");
        // Each unit's end is said, and the whole fails with 5.
        row("many units, some trickling or silent",
            "never::tcp never::tcp trickle::tcp silence::tcp", "reset --port %1,%2,%3,%4", 5,
            "said: %3 failed 1 |: no unit answered on %4|4 units: 2 done, 2 failed");
        row("many units, JSON", "never::tcp silence::tcp", "tone 5 20 --json --port %1,%2", 5,
            R"(said: {"exit":0,"ok":true,"port":"%1","result":{"command":"tone")"
            R"(|"error":"no unit answered on %2","exit":1|{"done":1,"failed":1,"units":2})");
        row("a download file named like the command", "never::tcp never::tcp",
            "download download --port %1,%2", 0, "said: 2 units: 2 done, 0 failed");
    }

    void commands() {
        QFETCH(QStringList, peers);
        QFETCH(QString, line);
        QFETCH(QString, result);
        QFETCH(sim::Faults, faults);
        QFETCH(QByteArray, pullAfter);
        const auto hostile = peersOf(peers, {&line, &result});
        QVERIFY(test::writeFile(m_folder.filePath("in.tnq"), sampleFile()));
        QVERIFY(
            test::writeFile(m_folder.filePath("bad.tnq"), "1x,20,20\r\n" + sampleFile().mid(4)));
        QTemporaryDir home;
        sim::PtyUnit unit;                  // paced: a pull lands in the middle of a transfer
        unit.setLocation(0, {"A", 20, 20}); // a short play: no Ready is known soon
        unit.setFaults(faults);
        const QString ports = home.filePath("Tonaq/ports");
        QVERIFY(QDir().mkpath(ports) && QFile::link(unit.devicePath(), ports + "/COM3"));
        // Entries that could block are passed over, in every row.
        QVERIFY(::mkfifo(qPrintable(ports + "/COM13"), 0600) == 0);
        result.replace("FOLDER", ports);
        // FSIZE=n: tonaqctl's files end at n bytes, a write beyond failing as on a full disk.
        rlimit unlimited{};
        getrlimit(RLIMIT_FSIZE, &unlimited);
        const rlimit small{rlim_t(line.section(u'=', 1).section(u' ', 0, 0).toInt()),
                           unlimited.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        if (line.startsWith(u"FSIZE=")) setrlimit(RLIMIT_FSIZE, &small);
        // What ASan holds back of the memory freed (256 MB of it) is no memory the run keeps.
        const QString sanitizer =
            "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":quarantine_size_mb=1";
        const auto during = [&](qint64) {
            setrlimit(RLIMIT_FSIZE, &unlimited);
            if (pullAfter.isEmpty()) return;
            QVERIFY(QTest::qWaitFor([&] { return unit.received().contains(pullAfter); }, 30000));
            unit.vanish();
        };
        const Run run = tonaqctl(QStringList{sanitizer} + line.split(u' '), m_folder.path(),
                                 home.path(), during, 20000);
        QFETCH(int, exitCode);
        QVERIFY2(run.exitCode == exitCode, run.err.constData());
        QVERIFY2(run.peakKiB > 0 && run.peakKiB < 64 * 1024, QByteArray::number(run.peakKiB));
        // A failure on a port is one line that says why; a usage error what is wrong and where
        // to read.
        if (line.contains(u"--port") && peers.isEmpty())
            QCOMPARE(run.err.count("tonaqctl: "), exitCode ? 1 : 0);
        if (exitCode == 2) QCOMPARE(run.err.count('\n'), 2);
        const QString field = result.section(u':', 0, 0);
        const QString text = result.section(QStringLiteral(": "), 1);
        const QByteArray all = run.err + run.out + test::readFile(m_folder.filePath("flood.txt"));
        if (field == u"said") {
            for (const QString &part : text.split(u'|'))
                QVERIFY2(all.contains(part.toUtf8()), all.right(2000));
        } else if (field == u"file") {
            const QList<QByteArray> lines =
                test::readFile(m_folder.filePath(line.section(u' ', 2, 2))).split('\n');
            QCOMPARE(lines[0], text.toLatin1() + '\r');
            if (line.contains(u"in.tnq")) QCOMPARE(lines[8], QByteArray("5,100,50\r")); // kept
        } else if (!field.isEmpty()) { // the field's value as JSON writes it
            const QByteArray json =
                QJsonDocument(QJsonArray{run.json().value(field)}).toJson(QJsonDocument::Compact);
            QCOMPARE(QString::fromUtf8(json.mid(1).chopped(1)), text);
        }
        // A file for each unit, holding what that unit holds.
        for (qsizetype i = 0; line.startsWith(u"download download") && i < peers.size(); ++i) {
            const QString file = m_folder.filePath(ctl::fileForUnit("download", hostile[i]->url()));
            QVERIFY(test::readFile(file).startsWith(QByteArray::number(i + 1) + ",20,20\r\n"));
        }
    }

    void stoppedRun_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("toUnits"); // else to the run itself
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGINT") << SIGINT << false;
        QTest::newRow("SIGHUP") << SIGHUP << false;
        QTest::newRow("SIGKILL: the units end with it") << SIGKILL << false;
        QTest::newRow("units stopped: ended at their deadline") << SIGSTOP << true;
    }

    // No unit is left running without its run, nor keeps the run from its summary.
    void stoppedRun() {
        QFETCH(int, signal);
        QFETCH(bool, toUnits);
        QString line = "tone 5 20 --port %1,%2";
        const auto peers = peersOf({"trickle:I:tcp", "trickle:I:tcp"}, {&line});
        QList<qint64> units;
        const Run run = tonaqctl(line.split(u' '), m_folder.path(), {}, [&](qint64 pid) {
            QVERIFY(QTest::qWaitFor([&] { return (units = childrenOf(pid)).size() == 2; }));
            QVERIFY(QTest::qWaitFor([&] { // both in the middle of an exchange
                return peers[0]->received().contains('I') && peers[1]->received().contains('I');
            }));
            for (const qint64 to : toUnits ? units : QList<qint64>{pid})
                ::kill(pid_t(to), signal);
        });
        if (signal != SIGKILL) QVERIFY(ended(units[0]) && ended(units[1])); // waited for
        QVERIFY(QTest::qWaitFor([&] { return ended(units[0]) && ended(units[1]); }, 5000));
        if (toUnits)
            QVERIFY2(run.out.count(" s, ended") == 2 && run.out.endsWith("0 done, 2 failed\n"),
                     run.out);
    }

    // On a terminal the progress is one line redrawn in place, with a bar; the results that
    // follow on the same terminal start lines of their own, and show the unit's control
    // characters rather than pass them to the terminal. The file keeps them as they came.
    void terminal() {
        QString line = "download t.tnq --port %1";
        const auto peers = peersOf({"escapes::tcp"}, {&line});
        sim::PseudoTerminal terminal;
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.setStandardOutputFile(terminal.slavePath());
        process.setStandardErrorFile(terminal.slavePath());
        process.start(QStringLiteral(TONAQCTL), line.split(u' '));
        QByteArray shown;
        const auto ended = [&] {
            const bool done = process.state() == QProcess::NotRunning; // before the last read
            char buffer[4096];
            for (ssize_t got; (got = ::read(terminal.masterFd(), buffer, sizeof buffer)) > 0;)
                shown.append(buffer, got);
            return done;
        };
        QVERIFY(QTest::qWaitFor(ended, 30000));
        QVERIFY2(shown.contains("\r\033[K[########] Reading Location # 8"), shown.constData());
        QVERIFY2(shown.contains("\n1 1\\x1b[2J\\x07,20,20\\x1b[2\n"), shown.constData()); // 5 chars
        QVERIFY(!shown.contains("\033[2J"));
        QVERIFY(test::readFile(m_folder.filePath("t.tnq")).startsWith("1\x1b[2J\x07"));
    }

    void sameWireBytesAsTheWindow_data() {
        QTest::addColumn<QString>("line");
        for (const char *line :
             {"download out.tnq", "upload in.tnq --rows 3", // the rows the open marks
              "reset", "tone b 300", "play 3", "send in.tnq"})
            QTest::newRow(QByteArray(line).split(' ').first().constData()) << QString(line);
    }

    // The same operation, once from the window and once from tonaqctl: the unit must receive
    // the same bytes, the connect included.
    void sameWireBytesAsTheWindow() {
        QFETCH(QString, line);
        QVERIFY(test::writeFile(m_folder.filePath("in.tnq"), sampleFile()));
        const QString trace = m_folder.filePath("trace.txt");
        QFile::remove(trace);
        const QStringList arguments = line.split(u' ') + QStringList{"--demo", "--trace", trace};
        QCOMPARE(tonaqctl(arguments, m_folder.path()).exitCode, 0);

        test::Program program;
        sim::SimulatedUnit &unit = program.addUnit(3);
        program.start();
        program.connectTo(3);
        const QString command = line.section(u' ', 0, 0);
        if (line.contains(u"in.tnq")) {
            program.fileDialogs.choose(m_folder.filePath("in.tnq"));
            program.trigger("mnuOpen");
        }
        if (command == u"download") program.click("cmdLoad");
        if (command == u"upload") program.click("cmdProgram");
        if (command == u"reset")
            program.prompter.answers.enqueue(Button::Ok), program.trigger("mnuReset");
        if (command == u"tone")
            program.type("Tone", "b"), program.type("Duration", "300"),
                program.click("cmdSinglePlay");
        if (command == u"play")
            program.click("cmdLoad"), program.type("txtLoc", "3"), program.click("cmdMemPlay");
        if (command == u"send") program.window().sequenceWindow(), program.click("cmdSend");
        const QByteArray written = test::readFile(trace);
        QCOMPARE(sentInTrace(written), escapedBytes(program.received(unit)));
        QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} < C)",
                                   QRegularExpression::MultilineOption)
                    .match(QString::fromLatin1(written))
                    .hasMatch()); // with its time stamps
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestTonaqctl)
#include "tst_tonaqctl.moc"
