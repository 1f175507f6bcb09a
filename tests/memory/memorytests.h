#pragma once

#include "app/frmtonaq.h"
#include "link/devicelink.h"
#include "memory/memorytableframe.h"
#include "program.h"
#include "sim/simulatedunit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

// What the memory tests share: the table as texts, the unit's memory as the table should show
// it, the wire traffic of a download, and a way to pull the unit out at a chosen moment.
namespace tonaq::test::memory {

constexpr int kRows = MemoryTableFrame::kRows;

// Starts the program, connects it to the unit on COM3 and forgets the handshake's bytes.
inline FrmTonaq &startConnected(test::Program &program, sim::SimulatedUnit &unit) {
    FrmTonaq &window = program.start();
    program.connectTo(3);
    unit.clearRecords();
    return window;
}

// Length, Space and String of row i.
inline QStringList rowTexts(const MemoryTableFrame &table, int i) {
    return {table.Length(i)->text(), table.Space(i)->text(), table.MemString(i)->text()};
}

inline QList<QStringList> tableTexts(const MemoryTableFrame &table) {
    QList<QStringList> rows;
    for (int i = 0; i < kRows; ++i)
        rows.append(rowTexts(table, i));
    return rows;
}

// A location as a download should put it into the table.
inline QStringList unitTexts(const sim::StoredLocation &location) {
    return {QString::number(location.lengthMs), QString::number(location.spaceMs),
            QString::fromLatin1(location.tones)};
}

inline QList<QStringList> unitTable(const sim::SimulatedUnit &unit) {
    QList<QStringList> rows;
    for (int i = 0; i < kRows; ++i)
        rows.append(unitTexts(unit.location(i)));
    return rows;
}

inline QList<bool> marks(const MemoryTableFrame &table) {
    QList<bool> result;
    for (int i = 0; i < kRows; ++i)
        result.append(table.Update(i)->isChecked());
    return result;
}

inline void setRow(MemoryTableFrame &table, int i, const QStringList &texts) {
    table.Length(i)->setText(texts.value(0));
    table.Space(i)->setText(texts.value(1));
    table.MemString(i)->setText(texts.value(2));
}

// A download's bytes: "@", CR LF, then "@", "V" and the digit of each location asked for.
inline QByteArray downloadTraffic(int locations = kRows) {
    QByteArray bytes = "@\r\n";
    for (int i = 0; i < locations; ++i)
        bytes += "@V" + QByteArray::number(i);
    return bytes;
}

// Pulls the unit out and lets the link notice, so the program's next command meets a port that
// is gone rather than racing the notice. False if the link never noticed.
[[nodiscard]] inline bool vanishNow(FrmTonaq &window, sim::SimulatedUnit &unit) {
    unit.vanish();
    return QTest::qWaitFor(
        [&] { return window.channel().link().state() == DeviceLink::State::Gone; });
}

// Runs action once, the first time box shows text (the status box, a table field).
template <class Action> void onText(QLineEdit *box, const QString &text, Action action) {
    auto done = std::make_shared<bool>(false);
    QObject::connect(box, &QLineEdit::textChanged, box, [=](const QString &now) mutable {
        if (*done || now != text) return;
        *done = true;
        action();
    });
}

// Every text the status box showed, in order.
inline std::shared_ptr<QStringList> recordStatus(FrmTonaq &window) {
    auto shown = std::make_shared<QStringList>();
    QObject::connect(window.StatusBox(), &QLineEdit::textChanged, window.StatusBox(),
                     [shown](const QString &text) { shown->append(text); });
    return shown;
}

inline QString logLine(int number, const QString &description, const char *procedure, int line) {
    return QStringLiteral("Error %1 (%2) in procedure %3 of Form frmTonaq on line %4")
        .arg(number)
        .arg(description, QLatin1String(procedure))
        .arg(line);
}

} // namespace tonaq::test::memory
