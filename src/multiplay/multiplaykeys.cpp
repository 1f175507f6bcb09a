#include "app/frmtonaq.h"
#include "app/prompter.h"
#include "app/trap.h"
#include "multiplay/gridrules.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"

namespace tonaq {

namespace {
constexpr int kEnter = 13;
} // namespace

// Every character typed anywhere in the window edits the grid's current cell.
void MultiPlay::Form_KeyPress(int keyAscii) {
    trapped(m_main.errorLog(), "Form_KeyPress", "Form MultiPlay", [&](Trap &at) {
        at(10);
        CurCol = toneGrid()->currentColumn();
        CurRow = toneGrid()->currentRow();
        at(20);
        applyKey(keyAscii);
    });
}

void MultiPlay::applyKey(int keyAscii) {
    ToneGrid &grid = *toneGrid();
    if (CurRow < 0 || CurCol < 0) return; // no current cell
    const QString cell = grid.TextMatrix(CurRow, CurCol);
    if (keyAscii == kEnter) {
        const EnterOutcome outcome = applyEnter(CurRow, CurCol, cell);
        if (!outcome.message.isEmpty()) showError(outcome.message);
        if (outcome.corrected) grid.setTextMatrix(CurRow, CurCol, *outcome.corrected);
        if (outcome.row != CurRow || outcome.column != CurCol)
            grid.setCurrentCell(outcome.row, outcome.column);
        return;
    }
    const CellEdit edit = applyCharacter(CurCol, cell, keyAscii);
    if (!edit.message.isEmpty()) showError(edit.message);
    grid.setTextMatrix(CurRow, CurCol, edit.text);
}

void MultiPlay::showError(const QString &text) {
    m_main.prompter().ask(this, Message{text, QStringLiteral("ERROR")});
}

} // namespace tonaq
