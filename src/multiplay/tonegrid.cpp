#include "multiplay/tonegrid.h"

#include <QHeaderView>

namespace tonaq {

namespace {
// All 21 rows fit the grid's height, so the headings never scroll out of sight.
constexpr int kRowHeight = 16;
constexpr int kNumberColumnWidth = 34;
} // namespace

ToneGrid::ToneGrid(QWidget *parent)
    : QTableWidget(kRows, kColumns, parent) {
    setObjectName(QStringLiteral("ToneGrid"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false); // Tab leaves the grid, as it does every other control
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto *cell = new QTableWidgetItem;
            if (row == 0 || column == 0) {
                // The fixed row and column: shaded as buttons, with the buttons' text colour so
                // that they read in dark themes too; never current.
                cell->setFlags(Qt::ItemIsEnabled);
                cell->setBackground(palette().button());
                cell->setForeground(palette().buttonText());
            }
            setItem(row, column, cell);
        }
    }
    connect(this, &QTableWidget::currentCellChanged, this, &ToneGrid::keepOffFixedCells);
}

QString ToneGrid::textMatrix(int row, int column) const {
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void ToneGrid::setTextMatrix(int row, int column, const QString &text) {
    if (QTableWidgetItem *cell = item(row, column)) cell->setText(text);
}

void ToneGrid::setColumnAlignment(int column, Qt::Alignment alignment) {
    for (int row = 1; row < kRows; ++row) {
        if (QTableWidgetItem *cell = item(row, column)) cell->setTextAlignment(alignment);
    }
}

void ToneGrid::resizeEvent(QResizeEvent *event) {
    QTableWidget::resizeEvent(event);
    setColumnWidth(0, kNumberColumnWidth);
    const int dataWidth = (viewport()->width() - kNumberColumnWidth) / (kColumns - 1);
    for (int column = 1; column < kColumns; ++column)
        setColumnWidth(column, dataWidth);
}

void ToneGrid::keepOffFixedCells(int row, int column) {
    if (row == 0 || column == 0) setCurrentCell(std::max(row, 1), std::max(column, 1));
}

} // namespace tonaq
