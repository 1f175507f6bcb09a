#include "app/errorlog.h"
#include "app/trap.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tonaq;

class TestErrorLog : public QObject {
    Q_OBJECT
private slots:
    void stamp_data();
    void stamp();
    void line_data();
    void line();
    void headerOnlyIntoAnEmptyFile();
    void trapLogsTheLineReachedAndLeaves();
    void unwritableLogIsIgnored();
};

void TestErrorLog::stamp_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QChar>("dateSeparator");
    QTest::addColumn<QChar>("timeSeparator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("us morning") << QDateTime(QDate(2026, 3, 3), QTime(9, 5)) << QChar(u'/')
                                << QChar(u':') << "3/03/2026 09:05";
    QTest::newRow("december evening") << QDateTime(QDate(2026, 12, 31), QTime(23, 59))
                                      << QChar(u'/') << QChar(u':') << "12/31/2026 23:59";
    QTest::newRow("midnight, locale separators") << QDateTime(QDate(2027, 1, 9), QTime(0, 0))
                                                 << QChar(u'.') << QChar(u'.') << "1.09.2027 00.00";
}

void TestErrorLog::stamp() {
    QFETCH(QDateTime, when);
    QFETCH(QChar, dateSeparator);
    QFETCH(QChar, timeSeparator);
    QFETCH(QString, expected);
    QCOMPARE(logStamp(when, dateSeparator, timeSeparator), expected);
}

void TestErrorLog::line_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("procedure");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("expected");
    QTest::newRow("port") << 8015 << "Could not open the port"
                          << "COMPort_Click"
                          << "Form frmTonaq"
                          << "Error 8015 (Could not open the port) in procedure COMPort_Click of "
                             "Form frmTonaq on line 30";
    QTest::newRow("empty description")
        << 62 << ""
        << "mnuOpen_Click"
        << "Form frmTonaq"
        << "Error 62 () in procedure mnuOpen_Click of Form frmTonaq on line 30";
    QTest::newRow("negative, module") << -5 << "x"
                                      << "OpenDialog"
                                      << "Module modDLG"
                                      << "Error -5 (x) in procedure OpenDialog of Module modDLG "
                                         "on line 30";
}

void TestErrorLog::line() {
    QFETCH(int, number);
    QFETCH(QString, description);
    QFETCH(QString, procedure);
    QFETCH(QString, owner);
    QFETCH(QString, expected);
    QCOMPARE(errorLine(number, description, procedure, owner, 30), expected);
}

void TestErrorLog::headerOnlyIntoAnEmptyFile() {
    QTemporaryDir folder;
    const ErrorLog log(folder.path() + QStringLiteral("/new/folder"));
    log.LogError(QStringLiteral("first"));
    log.LogError(QStringLiteral("second"));
    QFile file(log.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 5); // four lines and the empty rest after the last CR LF
    QCOMPARE(lines[0], QByteArray("Tonaq v1.0.23 Error Log\r"));
    QCOMPARE(lines[1], QByteArray(32, '=') + '\r');
    QVERIFY(lines[2].endsWith(" first\r"));
    QVERIFY(lines[3].endsWith(" second\r"));
    QVERIFY(lines[4].isEmpty());
}

void TestErrorLog::trapLogsTheLineReachedAndLeaves() {
    QTemporaryDir folder;
    const ErrorLog log(folder.path());
    bool ranPastFailure = false;
    const bool completed = trapped(log, "ReadDefaults", "Form frmTonaq", [&](Trap &at) {
        at(10);
        at(40);
        throw TonaqError(ErrorCode::ReplyTooShort);
        ranPastFailure = true;
    });
    QVERIFY(!completed);
    QVERIFY(!ranPastFailure);
    QFile file(log.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().endsWith(" Error 9 (Subscript out of range) in procedure ReadDefaults "
                                    "of Form frmTonaq on line 40\r\n"));
}

void TestErrorLog::unwritableLogIsIgnored() {
    QTemporaryDir folder;
    QFile blocker(folder.path() + QStringLiteral("/file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder path that runs through a plain file can never be created or written.
    const ErrorLog log(blocker.fileName() + QStringLiteral("/log"));
    log.LogError(QStringLiteral("lost"));
    QVERIFY(!QFile::exists(log.filePath()));
}

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
