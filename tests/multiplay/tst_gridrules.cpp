#include "multiplay/gridrules.h"

#include <QTest>

using namespace tonaq;

namespace {

const QString kDigits = QStringLiteral("Only numbers 0 - 9 allowed");
const QString kRange = QStringLiteral("Only numbers between 20 and 65535 allowed.");

} // namespace

class TestGridRules : public QObject {
    Q_OBJECT

private slots:
    void character_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("keyAscii");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        // clang-format off
        for (auto [column, cell, key, text, refused] : std::initializer_list<
                 std::tuple<int, const char *, int, const char *, bool>>{
                 {1, "", '5', "5", false},         {1, "7", '#', "#", false},
                 {1, "", 'b', "b", false},         {1, "7", 'x', "", false}, // silently emptied
                 {1, "7", 8, "", false},           {1, "1", 'E', "", false},
                 {2, "7000", '0', "70000", false}, {2, "70000", '1', "70000", false},
                 {2, "abcdef", '1', "abcdef", false}, {2, "1234", 8, "", false},
                 {2, "123", 'x', "", true},        {2, "12", '.', "", true},
                 {3, "", '0', "0", false},         {3, "12345", '6', "12345", false},
                 {3, "50", 8, "", false},          {3, "123", 'x', "123", true},
                 {0, " 1", '5', " 1", false},      {4, "a", 'x', "a", false}})
            // clang-format on
            QTest::addRow("column %d, \"%s\", key %d", column, cell, key)
                << column << QString(cell) << key << QString(text) << refused;
    }

    void character() {
        QFETCH(int, column);
        QFETCH(QString, cell);
        QFETCH(int, keyAscii);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        const CellEdit edit = applyCharacter(column, cell, keyAscii);
        QCOMPARE(edit.text, text);
        QCOMPARE(edit.message, refused ? kDigits : QString());
    }

    void enter_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("corrected"); // null: left alone, and no message
        QTest::addColumn<QPoint>("to");         // the current cell afterwards: column, row
        // clang-format off
        for (auto [row, column, cell, corrected, to] : std::initializer_list<
                 std::tuple<int, int, const char *, const char *, QPoint>>{
                 {5, 1, "", nullptr, {2, 5}},      {1, 1, "#", nullptr, {2, 1}},
                 {1, 2, "", "20", {2, 1}},         {3, 2, "19", "20", {2, 3}},
                 {3, 2, "20", nullptr, {3, 3}},    {3, 2, "65535", nullptr, {3, 3}},
                 {3, 2, "100ab", nullptr, {3, 3}}, {4, 3, "70000", "65535", {3, 4}},
                 {4, 3, "0", "20", {3, 4}},        {4, 3, "50", nullptr, {1, 5}},
                 {20, 3, "50", nullptr, {1, 1}},   {2, 1, "99999", "65535", {1, 2}}})
            // clang-format on
            QTest::addRow("row %d, column %d, \"%s\"", row, column, cell)
                << row << column << QString(cell) << QString(corrected) << to;
    }

    void enter() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, cell);
        QFETCH(QString, corrected);
        QFETCH(QPoint, to);
        const EnterOutcome outcome = applyEnter(row, column, cell);
        QCOMPARE(outcome.message, corrected.isNull() ? QString() : kRange);
        QCOMPARE(outcome.corrected.has_value(), !corrected.isNull());
        QCOMPARE(outcome.corrected.value_or(QString()), corrected);
        QCOMPARE(QPoint(outcome.column, outcome.row), to);
    }
};

QTEST_APPLESS_MAIN(TestGridRules)
#include "tst_gridrules.moc"
