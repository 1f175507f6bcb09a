// Upload: the marked rows of the table into the unit's memory, then the memory read back.
#include "base/desk.h"
#include "base/limits.h"
#include "base/numericvalue.h"
#include "base/statustexts.h"
#include "base/trap.h"
#include "link/wait.h"
#include "memory/memorytransfer.h"
#include "model/memorymodel.h"
#include "unit/unitdriver.h"

namespace tonaq {

namespace {
constexpr double kReadBackPauseMs = 50;
} // namespace

QString storedTimeText(const QString &text) {
    const double value = NumericValue(text);
    if (value < kShortestTime) return QString::number(kShortestTime);
    if (value > kLongestStoredTime) return QString::number(kLongestStoredTime);
    return text;
}

void MemoryTransfer::cmdProgram_Click() {
    trapped(m_log, "cmdProgram_Click", kMainForm, [&](Trap &at) {
        at(10);
        if (refuseUnconnected(m_unit, m_desk)) return;
        at(30);
        const Message question{QStringLiteral("Save Changes to Memory?"), AppTitle(),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon,
                               QMessageBox::Yes};
        if (m_desk.ask(question) == QMessageBox::No) {
            at(40);
            m_desk.SetStatus(QStringLiteral("Save operation cancelled"));
        } else {
            at(50);
            m_desk.SetStatus(QStringLiteral("Saving changes to device memory..."));
            for (int i = 0; i < kLocationCount; ++i) {
                at(60);
                m_desk.SetStatus(QStringLiteral("Saving to Location #  %1").arg(i));
                writeRow(i, at);
                at(140);
                m_memory.setUpdate(i, false);
            }
        }
        at(150);
        Wait(kReadBackPauseMs);
        at(160);
        cmdLoad_Click();
        at(170);
        m_desk.SetStatus(status::ready());
    });
}

// A row that is not marked, or whose "@" or store the unit does not acknowledge, is skipped.
void MemoryTransfer::writeRow(int i, Trap &at) {
    at(70);
    if (!m_memory.location(i).update) return;
    at(80);
    if (!m_unit.attention()) return;
    at(90);
    if (!m_unit.enterStore()) return;
    at(100);
    m_unit.selectStoreLocation(i);
    at(110);
    correctRange(i);
    at(120);
    const MemoryLocation &row = m_memory.location(i);
    m_unit.storeTimes(row.length, row.space);
    at(130);
    const QString tones = row.tones;
    for (const QChar tone : tones)
        m_unit.storeTone(tone);
    if (tones.size() < kToneStringLimit) m_unit.endStore();
}

// A length or space below the shortest time is raised to it, one above the longest stored time
// lowered to it; the change marks the row, which the upload then clears again.
void MemoryTransfer::correctRange(int i) {
    for (const MemoryModel::Text which : {MemoryModel::Text::Length, MemoryModel::Text::Space})
        m_memory.setText(i, which, storedTimeText(m_memory.text(i, which)));
}

} // namespace tonaq
