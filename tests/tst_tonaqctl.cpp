// tonaqctl against its simulated unit, as a script runs it: exit codes, JSON, files, units that
// fail, many units at once, its progress on a terminal, and the same bytes on the wire as the
// window's own commands. (The WAV it writes: tst_sound.)
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
#include <functional>
#include <unistd.h>

using namespace tonaq;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

// Runs tonaqctl in the folder, with the COM-number links of portsHome when one is given, and
// calls during() while it runs; leading NAME=value arguments go to its environment.
Run tonaqctl(QStringList arguments, const QString &folder, const QString &portsHome = {},
             const std::function<void()> &during = {}) {
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
    if (during) during();
    if (!process.waitForFinished(60000))
        return {-1, {}, "no end: " + process.readAllStandardError()};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// A ports folder in home whose COM<number> is the unit's device.
void linkPort(const QTemporaryDir &home, int number, const sim::PtyUnit &unit) {
    QVERIFY(QDir().mkpath(home.filePath("Tonaq/ports")));
    QVERIFY(QFile::link(unit.devicePath(),
                        home.filePath(QStringLiteral("Tonaq/ports/COM%1").arg(number))));
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

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
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
    void commands_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("result"); // a JSON field and its text, the file's first line,
                                             // or "said: " and what stderr says
        QTest::addColumn<sim::Faults>("faults");   // of the unit on COM3
        QTest::addColumn<QByteArray>("pullAfter"); // the unit is pulled once it received this
        const auto row = [](const char *name, const char *line, int exitCode, const char *result,
                            sim::Faults faults = {}, const char *pullAfter = "") {
            QTest::newRow(name) << line << exitCode << QString::fromUtf8(result) << faults
                                << QByteArray(pullAfter);
        };
        row("download", "download --demo new.tnq --json", 0, "file: 0123456789,100,50");
        row("download keeps the sequence", "download --demo in.tnq", 0, "file: 0123456789,100,50");
        row("upload, read back", "upload --demo in.tnq --rows 3 --json", 0, "rows: [3]");
        row("reset", "reset --demo --json", 0, "ok: true");
        row("tone", "tone 5 20 --demo --json", 0, "duration: 20");
        row("send", "send in.tnq --demo --json", 0, "rows: 2");
        row("play", "play 72 --demo --json", 0, "played: [7,2]");
        row("no such file", "send missing.tnq --demo", 3, "");
        row("usage", "erase --demo", 2,
            "said: tonaqctl: unknown command: erase\nTry 'tonaqctl --help' for more "
            "information.\n");
        // Said in the operator's language, results and --json in English.
        row("in German", "LANGUAGE=de upload --demo bad.tnq", 1,
            "said: tonaqctl: Platz 1 enthält 1,20,20, die Datei aber 1x,20,20");
        row("in German, --json", "LANGUAGE=de upload --demo bad.tnq --json", 1,
            R"(error: "location 1 holds 1,20,20 where the file says 1x,20,20")");
        row("usage in French", "LANGUAGE=fr erase --demo", 2,
            "said: commande inconnue : erase\nPour en savoir plus");
        row("tone too short", "tone 5 19 --demo", 2, "");
        row("tone too long", "tone 5 65536 --demo", 2, "");
        // A unit on a real port that fails: every way ends in its exit status and one line that
        // says why, and nothing that the window would only log passes as done.
        const char *download = "download --port COM3 out.tnq";
        row("silent", download, 1, "said: no unit answered on COM3", {.silent = true});
        row("a failure the window only logs", download, 1, "said: in procedure ReadDefaults",
            {.reportFault = sim::ReportFault::NoThirdLine, .reportFaultLocation = 2});
        row("no Ready", "play 1 --port COM3", 1, "said: no Ready from the unit after location 1",
            {.neverReady = true});
        row("pulled mid-download", download, 4, "said: COM3: the unit went away", {}, "@V3");
        row("no such port", "reset --port COM4", 4,
            "said: COM4: Could not open COM4: no such device");
    }

    void commands() {
        QFETCH(QString, line);
        QFETCH(QString, result);
        QFETCH(sim::Faults, faults);
        QFETCH(QByteArray, pullAfter);
        QFile::remove(m_folder.filePath("new.tnq"));
        writeFile(m_folder.filePath("in.tnq"), sampleFile());
        writeFile(m_folder.filePath("bad.tnq"), "1x,20,20\r\n" + sampleFile().mid(4));
        QTemporaryDir home;
        sim::PtyUnit unit;                  // paced: a pull lands in the middle of a transfer
        unit.setLocation(0, {"A", 20, 20}); // a short play: no Ready is known soon
        unit.setFaults(faults);
        linkPort(home, 3, unit);
        const Run run = tonaqctl(line.split(u' '), m_folder.path(), home.path(), [&] {
            if (pullAfter.isEmpty()) return;
            QVERIFY(QTest::qWaitFor([&] { return unit.received().contains(pullAfter); }, 30000));
            unit.vanish();
        });
        QFETCH(int, exitCode);
        QVERIFY2(run.exitCode == exitCode, run.err.constData());
        // A failure on a port is one line that says why; a usage error what is wrong and where
        // to read.
        if (line.contains(u"--port")) QCOMPARE(run.err.count("tonaqctl: "), exitCode ? 1 : 0);
        if (exitCode == 2) QCOMPARE(run.err.count('\n'), 2);
        const QString field = result.section(u':', 0, 0);
        const QString text = result.section(QStringLiteral(": "), 1);
        if (field == u"said") {
            QVERIFY2(QString::fromUtf8(run.err).contains(text), run.err.constData());
        } else if (field == u"file") {
            QFile file(m_folder.filePath(line.section(u' ', 2, 2)));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QList<QByteArray> lines = file.readAll().split('\n');
            QCOMPARE(lines[0], text.toLatin1() + '\r');
            if (line.contains(u"in.tnq")) QCOMPARE(lines[8], QByteArray("5,100,50\r")); // kept
        } else if (!field.isEmpty()) { // the field's value as JSON writes it
            const QByteArray json =
                QJsonDocument(QJsonArray{run.json().value(field)}).toJson(QJsonDocument::Compact);
            QCOMPARE(QString::fromUtf8(json.mid(1).chopped(1)), text);
        }
    }

    void manyUnitsAtOnce_data() {
        QTest::addColumn<bool>("json");
        QTest::newRow("lines") << false;
        QTest::newRow("json") << true;
    }

    // Eight units, one silent and one pulled out halfway: the other six are programmed and
    // verified, each unit's end is said, and the whole fails with 5.
    void manyUnitsAtOnce() {
        QFETCH(bool, json);
        QTemporaryDir home;
        std::vector<std::unique_ptr<sim::PtyUnit>> units;
        QStringList ports;
        for (int number = 1; number <= 8; ++number) {
            units.push_back(std::make_unique<sim::PtyUnit>());
            linkPort(home, number, *units.back());
            ports << QStringLiteral("COM%1").arg(number);
        }
        units[6]->setFaults({.silent = true});
        writeFile(m_folder.filePath("in.tnq"), sampleFile());
        QStringList line{"upload", "in.tnq", "--rows", "3", "--port", ports.join(u',')};
        if (json) line << "--json";
        const Run run = tonaqctl(line, m_folder.path(), home.path(), [&] {
            QVERIFY(QTest::qWaitFor([&] { return units[7]->received().contains("@S2"); }, 30000));
            units[7]->vanish();
        });
        QCOMPARE(run.exitCode, 5);
        const QStringList said = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(said.size(), 9);
        QStringList ends;
        for (const QString &unitLine : said.first(8)) {
            if (json) {
                const QJsonObject unit = QJsonDocument::fromJson(unitLine.toUtf8()).object();
                QCOMPARE(unit["result"].toObject()["command"].toString(), "upload");
                ends << unit["port"].toString() +
                            (unit["ok"].toBool()
                                 ? QStringLiteral(" done")
                                 : QStringLiteral(" failed %1").arg(unit["exit"].toInt()));
                continue;
            }
            static const QRegularExpression form(R"(^(COM\d) (done|failed \d) \d+\.\d\d s)");
            const auto match = form.match(unitLine);
            QVERIFY2(match.hasMatch(), qPrintable(unitLine));
            ends << match.captured(1) + u' ' + match.captured(2);
        }
        ends.sort();
        QCOMPARE(ends, (QStringList{"COM1 done", "COM2 done", "COM3 done", "COM4 done", "COM5 done",
                                    "COM6 done", "COM7 failed 1", "COM8 failed 4"}));
        QCOMPARE(said.last(),
                 json ? R"({"done":6,"failed":2,"units":8})" : "8 units: 6 done, 2 failed");
        for (int i = 0; i < 6; ++i)
            QCOMPARE(units[i]->location(2).tones, QByteArray("A#9"));
    }

    // On a terminal the progress is one line redrawn in place, with a bar; the results that
    // follow on the same terminal start lines of their own.
    void terminalKeepsProgressAndResultsApart() {
        sim::PseudoTerminal terminal;
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        process.setStandardOutputFile(terminal.slavePath());
        process.setStandardErrorFile(terminal.slavePath());
        process.start(QStringLiteral(TONAQCTL), {"download", "--demo", "t.tnq"});
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
        QVERIFY2(shown.contains("Ready\n1 0123456789,100,50\n"), shown.constData());
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
        writeFile(m_folder.filePath("in.tnq"), sampleFile());
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
        QFile traced(trace);
        QVERIFY(traced.open(QIODevice::ReadOnly));
        const QByteArray written = traced.readAll();
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
