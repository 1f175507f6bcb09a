#include "app/basetitle.h"
#include "config/dialogrules.h"
#include "config/filedialogs.h"
#include "configtests.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace tonaq;
using namespace tonaq::test::config;

namespace {

// Files may not grow past a few hundred bytes while it lives: a write failure that even
// root meets, standing for a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // fail the write instead of the process
        const rlimit limit{bytes, m_old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

enum class Fault { ReadOnlyFolder, FileSizeLimit };

// A table and grid whose file is far larger than the size limit, while a log line fits.
ConfigurationTexts largeTexts() {
    ConfigurationTexts texts = sampleTexts(4);
    for (GridRow &row : texts.rows)
        row.duration = QString(40, u'5');
    return texts;
}

} // namespace

class TestSaveFile : public QObject {
    Q_OBJECT

private slots:
    void saveWithoutAFileAsksForOne_data() {
        QTest::addColumn<QString>("before"); // the file opened first and then deleted
        QTest::addColumn<bool>("removeFolder");
        QTest::addColumn<bool>("choose");
        QTest::newRow("no file yet") << QString() << false << true;
        QTest::newRow("current file deleted") << "old.tnq" << false << true;
        QTest::newRow("its folder deleted") << "gone/old.tnq" << true << true;
        QTest::newRow("no file yet, cancelled") << QString() << false << false;
        QTest::newRow("file deleted, cancelled") << "old.tnq" << false << false;
    }

    // Save with no usable current file runs Save As, which proposes a name in the program's
    // folder, creates the chosen file and writes it.
    void saveWithoutAFileAsksForOne() {
        QFETCH(QString, before);
        QFETCH(bool, removeFolder);
        QFETCH(bool, choose);
        QTemporaryDir dir;
        test::Program program;
        FrmTonaq &window = program.start();
        QString current;
        if (!before.isEmpty()) {
            current = dir.filePath(before);
            QDir().mkpath(QFileInfo(current).path());
            writeFile(current, writeConfiguration(sampleTexts()));
            program.fileDialogs.choose(current);
            window.mnuOpen_Click();
            removeFolder ? QDir(QFileInfo(current).path()).removeRecursively()
                         : QFile::remove(current);
            program.fileDialogs.requests.clear();
        }
        enterTexts(window, sampleTexts(7));
        const QString dirty = window.windowTitle();
        window.SetStatus(QStringLiteral("Busy"));
        const QString chosen = dir.filePath("chosen.tnq");
        if (choose) program.fileDialogs.choose(chosen);
        triggerFileMenu(window, "mnuSave");

        QCOMPARE(program.fileDialogs.requests.size(), 1);
        const FileDialogRequest &request = program.fileDialogs.requests.first();
        QCOMPARE(request.kind, FileDialogRequest::Kind::Save);
        QCOMPARE(request.initialName,
                 before.isEmpty() ? QStringLiteral("Tonaq Config File") : current);
        QCOMPARE(request.initialFolder, window.seams().programFolder);
        QCOMPARE(request.flags, OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        QVERIFY(request.overwritePrompt);
        QCOMPARE(request.defaultSuffix, QStringLiteral("tnq"));
        QCOMPARE(request.nameFilters, (QStringList{"Tonaq Files (*.tnq)", "All Files (*.*)"}));
        QVERIFY(!request.title.isEmpty());

        if (choose) {
            QCOMPARE(fileBytes(chosen), writeConfiguration(sampleTexts(7)));
            QCOMPARE(window.CurrentFile, chosen);
            QCOMPARE(window.windowTitle(), captionFor(chosen, false));
            QCOMPARE(program.status(), QStringLiteral("File Saved. Ready."));
        } else {
            QVERIFY(!QFile::exists(chosen));
            QCOMPARE(window.CurrentFile, current);
            QCOMPARE(window.windowTitle(), dirty);
            QCOMPARE(program.status(), QStringLiteral("Busy"));
        }
        QVERIFY(program.logLines().isEmpty());
    }

    void saveAsReplacesAnExistingFileWhole() {
        QTemporaryDir dir;
        const QString path = dir.filePath("big.tnq");
        writeFile(path, writeConfiguration(largeTexts()));
        test::Program program;
        FrmTonaq &window = program.start();
        program.fileDialogs.choose(path);
        triggerFileMenu(window, "mnuSaveAs");
        QCOMPARE(fileBytes(path), QByteArray(",,\r\n").repeated(28));
        QCOMPARE(window.CurrentFile, path);
    }

    void saveAsIntoAMissingFolderFails() {
        QTemporaryDir dir;
        test::Program program;
        FrmTonaq &window = program.start();
        enterTexts(window, sampleTexts());
        const QString dirty = window.windowTitle();
        program.fileDialogs.choose(dir.filePath("missing/site.tnq"));
        triggerFileMenu(window, "mnuSaveAs");
        QCOMPARE(program.logLines(),
                 QStringList{"Error 76 (Path not found) in procedure mnuSaveAs_Click of Form "
                             "frmTonaq on line 30"});
        QVERIFY(window.CurrentFile.isEmpty());
        QCOMPARE(window.windowTitle(), dirty);
    }

    void failedSaveKeepsTheOldFile_data() {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("folder refuses writing") << Fault::ReadOnlyFolder;
        QTest::newRow("write fails halfway") << Fault::FileSizeLimit;
    }

    // Save writes a new file beside the old one and swaps them only when it is complete.
    void failedSaveKeepsTheOldFile() {
        QFETCH(Fault, fault);
        if (fault == Fault::ReadOnlyFolder && geteuid() == 0)
            QSKIP("Folder permissions do not bind root");
        QTemporaryDir dir;
        const QString path = dir.filePath("site.tnq");
        const QByteArray old = writeConfiguration(sampleTexts());
        writeFile(path, old);
        test::Program program;
        FrmTonaq &window = program.start();
        program.fileDialogs.choose(path);
        window.mnuOpen_Click();
        enterTexts(window, largeTexts());
        const QString dirty = window.windowTitle();
        QVERIFY(dirty.endsWith(QStringLiteral("*]")));
        {
            const QFile::Permissions permissions = QFile::permissions(dir.path());
            std::unique_ptr<FileSizeLimit> limit;
            if (fault == Fault::ReadOnlyFolder)
                QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            else
                limit = std::make_unique<FileSizeLimit>(1024);
            triggerFileMenu(window, "mnuSave");
            QFile::setPermissions(dir.path(), permissions);
        }
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"site.tnq"}); // no leftovers
        QCOMPARE(window.windowTitle(), dirty);
        QVERIFY(program.status() != QStringLiteral("File Saved. Ready."));
        const QStringList log = program.logLines();
        QCOMPARE(log.size(), 1);
        QVERIFY2(
            log.first().contains(QStringLiteral(" in procedure mnuSave_Click of Form frmTonaq")),
            qPrintable(log.first()));
    }

    void quitQuestion_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("changed, Yes") << true << MsgAnswer::Yes << true;
        QTest::newRow("changed, No") << true << MsgAnswer::No << false;
        QTest::newRow("unchanged asks nothing") << false << MsgAnswer::Yes << false;
    }

    void quitQuestion() {
        QFETCH(bool, edit);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("site.tnq");
        const QByteArray old = writeConfiguration(sampleTexts());
        writeFile(path, old);
        test::Program program;
        FrmTonaq &window = program.start(path);
        if (edit) QTest::keyClicks(window.memoryTable().Length(2), "9");
        const QByteArray edited = writeConfiguration(windowTexts(window));
        program.prompter.answers.enqueue(answer);
        triggerFileMenu(window, "mnuExit");

        QCOMPARE(program.prompter.texts(),
                 edit ? QStringList{"Save data before quitting?"} : QStringList{});
        QCOMPARE(fileBytes(path), saved ? edited : old);
        QVERIFY(program.fileDialogs.requests.isEmpty());
    }

    void dialogsStartInDocumentsWhereTheProgramFolderIsNotWritable() {
        QTemporaryDir dir;
        QCOMPARE(dialogFolderFor(dir.path()), QDir::toNativeSeparators(dir.path()));
        const QString documentsFolder =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        // Documents where the account has one, else its home.
        const QString documents =
            QFileInfo(documentsFolder).isDir() ? documentsFolder : QDir::homePath();
        QCOMPARE(dialogFolderFor(dir.filePath("missing")), documents);
        if (geteuid() != 0) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
            QCOMPARE(dialogFolderFor(dir.path()), documents);
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
};

QTEST_MAIN(TestSaveFile)
#include "tst_savefile.moc"
