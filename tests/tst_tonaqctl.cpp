// tonaqctl against its simulated unit, as a script runs it: exit codes, JSON, files, and the
// same bytes on the wire as the window's own commands; and the WAV of a memory play decoded
// back into the tones of that location.
#include "link/wiretrace.h"
#include "program.h"
#include "sim/simulatedunit.h"
#include "soundcheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tonaq;

namespace {

struct Run {
    int exitCode = -1;
    QJsonObject json;
    QByteArray err;
};

Run tonaqctl(const QStringList &arguments, const QString &folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(TONAQCTL), arguments);
    if (!process.waitForFinished(60000)) return {};
    return {process.exitCode(), QJsonDocument::fromJson(process.readAllStandardOutput()).object(),
            process.readAllStandardError()};
}

// The bytes to the unit in a trace file, as the trace writes them.
QString sentInTrace(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "no trace";
    QString sent;
    for (const QByteArray &line : file.readAll().split('\n')) {
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

class TestTonaqctl : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void sameWireBytesAsTheWindow_data();
    void sameWireBytesAsTheWindow();
    void memoryPlayIsHeardInTheWav();

private:
    QTemporaryDir m_folder;
};

void TestTonaqctl::commands_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("result"); // a JSON field and its text, or the file's first line
    QTest::newRow("download") << "download --demo new.tnq --json" << 0 << "file: 0123456789,100,50";
    QTest::newRow("download keeps the sequence")
        << "download --demo in.tnq" << 0 << "file: 0123456789,100,50";
    QTest::newRow("upload, read back")
        << "upload --demo in.tnq --rows 3 --json" << 0 << "rows: [3]";
    QTest::newRow("upload of what the unit cannot hold")
        << "upload --demo bad.tnq --json" << 1
        << R"(error: "location 1 holds 1,20,20 where the file says 1x,20,20")";
    QTest::newRow("reset") << "reset --demo --json" << 0 << "ok: true";
    QTest::newRow("tone") << "tone 5 20 --demo --json" << 0 << "duration: 20";
    QTest::newRow("send") << "send in.tnq --demo --json" << 0 << "rows: 2";
    QTest::newRow("no such port") << "download --port COM99 x.tnq" << 4 << "";
    QTest::newRow("no such file") << "send missing.tnq --demo" << 3 << "";
    QTest::newRow("usage") << "erase --demo" << 2 << "";
}

void TestTonaqctl::commands() {
    QFETCH(QString, line);
    QFETCH(QString, result);
    QFile::remove(m_folder.filePath("new.tnq"));
    writeFile(m_folder.filePath("in.tnq"), sampleFile());
    writeFile(m_folder.filePath("bad.tnq"), "1x,20,20\r\n" + sampleFile().mid(4));

    const Run run = tonaqctl(line.split(u' '), m_folder.path());
    QTEST(run.exitCode, "exitCode");
    if (run.exitCode == 4) QCOMPARE(run.err.count('\n'), 1); // one clear line
    const QString field = result.section(u':', 0, 0);
    const QString text = result.section(QStringLiteral(": "), 1);
    if (field == u"file") {
        QFile file(m_folder.filePath(line.section(u' ', 2, 2)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines[0], text.toLatin1() + '\r');
        if (line.contains(u"in.tnq")) QCOMPARE(lines[8], QByteArray("5,100,50\r")); // kept
    } else if (!field.isEmpty()) { // the field's value as JSON writes it
        const QByteArray json =
            QJsonDocument(QJsonArray{run.json.value(field)}).toJson(QJsonDocument::Compact);
        QCOMPARE(QString::fromUtf8(json.mid(1).chopped(1)), text);
    }
}

void TestTonaqctl::sameWireBytesAsTheWindow_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("download") << "download out.tnq";
    QTest::newRow("upload") << "upload in.tnq --rows 3"; // the rows the open marks
    QTest::newRow("reset") << "reset";
    QTest::newRow("tone") << "tone b 300";
    QTest::newRow("play") << "play 3";
    QTest::newRow("send") << "send in.tnq";
}

// The same operation, once from the window and once from tonaqctl: the unit must receive the
// same bytes, the connect included.
void TestTonaqctl::sameWireBytesAsTheWindow() {
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
        program.prompter.answers.enqueue(QMessageBox::Ok), program.trigger("mnuReset");
    if (command == u"tone")
        program.type("Tone", "b"), program.type("Duration", "300"), program.click("cmdSinglePlay");
    if (command == u"play") program.type("txtLoc", "3"), program.click("cmdMemPlay");
    if (command == u"send") program.window().multiPlay(), program.click("cmdSend");
    QCOMPARE(sentInTrace(trace), escapedBytes(program.received(unit)));
    QFile traced(trace); // the other way, with its time stamps
    QVERIFY(traced.open(QIODevice::ReadOnly));
    QVERIFY(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} < C)",
                               QRegularExpression::MultilineOption)
                .match(QString::fromLatin1(traced.readAll()))
                .hasMatch());
}

void TestTonaqctl::memoryPlayIsHeardInTheWav() {
    const QString wav = m_folder.filePath("play.wav");
    const Run run = tonaqctl({"play", "72", "--demo", "--json", "--wav", wav}, m_folder.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.json.value("played").toArray(), (QJsonArray{7, 2}));
    QCOMPARE(test::keysOf(test::heardInWav(wav)), "##**##**" + QString("*#ABCD")); // 7, then 2
}

QTEST_MAIN(TestTonaqctl)
#include "tst_tonaqctl.moc"
