#include "memory/unitreset.h"

#include "app/frmtonaq.h"
#include "app/prompter.h"
#include "app/trap.h"
#include "link/wait.h"
#include "memory/download.h"

namespace tonaq {

namespace {
constexpr const char *kForm = "Form frmTonaq";
// The unit needs this long to rewrite its memory before it answers again.
constexpr double kResetPauseMs = 1000;
} // namespace

UnitReset::UnitReset(FrmTonaq &main, Download &readBack)
    : m_main(main)
    , m_readBack(readBack) {}

void UnitReset::mnuReset_Click() {
    trapped(m_main.errorLog(), "mnuReset_Click", kForm, [&](Trap &at) {
        at(10);
        if (m_main.refuseWhenDisconnected()) return;
        at(30);
        m_main.EnableControls(false);
        at(40);
        m_main.SetStatus(QStringLiteral("RESETTING..."));
        at(50);
        const Message question{
            QStringLiteral(
                "Are you sure? This will erase all current settings and restore defaults!"),
            QStringLiteral("RESET"), MsgButtons::OkCancel, MsgIcon::Exclamation, MsgAnswer::Cancel};
        if (m_main.prompter().ask(&m_main, question) == MsgAnswer::Ok) {
            at(60);
            m_main.channel().Transact(QStringLiteral("^0"));
            at(70);
            Wait(kResetPauseMs);
            at(80);
            m_readBack.cmdLoad_Click();
        }
        at(90);
        m_main.SetStatus(QStringLiteral("Ready"));
        at(100);
        m_main.EnableControls(true);
    });
}

} // namespace tonaq
