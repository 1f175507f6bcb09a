// Download: the unit's eight memory locations into the table, replacing what it held.
#include "base/desk.h"
#include "base/limits.h"
#include "base/statustexts.h"
#include "base/trap.h"
#include "memory/memorytransfer.h"
#include "model/memorymodel.h"
#include "unit/locationreply.h"
#include "unit/unitdriver.h"

namespace tonaq {

MemoryTransfer::MemoryTransfer(UnitDriver &unit, MemoryModel &memory, Desk &desk,
                               const ErrorLog &log)
    : m_unit(unit)
    , m_memory(memory)
    , m_desk(desk)
    , m_log(log) {}

void MemoryTransfer::cmdLoad_Click() {
    trapped(m_log, "cmdLoad_Click", kMainForm, [&](Trap &at) {
        at(10);
        if (refuseUnconnected(m_unit, m_desk)) return;
        at(30);
        m_desk.SetStatus(QStringLiteral("Reading the device settings..."));
        at(40);
        m_desk.EnableControls(false);
        at(50);
        clearTable();
        at(60);
        if (!m_unit.attention()) {
            at(70);
            m_desk.showMessage(QStringLiteral("Error! No open Comm Ports or Tonaq found."));
        } else {
            at(80);
            m_unit.interrupt();
            at(90);
            ReadDefaults();
        }
        at(100);
        m_desk.EnableControls(true);
        at(110);
        m_desk.SetStatus(status::ready());
    });
}

void MemoryTransfer::clearTable() {
    for (int i = 0; i < kLocationCount; ++i) {
        m_memory.setText(i, MemoryModel::Text::Length, QString());
        m_memory.setText(i, MemoryModel::Text::Space, QString());
        m_memory.setText(i, MemoryModel::Text::Tones, QString());
    }
}

void MemoryTransfer::ReadDefaults() {
    trapped(m_log, "ReadDefaults", kMainForm, [&](Trap &at) {
        at(10);
        if (refuseUnconnected(m_unit, m_desk)) return;
        for (int i = 0; i < kLocationCount; ++i) {
            at(30);
            m_desk.SetStatus(QStringLiteral("Reading Location # %1").arg(i + 1));
            at(40);
            m_unit.attention();
            at(50);
            m_unit.enterView();
            at(60);
            const QString reply = m_unit.viewLocation(i);
            at(70);
            if (reply.isEmpty()) return; // the unit has no more to say; the rest stay empty
            fillRow(i, reply, at);
        }
        at(110);
        m_desk.SetStatus(status::ready());
    });
}

// Puts the texts in as far as the reply provided them; a reply too short for the next text is
// a failure at that text's line, so the log points at the missing part.
void MemoryTransfer::fillRow(int i, const QString &reply, Trap &at) {
    const LocationReply parsed = parseLocationReply(reply);
    const auto stopIfShortAt = [&parsed](std::initializer_list<LocationReplyStep> steps) {
        for (const LocationReplyStep step : steps) {
            if (parsed.failedStep == step) throw TonaqError(ErrorCode::ReplyTooShort);
        }
    };
    at(80);
    stopIfShortAt({LocationReplyStep::SplitLineTwo, LocationReplyStep::Length});
    m_memory.setText(i, MemoryModel::Text::Length, parsed.texts.length.value());
    at(90);
    stopIfShortAt({LocationReplyStep::Space});
    m_memory.setText(i, MemoryModel::Text::Space, parsed.texts.space.value());
    at(100);
    stopIfShortAt({LocationReplyStep::String});
    m_memory.setText(i, MemoryModel::Text::Tones, parsed.texts.string.value());
}

} // namespace tonaq
