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
        m_currentColumn = m_toneGrid->currentColumn();
        m_currentRow = m_toneGrid->currentRow();
        at(20);
        applyKey(keyAscii);
    });
}

void SequenceWindow::applyKey(int keyAscii) {
    if (m_currentRow < 0 || m_currentColumn < 0) return; // no current cell
    const QString cell = m_toneGrid->textMatrix(m_currentRow, m_currentColumn);
    if (keyAscii == kEnterKey) {
        const EnterOutcome outcome = applyEnter(m_currentRow, m_currentColumn, cell);
        if (!outcome.message.isEmpty()) showError(outcome.message);
        if (outcome.corrected) m_memory.setCell(m_currentRow, m_currentColumn, *outcome.corrected);
        if (outcome.row != m_currentRow || outcome.column != m_currentColumn)
            m_toneGrid->setCurrentCell(outcome.row, outcome.column);
        return;
    }
    const CellEdit edit = applyCharacter(m_currentColumn, cell, keyAscii);
    if (!edit.message.isEmpty()) showError(edit.message);
    m_memory.setCell(m_currentRow, m_currentColumn, edit.text);
}

void SequenceWindow::showError(const QString &text) {
    m_prompter.ask(this, Message{text, tr("ERROR")});
}

} // namespace tonaq
