// Configuration files and the error log on a real disk: the round trip, files that are short,
// huge or unreadable, folders and files the user may not write, a full disk.
#include "base/basetitle.h"
#include "base/trap.h"
#include "program.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tonaq;

namespace {

using test::readFile;
void setMode(const QString &path, mode_t mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}

// Triggers the menu item as an ordinary user (root reads and writes whatever the modes say),
// writes beyond sizeLimit bytes failing as on a full disk.
void triggerAsOrdinaryUser(test::Program &program, const char *item,
                           rlim_t sizeLimit = RLIM_INFINITY) {
    setMode(program.folder(), 0755);
    setMode(program.logFolder(), 0777);
    const bool root = ::geteuid() == 0;
    QVERIFY(!root || ::seteuid(65534) == 0); // nobody
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{std::min(sizeLimit, old.rlim_max), old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // fail the write, not the process
    setrlimit(RLIMIT_FSIZE, &limit);
    program.trigger(item);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    if (root) [[maybe_unused]]
        const int back = ::seteuid(0);
}

// A file the program wrote: location i holds "12#i", 10i, 5i; sequence row r holds "b", r, r.
QByteArray sampleFile() {
    QByteArray bytes;
    for (int i = 0; i < 8; ++i)
        bytes += QStringLiteral("12#%1,%2,%3\r\n").arg(i).arg(10 * i).arg(5 * i).toLatin1();
    for (int row = 1; row <= 20; ++row)
        bytes += "b," + QByteArray::number(row) + ',' + QByteArray::number(row) + "\r\n";
    return bytes;
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
private slots:
    void saveThenOpenRestoresEverything() {
        test::Program program;
        MainWindow &window = program.start();
        QVERIFY(test::writeFile(program.folder() + "/in.tnq", sampleFile()));
        window.files().commandLineFile = program.folder() + "/in.tnq";
        window.files().openFile();
        QCOMPARE(window.memory().caption(), baseTitle() + " [in.tnq]");

        window.memory().setCurrentFile(QString());
        const QString path = program.folder() + "/out.tnq";
        program.fileDialogs.choose(path);
        program.trigger("mnuSave"); // no current file: Save As
        const FileDialogRequest &asked = program.fileDialogs.requests.last();
        QCOMPARE(asked.initialName + " in " + asked.initialFolder,
                 "Tonaq Config File in " + program.folder());
        QCOMPARE(readFile(path), sampleFile());
        QCOMPARE(program.status(), "File Saved. Ready.");

        program.trigger("mnuOpen"); // cancelled: starts in the current file's folder
        QCOMPARE(program.fileDialogs.requests.last().initialFolder, program.folder() + "/");
        QCOMPARE(program.logLines(), QStringList{});
    }

    void open_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("tones"); // locations 1 and 8's tones after ("kept": unchanged)
        QTest::addColumn<QString>("lastCell"); // sequence row 20's duration afterwards
        QTest::addColumn<QString>("logged");
        const QByteArray sample = sampleFile();
        const QString pastEnd = "Error 62 (Input past end of file) in procedure mnuOpen_Click of "
                                "Form frmTonaq on line %1";
        QTest::newRow("27 lines") << sample.left(sample.lastIndexOf("b,20")) << true << "12#0 12#7"
                                  << QString() << pastEnd.arg(90);
        // The table is emptied before it is filled: a file that ends early leaves no old texts.
        QTest::newRow("5 lines") << sample.left(sample.indexOf("12#5")) << true << "12#0 "
                                 << QString() << pastEnd.arg(80);
        // A first field of 10 MB was read only as far as 1 MiB, losing every later field.
        QTest::newRow("10 MB first field")
            << QByteArray(10 << 20, '1') + sample.mid(4) << true << QString(20, u'1') + " 12#7"
            << "20" << QString();
        // Readable to the length test but not to open: it must change nothing.
        QTest::newRow("unreadable") << sample << false << "kept kept" << QString() << QString();
    }

    void open() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        test::Program program;
        MainWindow &window = program.start();
        window.memory().setText(0, MemoryModel::Text::Tones, "kept");
        window.memory().setText(7, MemoryModel::Text::Tones, "kept");
        const QString path = program.folder() + "/site.tnq";
        QVERIFY(test::writeFile(path, bytes));
        setMode(path, readable ? 0644 : 0);
        program.fileDialogs.choose(path);
        triggerAsOrdinaryUser(program, "mnuOpen");
        const MemoryModel &memory = window.memory();
        QTEST(memory.location(0).tones + u' ' + memory.location(7).tones, "tones");
        QTEST(memory.cell(20, 2), "lastCell");
        QFETCH(QString, logged);
        QCOMPARE(program.logLines(), logged.isEmpty() ? QStringList{} : QStringList{logged});
        if (!readable) QCOMPARE(memory.currentFile(), QString());
    }

    void save_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<int>("sizeLimit");
        QTest::addColumn<QString>("logged"); // error number and text; empty: saved
        // The atomic save needs a new file beside the old one; where the folder takes none, the
        // file the user may write is written in place.
        QTest::newRow("read-only folder, writable file") << 0555 << 0666 << 0 << "";
        QTest::newRow("read-only file") << 0777 << 0444 << 0 << "70 (Permission denied)";
        QTest::newRow("read-only both") << 0555 << 0444 << 0 << "70 (Permission denied)";
        QTest::newRow("full disk") << 0777 << 0666 << 1000 << "61 (Disk full)";
    }

    void save() {
        QFETCH(int, sizeLimit);
        QFETCH(QString, logged);
        test::Program program;
        MainWindow &window = program.start();
        const QString folder = program.folder() + "/data";
        const QString path = folder + "/site.tnq";
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(test::writeFile(path, "old"));
        window.memory().setCurrentFile(path);
        window.memory().setText(0, MemoryModel::Text::Tones, QString(20, u'5'));
        for (int row = 1; row <= 20; ++row)
            window.memory().setCell(row, 2, QString(60, u'9'));
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        setMode(folder, folderMode);
        setMode(path, fileMode);
        triggerAsOrdinaryUser(program, "mnuSave", sizeLimit ? sizeLimit : RLIM_INFINITY);
        setMode(folder, 0777);
        const QStringList lines = program.logLines();
        QCOMPARE(lines.size(), logged.isEmpty() ? 0 : 1);
        if (logged.isEmpty()) {
            QVERIFY(readFile(path).startsWith("55555555555555555555,,\r\n"));
        } else {
            QCOMPARE(readFile(path), "old"); // a failed save leaves the old content whole
            QVERIFY2(lines[0].startsWith("Error " + logged + " in procedure mnuSave_Click"),
                     qPrintable(lines[0]));
        }
    }

    void errorLogHeaderOnceAndTheLineReached() {
        QTemporaryDir folder;
        const ErrorLog log(folder.path() + "/new/folder");
        for (int line : {20, 40})
            trapped(log, Procedure::ReadLocations, [line](Trap &at) {
                at(10);
                at(line);
                throw TonaqError(ErrorCode::ReplyTooShort);
            });
        const QList<QByteArray> lines = readFile(log.filePath()).split('\n');
        QCOMPARE(lines.size(), 5); // four lines and the empty rest after the last CR LF
        QCOMPARE(lines[0], (baseTitle() + " Error Log\r").toLatin1());
        QCOMPARE(lines[1], QByteArray(32, '=') + '\r');
        QVERIFY(lines[3].endsWith(" Error 9 (Subscript out of range) in procedure ReadDefaults of "
                                  "Form frmTonaq on line 40\r"));
        // A log that cannot be written is passed over.
        ErrorLog(log.filePath() + "/under/a/file").logError("lost");
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
