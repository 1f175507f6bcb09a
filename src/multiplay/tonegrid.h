#pragma once

#include "base/limits.h"

#include <QTableWidget>

namespace tonaq {

// The sequence grid: 21 rows by 4 columns addressed by (row, column), row 0 holding the
// headings and column 0 the row numbers, both fixed: never current, always in sight. The
// program writes every cell; there is no in-place editor.
class ToneGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = kSequenceRows + 1; // row 0 holds the headings
    static constexpr int kColumns = 4;

    explicit ToneGrid(QWidget *parent = nullptr);

    QString textMatrix(int row, int column) const;
    void setTextMatrix(int row, int column, const QString &text);
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // Typing writes cells through the window's key handler; it must not jump to a cell whose
    // text starts with the typed character.
    void keyboardSearch(const QString &) override {}

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void keepOffFixedCells(int row, int column);
};

} // namespace tonaq
