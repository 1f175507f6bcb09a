// The traffic between the memory table and the unit's memory: Download, Upload with its
// read-back, and Reset Unit.
#include "memory/memorytransfer.h"

#include "base/desk.h"
#include "base/limits.h"
#include "base/numericvalue.h"
#include "base/trap.h"
#include "link/wait.h"
#include "model/memorymodel.h"
#include "session/unitsession.h"
#include "unit/locationreply.h"
#include "unit/unitdriver.h"

namespace tonaq {

namespace {
// The unit settles after the last write before the memory is read back.
constexpr double kReadBackPauseMs = 50;
// The unit needs this long to rewrite its memory before it answers again.
constexpr double kResetPauseMs = 1000;
} // namespace

MemoryTransfer::MemoryTransfer(UnitSession &session, MemoryModel &memory, Desk &desk,
                               const ErrorLog &log)
    : m_session(session)
    , m_unit(session.unit())
    , m_memory(memory)
    , m_desk(desk)
    , m_log(log) {}

void MemoryTransfer::download() {
    trapped(m_log, Procedure::Download, [&](Trap &at) {
        at(10);
        if (m_session.refuseUnconnected()) return;
        at(30);
        m_session.report({Activity::ReadingSettings});
        at(40);
        m_session.enableControls(false);
        at(50);
        clearTable();
        at(60);
        if (!m_unit.attention()) {
            at(70);
            m_desk.showMessage(tr("Error! No open Comm Ports or Tonaq found."));
        } else {
            at(80);
            m_unit.interrupt();
            at(90);
            readLocations();
        }
        at(100);
        m_session.enableControls(true);
        at(110);
        m_session.report({Activity::Ready});
    });
}

void MemoryTransfer::clearTable() {
    for (int i = 0; i < kLocationCount; ++i) {
        m_memory.setText(i, MemoryModel::Text::Length, QString());
        m_memory.setText(i, MemoryModel::Text::Space, QString());
        m_memory.setText(i, MemoryModel::Text::Tones, QString());
    }
}

void MemoryTransfer::readLocations() {
    trapped(m_log, Procedure::ReadLocations, [&](Trap &at) {
        at(10);
        if (m_session.refuseUnconnected()) return;
        for (int i = 0; i < kLocationCount; ++i) {
            at(30);
            m_session.report({Activity::ReadingLocation, i + 1, i + 1, kLocationCount});
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
        m_session.report({Activity::Ready});
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

QString storedTimeText(const QString &text) {
    const double value = numericValue(text);
    if (value < kShortestTime) return QString::number(kShortestTime);
    if (value > kLongestStoredTime) return QString::number(kLongestStoredTime);
    return text;
}

void MemoryTransfer::upload() {
    trapped(m_log, Procedure::Upload, [&](Trap &at) {
        at(10);
        if (m_session.refuseUnconnected()) return;
        at(30);
        const Message question{tr("Save Changes to Memory?"), appTitle(), Button::Yes | Button::No,
                               MessageIcon::None, Button::Yes};
        if (m_desk.ask(question) == Button::No) {
            at(40);
            m_session.report({Activity::SaveCancelled});
        } else {
            at(50);
            m_session.report({Activity::SavingChanges});
            for (int i = 0; i < kLocationCount; ++i) {
                at(60);
                m_session.report({Activity::SavingToLocation, i, i + 1, kLocationCount});
                writeRow(i, at);
                at(140);
                m_memory.setUpdate(i, false);
            }
        }
        at(150);
        pauseFor(kReadBackPauseMs);
        at(160);
        download();
        at(170);
        m_session.report({Activity::Ready});
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

void MemoryTransfer::resetUnit() {
    trapped(m_log, Procedure::ResetUnit, [&](Trap &at) {
        at(10);
        if (m_session.refuseUnconnected()) return;
        at(30);
        m_session.enableControls(false);
        at(40);
        m_session.report({Activity::Resetting});
        at(50);
        const Message question{
            tr("Are you sure? This will erase all current settings and restore defaults!"),
            tr("RESET"), Button::Ok | Button::Cancel, MessageIcon::Warning, Button::Cancel};
        if (m_desk.ask(question) == Button::Ok) {
            at(60);
            m_unit.resetMemory();
            at(70);
            pauseFor(kResetPauseMs);
            at(80);
            download();
        }
        at(90);
        m_session.report({Activity::Ready});
        at(100);
        m_session.enableControls(true);
    });
}

} // namespace tonaq
