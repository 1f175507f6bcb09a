// The MultiPlay window's key handler: every character typed anywhere in the window edits the
// grid's current cell.
#include "base/keyascii.h"
#include "base/prompter.h"
#include "base/trap.h"
#include "model/memorymodel.h"
#include "multiplay/gridrules.h"
#include "multiplay/multiplay.h"
#include "multiplay/tonegrid.h"

namespace tonaq {

void MultiPlay::Form_KeyPress(int keyAscii) {
    trapped(m_log, "Form_KeyPress", kMultiPlayForm, [&](Trap &at) {
        at(10);
        CurCol = m_grid->currentColumn();
        CurRow = m_grid->currentRow();
        at(20);
        applyKey(keyAscii);
    });
}

void MultiPlay::applyKey(int keyAscii) {
    if (CurRow < 0 || CurCol < 0) return; // no current cell
    const QString cell = m_grid->TextMatrix(CurRow, CurCol);
    if (keyAscii == kEnterKey) {
        const EnterOutcome outcome = applyEnter(CurRow, CurCol, cell);
        if (!outcome.message.isEmpty()) showError(outcome.message);
        if (outcome.corrected) m_memory.setCell(CurRow, CurCol, *outcome.corrected);
        if (outcome.row != CurRow || outcome.column != CurCol)
            m_grid->setCurrentCell(outcome.row, outcome.column);
        return;
    }
    const CellEdit edit = applyCharacter(CurCol, cell, keyAscii);
    if (!edit.message.isEmpty()) showError(edit.message);
    m_memory.setCell(CurRow, CurCol, edit.text);
}

void MultiPlay::showError(const QString &text) {
    m_prompter.ask(this, Message{text, QStringLiteral("ERROR")});
}

} // namespace tonaq
