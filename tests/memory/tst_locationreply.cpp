#include "memory/locationreply.h"

#include <QTest>

using namespace tonaq;

namespace {

// The parsed texts as one line: a missing text is "-", then the failed step as its number
// (0 no line 2, 1 Length, 2 Space, 3 String) or "ok".
QString summary(const LocationReply &reply) {
    QStringList parts;
    for (const auto &text : {reply.texts.length, reply.texts.space, reply.texts.string})
        parts << (text ? '[' + *text + ']' : QStringLiteral("-"));
    parts << (reply.failedStep ? QString::number(int(*reply.failedStep)) : QStringLiteral("ok"));
    return parts.join(u' ');
}

} // namespace

class TestLocationReply : public QObject {
    Q_OBJECT

    static void row(const char *name, const QString &lines23, const char *expected) {
        QTest::newRow(name) << "View\r\nLocation 0\r\n" + lines23 << QString(expected);
    }

private slots:
    void parse_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("expected");
        row("typical", "Length = 100ms : Space = 50ms\r\nString = 123#\r\n",
            "[100] [50] [123#] ok");
        row("blank before ms", "Length = 1200ms: Space = 80 ms\r\nString = 1",
            "[1200] [80] [1] ok");
        row("six digits stay",
            "Length = 123456ms:Space = 20ms\r\nString = ", "[123456] [20] [] ok");
        row("later lines ignored", "Length = 1:Space = 2\r\nString = A\r\nString = B",
            "[1] [2] [A] ok");
        row("later fields ignored", "Length = 1:Space = 2:x = 3\r\n9", "[1] [2] [9] ok");
        row("case-sensitive", "length = 5:SPACE = 6\r\nstring = 7",
            "[length = 5] [SPACE = 6] [string = 7] ok");
        row("only blanks trimmed", "\tLength = 5 :Space = 6\t\r\n  String = 7  ",
            "[\t5] [6\t] [7] ok");
        row("removal is one pass", "mmss:Space = 1\r\n", "[ms] [1] [] ok");
        QTest::newRow("lone CR and LF do not split")
            << "a\rb\nc\r\nd\r\nLength = 1:Space = 2\r\nString = 3"
            << "[1] [2] [3] ok";

        QTest::newRow("empty reply") << ""
                                     << "- - - 0";
        QTest::newRow("no line 2") << "a\r\nb\nLength = 1:Space = 2\nString = 3"
                                   << "- - - 0";
        row("empty line 2", "", "- - - 1");
        row("empty line 2, line 3", "\r\nString = 1", "- - - 1");
        row("no colon", "Length = 100ms\r\nString = 1", "[100] - - 2");
        row("colon only", ":", "[] [] - 3");
        row("no line 3", "Length = 100ms : Space = 50ms", "[100] [50] - 3");
    }

    void parse() {
        QFETCH(QString, reply);
        QFETCH(QString, expected);
        QCOMPARE(summary(parseLocationReply(reply)), expected);
    }
};

QTEST_APPLESS_MAIN(TestLocationReply)
#include "tst_locationreply.moc"
