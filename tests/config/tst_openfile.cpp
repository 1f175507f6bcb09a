#include "app/basetitle.h"
#include "config/dialogrules.h"
#include "configtests.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tonaq;
using namespace tonaq::test::config;

namespace {

const QStringList kTonaqFilters{"Tonaq Files (*.tnq)", "All Files (*.*)"};

// The first n lines of a file that Save writes.
QByteArray firstLines(const ConfigurationTexts &texts, int n) {
    const QList<QByteArray> lines = writeConfiguration(texts).split('\n');
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes += lines[i] + '\n';
    return bytes;
}

} // namespace

class TestOpenFile : public QObject {
    Q_OBJECT

private slots:
    void saveThenOpenRestoresEveryText_data() {
        QTest::addColumn<ConfigurationTexts>("texts");
        QTest::newRow("every row filled") << sampleTexts(3);
        QTest::newRow("empty table and grid") << ConfigurationTexts{};
        ConfigurationTexts edges = sampleTexts();
        edges.locations[0] = {"1234567890*#ABCDabcd", "65535", "0"};
        edges.locations[7] = {" 1 ", "\"2\"", ""};
        edges.rows[4] = {QString::fromUtf8("\xc3\xa9"), QString(40, u'9'), {}};
        edges.rows[19] = {{}, {}, "20"};
        QTest::newRow("limits, blanks, quotes, Latin-1") << edges;
    }

    void saveThenOpenRestoresEveryText() {
        QFETCH(ConfigurationTexts, texts);
        QTemporaryDir dir;
        const QString path = dir.filePath("site.tnq");
        {
            test::Program program;
            FrmTonaq &window = program.start();
            enterTexts(window, texts);
            program.fileDialogs.choose(path);
            triggerFileMenu(window, "mnuSave");
            QCOMPARE(fileBytes(path), writeConfiguration(texts));
            QCOMPARE(program.status(), QStringLiteral("File Saved. Ready."));
        }
        test::Program program;
        FrmTonaq &window = program.start();
        program.fileDialogs.choose(path);
        triggerFileMenu(window, "mnuOpen");

        QVERIFY(windowTexts(window) == texts);
        QCOMPARE(window.CurrentFile, path);
        QCOMPARE(window.windowTitle(), captionFor(path, false));
        QCOMPARE(program.status(), QStringLiteral("Ready"));
        // The caption is clean, yet every row that took a text is marked for upload.
        for (int i = 0; i < 8; ++i) {
            const LocationRow &row = texts.locations[i];
            if (!(row == LocationRow{})) QVERIFY2(marks(window)[i], qPrintable(QString::number(i)));
        }
        QVERIFY(program.logLines().isEmpty());
    }

    void openDialogSettings() {
        QTemporaryDir dir;
        const QString path = dir.filePath("site.tnq");
        writeFile(path, writeConfiguration(sampleTexts()));
        test::Program program;
        FrmTonaq &window = program.start();
        program.fileDialogs.choose(path);
        window.mnuOpen_Click();
        window.mnuOpen_Click(); // cancelled

        const QList<FileDialogRequest> &requests = program.fileDialogs.requests;
        QCOMPARE(requests.size(), 2);
        const FileDialogRequest &first = requests[0];
        QCOMPARE(first.kind, FileDialogRequest::Kind::Open);
        QCOMPARE(first.title, QStringLiteral("Open Tonaq File"));
        QCOMPARE(first.nameFilters, kTonaqFilters);
        QCOMPARE(first.filterIndex, 1);
        QCOMPARE(first.initialName, QString());
        QCOMPARE(first.defaultSuffix, QStringLiteral("tnq"));
        QCOMPARE(first.flags, OFN_FILEMUSTEXIST);
        QVERIFY(first.fileMustExist && !first.multiSelect && !first.readOnlyChecked);
        // With no file yet the program's folder; then the folder of the current file.
        QCOMPARE(first.initialFolder, window.seams().programFolder);
        QCOMPARE(requests[1].initialFolder, dir.path() + u'/');
    }

    void cancelledOpenChangesNothingButTheStatus() {
        QTemporaryDir dir;
        const QString path = dir.filePath("kept.tnq");
        writeFile(path, writeConfiguration(sampleTexts()));
        test::Program program;
        FrmTonaq &window = program.start();
        program.fileDialogs.choose(path);
        window.mnuOpen_Click();
        QTest::keyClicks(window.memoryTable().MemString(2), "D");
        const ConfigurationTexts before = windowTexts(window);
        const QString caption = window.windowTitle();
        window.SetStatus(QStringLiteral("Busy"));

        triggerFileMenu(window, "mnuOpen"); // nothing scripted: the operator cancels
        QVERIFY(windowTexts(window) == before);
        QCOMPARE(window.windowTitle(), caption);
        QCOMPARE(window.CurrentFile, path);
        QCOMPARE(program.status(), QStringLiteral("Ready"));
    }

    void oddFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ConfigurationTexts>("loaded");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("caption"); // "%1" stands for the file's name
        const ConfigurationTexts sample = sampleTexts(5);
        const QString clean = BaseTitle() + " [%1]";
        const QString changed = BaseTitle() + " [%1*]";
        const QString pastEnd = "Error 62 (Input past end of file) in procedure mnuOpen_Click of "
                                "Form frmTonaq on line %1";

        ConfigurationTexts nineteenRows = sample;
        nineteenRows.rows[19] = {};
        QTest::newRow("27 lines") << firstLines(sample, 27) << nineteenRows << pastEnd.arg(90)
                                  << changed;
        ConfigurationTexts fiveLocations;
        std::copy_n(sample.locations.begin(), 5, fiveLocations.locations.begin());
        QTest::newRow("5 lines") << firstLines(sample, 5) << fiveLocations << pastEnd.arg(80)
                                 << changed;
        // Only Clear changed the table, before the file became the current one.
        QTest::newRow("empty file")
            << QByteArray() << ConfigurationTexts{} << pastEnd.arg(80) << BaseTitle() + " [*]";

        QByteArray oneLine = writeConfiguration(sample);
        oneLine.replace("\r\n", ",");
        QTest::newRow("84 fields on one line") << oneLine << sample << QString() << clean;
        QTest::newRow("line feeds only")
            << writeConfiguration(sample).replace("\r\n", "\n") << sample << QString() << clean;
        QTest::newRow("text after the 84th field") << writeConfiguration(sample) + "junk,,\r\n"
                                                   << sample << QString() << clean;

        ConfigurationTexts tooLong = sample;
        tooLong.locations[1] = {QString(25, u'1'), "1234567", "98765"};
        tooLong.rows[0].duration = QString(30, u'7');
        ConfigurationTexts cut = tooLong;
        cut.locations[1] = {QString(20, u'1'), "12345", "98765"}; // the table's limits
        QTest::newRow("texts longer than the table takes")
            << writeConfiguration(tooLong) << cut << QString() << clean;
    }

    // Open sets each text as it reads it: a short file fills as far as it goes, then fails.
    void oddFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(ConfigurationTexts, loaded);
        QFETCH(QString, logged);
        QFETCH(QString, caption);
        QTemporaryDir dir;
        const QString path = dir.filePath("odd.tnq");
        writeFile(path, bytes);
        test::Program program;
        FrmTonaq &window = program.start();
        enterTexts(window, sampleTexts(1)); // all of it replaced or emptied
        program.fileDialogs.choose(path);
        triggerFileMenu(window, "mnuOpen");

        QVERIFY(windowTexts(window) == loaded);
        QCOMPARE(window.CurrentFile, path);
        QCOMPARE(program.logLines(), logged.isEmpty() ? QStringList{} : QStringList{logged});
        // A failed open leaves the caption as the table's changes left it.
        QCOMPARE(window.windowTitle(), caption.arg("odd.tnq"));
    }

    void commaInATextShiftsLaterFields() {
        QTemporaryDir dir;
        const QString path = dir.filePath("comma.tnq");
        test::Program writer;
        enterTexts(writer.start(), sampleTexts());
        QLineEdit *first = writer.window().memoryTable().MemString(0);
        first->clear();
        QTest::keyClicks(first, "1,2");
        writer.fileDialogs.choose(path);
        writer.window().mnuSave_Click();

        test::Program program;
        FrmTonaq &window = program.start(QStringLiteral("\"%1\"").arg(path));
        const ConfigurationTexts saved = sampleTexts();
        const MemoryTableFrame &table = window.memoryTable();
        QCOMPARE(table.MemString(0)->text(), QStringLiteral("1"));
        QCOMPARE(table.Length(0)->text(), QStringLiteral("2"));
        QCOMPARE(table.Space(0)->text(), saved.locations[0].length);
        QCOMPARE(table.MemString(1)->text(), saved.locations[0].space);
        QCOMPARE(windowTexts(window).rows[19].space, saved.rows[19].duration);
    }

    void commandLine_data() {
        QTest::addColumn<QString>("file");        // created in a temporary folder
        QTest::addColumn<QString>("commandLine"); // "%1" stands for that folder
        QTest::addColumn<bool>("loads");
        QTest::newRow("quoted path with blanks") << "with quotes.tnq"
                                                 << "\"%1/with quotes.tnq\"" << true;
        QTest::newRow("quotes anywhere") << "ab.tnq"
                                         << "%1/a\"b.tnq\"" << true;
        QTest::newRow("missing file") << "other.tnq"
                                      << "\"%1/missing.tnq\"" << false;
        QTest::newRow("a folder") << "other.tnq"
                                  << "\"%1\"" << false;
    }

    // A file named on the command line opens at start-up without a dialog.
    void commandLine() {
        QFETCH(QString, file);
        QFETCH(QString, commandLine);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        writeFile(dir.filePath(file), writeConfiguration(sampleTexts(2)));
        test::Program program;
        FrmTonaq &window = program.start(commandLine.arg(dir.path()));

        QVERIFY(program.fileDialogs.requests.isEmpty());
        QVERIFY(program.prompter.shown.isEmpty());
        QVERIFY(window.CommandLineFile.isEmpty());
        QCOMPARE(windowTexts(window) == sampleTexts(2), loads);
        QCOMPARE(window.CurrentFile, loads ? dir.filePath(file) : QString());
        QCOMPARE(window.windowTitle(), loads ? captionFor(dir.filePath(file), false) : BaseTitle());
        QCOMPARE(program.status(), QStringLiteral("Ready"));
        QVERIFY(program.logLines().isEmpty());
    }
};

QTEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
