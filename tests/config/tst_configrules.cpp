#include "app/tonaqerror.h"
#include "config/configfile.h"
#include "config/dialogrules.h"

#include <QBuffer>
#include <QTest>

using namespace tonaq;

namespace {

// Every field joined by "|", then "!" and the error number that ended the data.
QString allFields(QByteArray bytes) {
    QBuffer source(&bytes);
    source.open(QIODevice::ReadOnly);
    ConfigFieldReader reader(source);
    QStringList fields;
    try {
        for (int i = 0; i < 1000; ++i)
            fields << reader.next(100);
    } catch (const TonaqError &error) {
        fields << '!' + QString::number(error.number());
    }
    return fields.join(u'|');
}

// Reads the way the open command does: text by text, keeping what arrived before a failure.
ConfigurationTexts readConfiguration(QByteArray bytes) {
    ConfigurationTexts texts;
    QBuffer source(&bytes);
    source.open(QIODevice::ReadOnly);
    ConfigFieldReader reader(source);
    try {
        for (LocationRow &row : texts.locations)
            row = {reader.next(100), reader.next(100), reader.next(100)};
        for (GridRow &row : texts.rows)
            row = {reader.next(100), reader.next(100), reader.next(100)};
    } catch (const TonaqError &) {
    }
    return texts;
}

ConfigurationTexts sampleTexts() {
    ConfigurationTexts texts;
    for (int i = 0; i < 8; ++i)
        texts.locations[i] = {QStringLiteral("12#%1").arg(i), QString::number(100 + i), {}};
    for (int i = 0; i < 20; ++i)
        texts.rows[i] = {i % 2 ? QStringLiteral("b") : QString(), QString::number(i), "20"};
    return texts;
}

// "~" stands for NUL.
QString nuls(const char *text) {
    return QString::fromLatin1(text).replace(u'~', QChar(u'\0'));
}

const QString kTonaqFilter = QStringLiteral("Tonaq Files (*.tnq)|*.tnq|All Files (*.*)|*.*");

} // namespace

class TestConfigRules : public QObject {
    Q_OBJECT

private slots:
    void writesAndReadsBack() {
        ConfigurationTexts texts;
        texts.locations[0] = {"123", "100", "50"};
        texts.rows[0] = {"#", "200", "20"};
        const QByteArray empty = ",,\r\n";
        QCOMPARE(writeConfiguration(texts),
                 "123,100,50\r\n" + empty.repeated(7) + "#,200,20\r\n" + empty.repeated(19));
        QVERIFY(readConfiguration(writeConfiguration(sampleTexts())) == sampleTexts());

        texts.locations[0] = {"1,2", QString::fromUtf8("\xc3\xa9"),
                              QString::fromUtf8("\xe2\x82\xac")};
        const QByteArray bytes = writeConfiguration(texts);
        QVERIFY(bytes.startsWith("1,2,\xe9,?\r\n")); // the euro sign is not Latin-1
        // The comma shifts every later field one place on.
        const ConfigurationTexts read = readConfiguration(bytes);
        QCOMPARE(read.locations[0], (LocationRow{"1", "2", texts.locations[0].length}));
        QCOMPARE(read.locations[1], (LocationRow{"?", "", ""}));
    }

    void shortFileFillsAsFarAsItGot() {
        QByteArray bytes = writeConfiguration(sampleTexts());
        bytes.truncate(bytes.lastIndexOf("\r\n", bytes.size() - 3) + 2); // drop line 28
        QCOMPARE(allFields(bytes).count(u'|'), 81);
        ConfigurationTexts expected = sampleTexts();
        expected.rows[19] = {};
        QVERIFY(readConfiguration(bytes) == expected);
    }

    void fields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fields");
        QStringList all84;
        for (int i = 0; i < kConfigurationFieldCount; ++i)
            all84 << QString::number(i);
        QTest::newRow("all on one line")
            << all84.join(u',').toLatin1() << all84.join(u'|') + "|!62";
        QTest::newRow("Latin-1") << QByteArray("\xe9,\x80")
                                 << QString::fromUtf8("\xc3\xa9|\xc2\x80|!62");
        // clang-format off
        for (auto [bytes, fields] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"", "!62"}, {"a,b,c\r\n", "a|b|c|!62"}, {"a,b,c", "a|b|c|!62"},
                 {"a,b,", "a|b||!62"}, // a comma promises one more field
                 {"a\rb\nc\r\nd", "a|b|c|d|!62"}, {"a\r\n\r\nb", "a||b|!62"},
                 {" a ,\"b,c\"", " a |\"b|c\"|!62"}})
            // clang-format on
            QTest::newRow(bytes) << QByteArray(bytes) << QString(fields);
    }

    void fields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fields);
        QCOMPARE(allFields(bytes), fields);
    }

    void filterLookup_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("pair");
        const QString converted = convertFilterList(kTonaqFilter);
        QCOMPARE(converted, nuls("Tonaq Files (*.tnq)~*.tnq~All Files (*.*)~*.*~~"));
        // clang-format off
        for (auto [list, index, pair] : std::initializer_list<std::tuple<QString, int, const char *>>{
                 {converted, 1, "Tonaq Files (*.tnq)~*.tnq"}, {converted, 2, "All Files (*.*)~*.*"},
                 {converted, 3, "~"}, // the closing NUL after the last pair
                 {converted, 9, ""}, {converted, 0, ""}, {"", 1, ""}, {"Tonaq Files", 1, ""},
                 {nuls("a~b"), 1, "a~b"}, {nuls("a~b"), 2, ""}})
            // clang-format on
            QTest::addRow("%s, %d", qPrintable(QString(list).replace(QChar(u'\0'), u'~')), index)
                << list << index << nuls(pair);
    }

    void filterLookup() {
        QFETCH(QString, list);
        QFETCH(int, index);
        QFETCH(QString, pair);
        QCOMPARE(FilterLookup(list, index), pair);
    }

    void nameFiltersAndBuffers() {
        const auto filters = [](const char *list) {
            return qtNameFilters(convertFilterList(list)).join(u'|');
        };
        QCOMPARE(filters(kTonaqFilter.toLatin1()), "Tonaq Files (*.tnq)|All Files (*.*)");
        QCOMPARE(filters("Tonaq|*.tnq"), "Tonaq (*.tnq)");
        QCOMPARE(filters("Text (*.txt;*.log)|*.txt;*.log"), "Text (*.txt *.log)");
        QCOMPARE(filters("Text|*.txt; *.log"), "Text (*.txt *.log)");
        QCOMPARE(filters("Text (*.txt)|*.log"), "Text (*.txt) (*.log)");
        QCOMPARE(filters("A|*.a|B"), "A (*.a)");          // a lone description ends the list
        QCOMPARE(filters("A|*.a||*.b|C|*.c"), "A (*.a)"); // so does an empty item

        QCOMPARE(TrimAtNull("C:\\data\\site.tnq"), "C:\\data\\site.tnq");
        QCOMPARE(TrimAtNull("site.tnq" + QString(252, QChar(u'\0'))), "site.tnq");
        QVERIFY(fitsDialogBuffer(QString(260, u'x'), 0) &&
                !fitsDialogBuffer(QString(261, u'x'), 0));
        QVERIFY(fitsDialogBuffer(QString(8192, u'x'), OFN_ALLOWMULTISELECT));
        QCOMPARE(dialogBufferLength(openDialogFlags(false, true, false, false, 0)), 8192);
        QCOMPARE(dialogBufferLength(saveDialogFlags(true, 0x80006)), 260);
    }

    void flags_data() {
        QTest::addColumn<quint32>("flags");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("file open") << openDialogFlags(true, false, false, false, 0) << 0x1000u;
        QTest::newRow("open, all") << openDialogFlags(true, true, true, true, 0) << 0x1205u;
        QTest::newRow("open, no hook")
            << openDialogFlags(false, false, false, false, 0x80067) << 0x80007u;
        QTest::newRow("file save as") << saveDialogFlags(true, 0x80006) << 0x80006u;
        QTest::newRow("save hides read-only") << saveDialogFlags(false, 0) << 0x4u;
        QTest::newRow("save, no hook") << saveDialogFlags(true, 0x60) << 0x6u;
    }

    void flags() {
        QFETCH(quint32, flags);
        QFETCH(quint32, expected);
        QCOMPARE(flags, expected);
    }
};

QTEST_APPLESS_MAIN(TestConfigRules)
#include "tst_configrules.moc"
