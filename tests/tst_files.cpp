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
const auto setMode = [](const QString &path, int mode) {
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
};

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

    void openAndSave_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QByteArray>("bytes");  // the file before
        QTest::addColumn<QList<int>>("limits"); // the folder's mode, the file's, its size limit
        // Locations 1 and 8's tones, row 20's duration (its first 2 digits), and after a save the
        // file's first 8 bytes; then the line logged.
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("logged");
        const QByteArray sample = sampleFile();
        const QString pastEnd = "Error 62 (Input past end of file) in procedure mnuOpen_Click of "
                                "Form frmTonaq on line %1";
        const QString kept = QString(20, u'5') + " kept 99 ", saved = kept + "55555555";
        const auto row = [](const char *name, const char *item, const QByteArray &bytes,
                            const QList<int> &limits, const QString &after,
                            const QString &logged = {}) {
            QTest::newRow(name) << item << bytes << limits << after << logged;
        };
        const QList<int> readable{0777, 0644, 0};
        row("open 27 lines", "mnuOpen", sample.left(sample.lastIndexOf("b,20")), readable,
            "12#0 12#7  ", pastEnd.arg(90));
        // The table is emptied before it is filled: a file that ends early leaves no old texts.
        row("open 5 lines", "mnuOpen", sample.left(sample.indexOf("12#5")), readable, "12#0   ",
            pastEnd.arg(80));
        // A first field of 10 MB was read only as far as 1 MiB, losing every later field.
        row("open a 10 MB first field", "mnuOpen", QByteArray(10 << 20, '1') + sample.mid(4),
            readable, QString(20, u'1') + " 12#7 20 ");
        // Readable to the length test but not to open: it must change nothing.
        row("open unreadable", "mnuOpen", sample, {0777, 0, 0}, kept);
        // The atomic save needs a new file beside the old one; where the folder takes none, the
        // file the user may write is written in place. A failed save leaves the old file whole.
        row("save, read-only folder, writable file", "mnuSave", "old", {0555, 0666, 0}, saved);
        const QString denied = "Error 70 (Permission denied) in procedure mnuSave_Click";
        row("save a read-only file", "mnuSave", "old", {0777, 0444, 0}, kept + "old", denied);
        row("save, read-only both", "mnuSave", "old", {0555, 0444, 0}, kept + "old", denied);
        row("save to a full disk", "mnuSave", "old", {0777, 0666, 1000}, kept + "old",
            "Error 61 (Disk full) in procedure mnuSave_Click");
    }

    // As an ordinary user (root reads and writes whatever the modes say), writes beyond the size
    // limit failing as on a full disk.
    void openAndSave() {
        QFETCH(QString, item);
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, limits);
        QFETCH(QString, logged);
        test::Program program;
        MemoryModel &memory = program.start().memory();
        const QString folder = program.folder() + "/data", path = folder + "/site.tnq";
        QVERIFY(QDir().mkpath(folder) && test::writeFile(path, bytes));
        memory.setText(0, MemoryModel::Text::Tones, QString(20, u'5'));
        memory.setText(7, MemoryModel::Text::Tones, "kept");
        for (int row = 1; row <= 20; ++row)
            memory.setCell(row, 2, QString(60, u'9'));
        item == "mnuSave" ? memory.setCurrentFile(path) : program.fileDialogs.choose(path);
        setMode(program.folder(), 0755);
        setMode(program.logFolder(), 0777);
        setMode(folder, limits[0]);
        setMode(path, limits[1]);
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || ::seteuid(65534) == 0); // nobody
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{limits[2] ? rlim_t(limits[2]) : old.rlim_max, old.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // fail the write, not the process
        setrlimit(RLIMIT_FSIZE, &limit);
        program.trigger(item);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        if (root) [[maybe_unused]]
            const int back = ::seteuid(0);
        setMode(folder, 0777);
        QTEST(QStringList({memory.location(0).tones, memory.location(7).tones,
                           memory.cell(20, 2).left(2),
                           item == "mnuSave" ? QString::fromLatin1(readFile(path).left(8)) : ""})
                  .join(u' '),
              "after");
        QCOMPARE(program.logLines().size(), logged.isEmpty() ? 0 : 1);
        QVERIFY2(program.logLines().value(0).startsWith(logged),
                 qPrintable(program.logLines().value(0)));
        if (limits[1] == 0) QCOMPARE(memory.currentFile(), QString());
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
