#include "multiplay/tonegrid.h"

#include <QHeaderView>

namespace tonaq {

ToneGrid::ToneGrid(QWidget *parent)
    : QTableWidget(kRows, kColumns, parent) {
    setObjectName(QStringLiteral("ToneGrid"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto *cell = new QTableWidgetItem;
            if (row == 0 || column == 0) {
                // The fixed row and column: shaded, never current.
                cell->setFlags(Qt::ItemIsEnabled);
                cell->setBackground(palette().button());
            }
            setItem(row, column, cell);
        }
    }
}

QString ToneGrid::TextMatrix(int row, int column) const {
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void ToneGrid::setTextMatrix(int row, int column, const QString &text) {
    if (QTableWidgetItem *cell = item(row, column)) cell->setText(text);
}

} // namespace tonaq
