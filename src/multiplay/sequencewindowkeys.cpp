// The MultiPlay window's key handler: every character typed anywhere in the window edits the
// grid's current cell.
#include "base/keyascii.h"
#include "base/prompter.h"
#include "base/trap.h"
#include "model/memorymodel.h"
#include "multiplay/gridrules.h"
#include "multiplay/sequencewindow.h"
#include "multiplay/tonegrid.h"

namespace tonaq {

void SequenceWindow::gridKeyPress(int keyAscii) {
    trapped(m_log, Procedure::SequenceKey, [&](Trap &at) {
        at(10);
        currentColumn = m_grid->currentColumn();
        currentRow = m_grid->currentRow();
        at(20);
        applyKey(keyAscii);
    });
}

void SequenceWindow::applyKey(int keyAscii) {
    if (currentRow < 0 || currentColumn < 0) return; // no current cell
    const QString cell = m_grid->textMatrix(currentRow, currentColumn);
    if (keyAscii == kEnterKey) {
        const EnterOutcome outcome = applyEnter(currentRow, currentColumn, cell);
        if (!outcome.message.isEmpty()) showError(outcome.message);
        if (outcome.corrected) m_memory.setCell(currentRow, currentColumn, *outcome.corrected);
        if (outcome.row != currentRow || outcome.column != currentColumn)
            m_grid->setCurrentCell(outcome.row, outcome.column);
        return;
    }
    const CellEdit edit = applyCharacter(currentColumn, cell, keyAscii);
    if (!edit.message.isEmpty()) showError(edit.message);
    m_memory.setCell(currentRow, currentColumn, edit.text);
}

void SequenceWindow::showError(const QString &text) {
    m_prompter.ask(this, Message{text, tr("ERROR")});
}

} // namespace tonaq
