#pragma once

#include "app/frmtonaq.h"
#include "config/configfile.h"
#include "memory/memorytableframe.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"
#include "program.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

// What the configuration-file tests share: the window's texts as one record, typing a record
// into the window, the File menu, and the files themselves.
namespace tonaq::test::config {

inline ConfigurationTexts windowTexts(FrmTonaq &window) {
    ConfigurationTexts texts;
    const MemoryTableFrame &table = window.memoryTable();
    for (int i = 0; i < 8; ++i)
        texts.locations[i] = {table.MemString(i)->text(), table.Length(i)->text(),
                              table.Space(i)->text()};
    const ToneGrid &grid = *window.multiPlay().toneGrid();
    for (int row = 1; row <= 20; ++row)
        texts.rows[row - 1] = {grid.TextMatrix(row, 1), grid.TextMatrix(row, 2),
                               grid.TextMatrix(row, 3)};
    return texts;
}

// The table is typed key by key; the grid, which has no in-place editor, is set cell by cell.
inline void enterTexts(FrmTonaq &window, const ConfigurationTexts &texts) {
    MemoryTableFrame &table = window.memoryTable();
    for (int i = 0; i < 8; ++i) {
        const LocationRow &row = texts.locations[i];
        for (auto [field, text] : {std::pair{table.MemString(i), row.memString},
                                   {table.Length(i), row.length},
                                   {table.Space(i), row.space}}) {
            field->clear();
            QTest::keyClicks(field, text);
        }
    }
    ToneGrid &grid = *window.multiPlay().toneGrid();
    for (int row = 1; row <= 20; ++row) {
        const GridRow &cells = texts.rows[row - 1];
        grid.setTextMatrix(row, 1, cells.tone);
        grid.setTextMatrix(row, 2, cells.duration);
        grid.setTextMatrix(row, 3, cells.space);
    }
}

// Every location and grid row filled, different for each seed.
inline ConfigurationTexts sampleTexts(int seed = 0) {
    const QString tones = QStringLiteral("0123456789*#ABCD");
    ConfigurationTexts texts;
    for (int i = 0; i < 8; ++i)
        texts.locations[i] = {tones.mid((i + seed) % 8, 3 + i), QString::number(100 + i + seed),
                              QString::number(50 + i)};
    for (int row = 0; row < 20; ++row)
        texts.rows[row] = {tones.mid((row + seed) % 16, 1), QString::number(200 + row),
                           QString::number(20 + row + seed)};
    return texts;
}

inline void triggerFileMenu(FrmTonaq &window, const char *name) {
    for (QAction *action : window.mnuFile()->actions()) {
        if (action->objectName() == QLatin1String(name)) return action->trigger();
    }
    QFAIL(name);
}

inline QList<bool> marks(FrmTonaq &window) {
    QList<bool> result;
    for (int i = 0; i < 8; ++i)
        result.append(window.memoryTable().Update(i)->isChecked());
    return result;
}

inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

inline void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace tonaq::test::config

Q_DECLARE_METATYPE(tonaq::ConfigurationTexts)
