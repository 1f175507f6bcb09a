#include "app/errorlog.h"
#include "config/dialogmodule.h"
#include "config/dialogrules.h"
#include "scriptedfiledialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tonaq;

namespace {

const QString kFilter = QStringLiteral("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*");
const QChar kNul(u'\0');

enum class Dialog { Open, Save };

// One dialog module with a scripted operator and a log of its own.
struct Module {
    QTemporaryDir logFolder;
    ErrorLog log{logFolder.path()};
    test::ScriptedFileDialogs dialogs;

    bool show(Dialog which, DialogSettings &settings) {
        const DialogHost host{dialogs, log};
        return which == Dialog::Open ? OpenDialog(host, settings) : SaveDialog(host, settings);
    }
    // The error lines, without the header and the date stamp.
    QStringList logLines() const {
        QFile file(log.filePath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        lines = lines.mid(2);
        lines.removeAll(QString());
        for (QString &line : lines)
            line = line.section(u' ', 2);
        return lines;
    }
};

DialogSettings tonaqSettings() {
    DialogSettings s;
    s.Filter = kFilter;
    s.InitDir = QStringLiteral("/data/sets/");
    s.DialogTitle = QStringLiteral("Pick one");
    s.DefaultExt = QStringLiteral("tnq");
    return s;
}

FileDialogAnswer answer(QStringList files, int filterIndex = 1, bool readOnly = false) {
    FileDialogAnswer a;
    a.accepted = true;
    a.files = std::move(files);
    a.filterIndex = filterIndex;
    a.readOnly = readOnly;
    return a;
}

} // namespace

class TestDialogModule : public QObject {
    Q_OBJECT

private slots:
    void flags_data() {
        QTest::addColumn<Dialog>("which");
        QTest::addColumn<bool>("option"); // FileMustExist for open, OverwritePrompt for save
        QTest::addColumn<bool>("multiSelect");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("hideReadOnly");
        QTest::addColumn<quint32>("given");
        QTest::addColumn<quint32>("shown");
        QTest::newRow("open as the file command asks")
            << Dialog::Open << true << false << false << false << 0u << 0x1000u;
        QTest::newRow("open, every option")
            << Dialog::Open << true << true << true << true << 0u << 0x1205u;
        QTest::newRow("open, hook and template dropped")
            << Dialog::Open << false << false << false << false << 0x80067u << 0x80007u;
        QTest::newRow("open, must-exist from the flags alone")
            << Dialog::Open << false << false << false << false << 0x1000u << 0x1000u;
        QTest::newRow("save as the file command asks")
            << Dialog::Save << true << false << false << false << 0x80006u << 0x80006u;
        QTest::newRow("save, read-only box always hidden")
            << Dialog::Save << false << false << false << false << 0u << 0x4u;
        QTest::newRow("save ignores the open options")
            << Dialog::Save << false << true << true << false << 0x60u << 0x4u;
    }

    // The computed flags reach the dialog and decide its options.
    void flags() {
        QFETCH(Dialog, which);
        QFETCH(bool, option);
        QFETCH(bool, multiSelect);
        QFETCH(bool, readOnly);
        QFETCH(bool, hideReadOnly);
        QFETCH(quint32, given);
        QFETCH(quint32, shown);
        Module module;
        DialogSettings s = tonaqSettings();
        (which == Dialog::Open ? s.FileMustExist : s.OverwritePrompt) = option;
        s.MultiSelect = multiSelect;
        s.ReadOnly = readOnly;
        s.HideReadOnly = hideReadOnly;
        s.Flags = given;
        module.show(which, s);

        QCOMPARE(module.dialogs.requests.size(), 1);
        const FileDialogRequest &request = module.dialogs.requests.first();
        QCOMPARE(request.flags, shown);
        QCOMPARE(request.kind == FileDialogRequest::Kind::Open, which == Dialog::Open);
        QCOMPARE(request.fileMustExist, bool(shown & OFN_FILEMUSTEXIST));
        QCOMPARE(request.multiSelect, bool(shown & OFN_ALLOWMULTISELECT));
        QCOMPARE(request.overwritePrompt, bool(shown & OFN_OVERWRITEPROMPT));
        QCOMPARE(request.readOnlyChecked, bool(shown & OFN_READONLY));
        QCOMPARE(request.hideReadOnly, bool(shown & OFN_HIDEREADONLY));
    }

    void requestCarriesTheSettings() {
        Module module;
        DialogSettings s = tonaqSettings();
        s.FileName = QStringLiteral("Tonaq Config File");
        s.Filter = QStringLiteral("Text (*.txt)|*.txt|Tonaq:*.tnq");
        s.FilterIndex = 2;
        module.show(Dialog::Save, s);
        const FileDialogRequest &request = module.dialogs.requests.value(0);
        QCOMPARE(request.title, QStringLiteral("Pick one"));
        // ":" splits like "|".
        QCOMPARE(request.nameFilters, (QStringList{"Text (*.txt)", "Tonaq (*.tnq)"}));
        QCOMPARE(request.filterIndex, 2);
        QCOMPARE(request.initialFolder, QStringLiteral("/data/sets/"));
        QCOMPARE(request.initialName, QStringLiteral("Tonaq Config File"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("tnq"));
    }

    void answers_data() {
        QTest::addColumn<Dialog>("which");
        QTest::addColumn<bool>("multiSelect");
        QTest::addColumn<FileDialogAnswer>("given");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("fileTitle");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<bool>("readOnly");
        const QString tonaqPair = QStringLiteral("Tonaq Files (*.tnq)") + kNul + "*.tnq";
        const QString allPair = QStringLiteral("All Files (*.*)") + kNul + "*.*";
        QTest::newRow("one file") << Dialog::Open << false << answer({"/data/site.tnq"}) << true
                                  << "/data/site.tnq"
                                  << "site.tnq" << tonaqPair << 1 << false;
        QTest::newRow("second filter")
            << Dialog::Save << false << answer({"/data/site"}, 2) << true << "/data/site"
            << "site" << allPair << 2 << false;
        QTest::newRow("read-only box left ticked")
            << Dialog::Open << false << answer({"/data/a.tnq"}, 1, true) << true << "/data/a.tnq"
            << "a.tnq" << tonaqPair << 1 << true;
        QTest::newRow("several files")
            << Dialog::Open << true << answer({"/data/a.tnq", "/data/b.tnq"}) << true
            << QStringLiteral("/data") + kNul + "a.tnq" + kNul + "b.tnq"
            << "" << tonaqPair << 1 << false;
        QTest::newRow("one of several allowed")
            << Dialog::Open << true << answer({"/data/a.tnq"}) << true << "/data/a.tnq"
            << "" << tonaqPair << 1 << false;
        QTest::newRow("cancel") << Dialog::Open << false << FileDialogAnswer{} << false << ""
                                << ""
                                << "" << 0 << false;
        QTest::newRow("cancel save") << Dialog::Save << false << FileDialogAnswer{} << false << ""
                                     << ""
                                     << "" << 0 << false;
        // The dialog's buffer cannot hold the path, so it comes back as a cancel.
        QTest::newRow("chosen path too long")
            << Dialog::Save << false << answer({"/" + QString(260, u'x')}) << false << ""
            << ""
            << "" << 0 << false;
    }

    void answers() {
        QFETCH(Dialog, which);
        QFETCH(bool, multiSelect);
        QFETCH(FileDialogAnswer, given);
        QFETCH(bool, result);
        Module module;
        module.dialogs.answers.enqueue(given);
        DialogSettings s = tonaqSettings();
        s.FileName = QStringLiteral("before.tnq");
        s.FileTitle = QStringLiteral("before.tnq");
        s.MultiSelect = multiSelect;
        s.Flags = 0x80000;
        QCOMPARE(module.show(which, s), result);
        QTEST(s.FileName, "fileName");
        QTEST(s.FileTitle, "fileTitle");
        QTEST(s.Filter, "filter");
        QTEST(s.FilterIndex, "filterIndex");
        QTEST(s.ReadOnly, "readOnly");
        QCOMPARE(bool(s.Flags & OFN_READONLY), s.ReadOnly);
        QCOMPARE(s.Flags != 0, result); // a cancel leaves no flags
        QVERIFY(module.logLines().isEmpty());
    }

    void initialTextsMustFitTheirBuffer_data() {
        QTest::addColumn<Dialog>("which");
        QTest::addColumn<bool>("multiSelect");
        QTest::addColumn<int>("nameLength");
        QTest::addColumn<int>("titleLength");
        QTest::addColumn<QString>("logged");
        QTest::newRow("open, 260") << Dialog::Open << false << 260 << 0 << "";
        QTest::newRow("open, 261")
            << Dialog::Open << false << 261 << 0
            << "Error 5 (Invalid procedure call or argument) in procedure OpenDialog of Module "
               "modDLG on line 20";
        QTest::newRow("open, title 261")
            << Dialog::Open << false << 0 << 261
            << "Error 5 (Invalid procedure call or argument) in procedure OpenDialog of Module "
               "modDLG on line 20";
        QTest::newRow("several, 8192") << Dialog::Open << true << 8192 << 8192 << "";
        QTest::newRow("several, 8193")
            << Dialog::Open << true << 8193 << 0
            << "Error 5 (Invalid procedure call or argument) in procedure OpenDialog of Module "
               "modDLG on line 20";
        QTest::newRow("save, 260") << Dialog::Save << false << 260 << 260 << "";
        QTest::newRow("save, 261")
            << Dialog::Save << false << 261 << 0
            << "Error 5 (Invalid procedure call or argument) in procedure SaveDialog of Module "
               "modDLG on line 20";
        QTest::newRow("save has no larger buffer")
            << Dialog::Save << true << 261 << 0
            << "Error 5 (Invalid procedure call or argument) in procedure SaveDialog of Module "
               "modDLG on line 20";
    }

    // A name that does not fit is a failure: logged, False, and no dialog is shown.
    void initialTextsMustFitTheirBuffer() {
        QFETCH(Dialog, which);
        QFETCH(bool, multiSelect);
        QFETCH(int, nameLength);
        QFETCH(int, titleLength);
        QFETCH(QString, logged);
        Module module;
        module.dialogs.choose(QStringLiteral("/data/chosen.tnq"));
        DialogSettings s = tonaqSettings();
        s.MultiSelect = multiSelect;
        s.FileName = QString(nameLength, u'n');
        s.FileTitle = QString(titleLength, u't');
        const bool fails = !logged.isEmpty();
        QCOMPARE(module.show(which, s), !fails);
        QCOMPARE(module.dialogs.requests.size(), fails ? 0 : 1);
        QCOMPARE(module.logLines(), fails ? QStringList{logged} : QStringList{});
        if (fails) QCOMPARE(s.FileName.size(), nameLength); // left as it was
    }
};

QTEST_MAIN(TestDialogModule)
#include "tst_dialogmodule.moc"
