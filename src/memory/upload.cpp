#include "memory/upload.h"

#include "app/basetitle.h"
#include "app/frmtonaq.h"
#include "app/prompter.h"
#include "app/trap.h"
#include "link/wait.h"
#include "memory/download.h"
#include "memory/memorytableframe.h"
#include "tones/numericvalue.h"

#include <QCheckBox>
#include <QLineEdit>

namespace tonaq {

namespace {
constexpr const char *kForm = "Form frmTonaq";
// The unit stores lengths and spaces from 20 to 65534 ms.
constexpr int kMinTimeMs = 20;
constexpr int kMaxTimeMs = 65534;
constexpr double kReadBackPauseMs = 50;

void raiseToMinimum(QLineEdit *box) {
    if (NumericValue(box->text()) < kMinTimeMs) box->setText(QString::number(kMinTimeMs));
}

void lowerToMaximum(QLineEdit *box) {
    if (NumericValue(box->text()) > kMaxTimeMs) box->setText(QString::number(kMaxTimeMs));
}
} // namespace

Upload::Upload(FrmTonaq &main, Download &readBack)
    : m_main(main)
    , m_readBack(readBack) {}

void Upload::cmdProgram_Click() {
    trapped(m_main.errorLog(), "cmdProgram_Click", kForm, [&](Trap &at) {
        at(10);
        if (m_main.refuseWhenDisconnected()) return;
        at(30);
        const Message question{QStringLiteral("Save Changes to Memory?"), AppTitle(),
                               MsgButtons::YesNo, MsgIcon::None, MsgAnswer::Yes};
        if (m_main.prompter().ask(&m_main, question) == MsgAnswer::No) {
            at(40);
            m_main.SetStatus(QStringLiteral("Save operation cancelled"));
        } else {
            at(50);
            m_main.SetStatus(QStringLiteral("Saving changes to device memory..."));
            for (int i = 0; i < MemoryTableFrame::kRows; ++i) {
                at(60);
                m_main.SetStatus(QStringLiteral("Saving to Location #  %1").arg(i));
                writeRow(i, at);
                at(140);
                m_main.memoryTable().Update(i)->setChecked(false);
            }
        }
        at(150);
        Wait(kReadBackPauseMs);
        at(160);
        m_readBack.cmdLoad_Click();
        at(170);
        m_main.SetStatus(QStringLiteral("Ready"));
    });
}

// A row that is not marked, or whose "@" or "S" the unit does not acknowledge, is skipped.
void Upload::writeRow(int i, Trap &at) {
    MemoryTableFrame &table = m_main.memoryTable();
    CommandChannel &unit = m_main.channel();
    at(70);
    if (!table.Update(i)->isChecked()) return;
    at(80);
    if (unit.Transact(QStringLiteral("@")).isEmpty()) return;
    at(90);
    if (!unit.Transact(QStringLiteral("S")).contains(QStringLiteral("SS"))) return;
    at(100);
    unit.Transact(QString(QChar(u'0' + i)) + QStringLiteral("\r\n"));
    at(110);
    correctRange(i);
    at(120);
    unit.Transact(table.Length(i)->text() + u',' + table.Space(i)->text() + QStringLiteral("\r\n"));
    at(130);
    const QString tones = table.MemString(i)->text();
    for (const QChar tone : tones)
        unit.Transact(QString(tone));
    if (tones.size() < MemoryTableFrame::kStringLimit) unit.Transact(QStringLiteral("."));
}

// Each step reads the box as the step before left it, so the order is part of the rule.
void Upload::correctRange(int i) {
    MemoryTableFrame &table = m_main.memoryTable();
    raiseToMinimum(table.Length(i));
    raiseToMinimum(table.Space(i));
    lowerToMaximum(table.Length(i));
    lowerToMaximum(table.Space(i));
}

} // namespace tonaq
