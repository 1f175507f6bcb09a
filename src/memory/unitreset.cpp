// Reset Unit: after the operator confirms, the unit restores its default memory, which is then
// read back into the table.
#include "base/desk.h"
#include "base/statustexts.h"
#include "base/trap.h"
#include "link/wait.h"
#include "memory/memorytransfer.h"
#include "unit/unitdriver.h"

namespace tonaq {

namespace {
// The unit needs this long to rewrite its memory before it answers again.
constexpr double kResetPauseMs = 1000;
} // namespace

void MemoryTransfer::mnuReset_Click() {
    trapped(m_log, "mnuReset_Click", kMainForm, [&](Trap &at) {
        at(10);
        if (refuseUnconnected(m_unit, m_desk)) return;
        at(30);
        m_desk.EnableControls(false);
        at(40);
        m_desk.SetStatus(QStringLiteral("RESETTING..."));
        at(50);
        const Message question{
            QStringLiteral(
                "Are you sure? This will erase all current settings and restore defaults!"),
            QStringLiteral("RESET"), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Warning,
            QMessageBox::Cancel};
        if (m_desk.ask(question) == QMessageBox::Ok) {
            at(60);
            m_unit.resetMemory();
            at(70);
            Wait(kResetPauseMs);
            at(80);
            cmdLoad_Click();
        }
        at(90);
        m_desk.SetStatus(status::ready());
        at(100);
        m_desk.EnableControls(true);
    });
}

} // namespace tonaq
