#include "memory/download.h"

#include "app/frmtonaq.h"
#include "app/trap.h"
#include "memory/locationreply.h"
#include "memory/memorytableframe.h"

#include <QLineEdit>

namespace tonaq {

namespace {
constexpr const char *kForm = "Form frmTonaq";

QString selector(int i) {
    return QString(QChar(u'0' + i));
}
} // namespace

Download::Download(FrmTonaq &main)
    : m_main(main) {}

void Download::cmdLoad_Click() {
    trapped(m_main.errorLog(), "cmdLoad_Click", kForm, [&](Trap &at) {
        at(10);
        if (m_main.refuseWhenDisconnected()) return;
        at(30);
        m_main.SetStatus(QStringLiteral("Reading the device settings..."));
        at(40);
        m_main.EnableControls(false);
        at(50);
        clearTable();
        at(60);
        if (m_main.channel().Transact(QStringLiteral("@")).isEmpty()) {
            at(70);
            m_main.showMessage(QStringLiteral("Error! No open Comm Ports or Tonaq found."));
        } else {
            at(80);
            m_main.channel().Transact(QStringLiteral("\r\n"));
            at(90);
            ReadDefaults();
        }
        at(100);
        m_main.EnableControls(true);
        at(110);
        m_main.SetStatus(QStringLiteral("Ready"));
    });
}

void Download::clearTable() {
    MemoryTableFrame &table = m_main.memoryTable();
    for (int i = 0; i < MemoryTableFrame::kRows; ++i) {
        table.Length(i)->setText(QString());
        table.Space(i)->setText(QString());
        table.MemString(i)->setText(QString());
    }
}

void Download::ReadDefaults() {
    trapped(m_main.errorLog(), "ReadDefaults", kForm, [&](Trap &at) {
        at(10);
        if (m_main.refuseWhenDisconnected()) return;
        for (int i = 0; i < MemoryTableFrame::kRows; ++i) {
            at(30);
            m_main.SetStatus(QStringLiteral("Reading Location # %1").arg(i + 1));
            at(40);
            m_main.channel().Transact(QStringLiteral("@"));
            at(50);
            m_main.channel().Transact(QStringLiteral("V"));
            at(60);
            const QString reply = m_main.channel().Transact(selector(i));
            at(70);
            if (reply.isEmpty()) return; // the unit has no more to say; the rest stay empty
            fillRow(i, reply, at);
        }
        at(110);
        m_main.SetStatus(QStringLiteral("Ready"));
    });
}

// Puts the texts in as far as the reply provided them; a reply too short for the next
// text is a failure at that text's line, so the log points at the missing part.
void Download::fillRow(int i, const QString &reply, Trap &at) {
    const LocationReply parsed = parseLocationReply(reply);
    const auto stopIfShortAt = [&parsed](std::initializer_list<LocationReplyStep> steps) {
        for (const LocationReplyStep step : steps) {
            if (parsed.failedStep == step) throw TonaqError(ErrorCode::ReplyTooShort);
        }
    };
    MemoryTableFrame &table = m_main.memoryTable();
    at(80);
    stopIfShortAt({LocationReplyStep::SplitLineTwo, LocationReplyStep::Length});
    table.Length(i)->setText(parsed.texts.length.value());
    at(90);
    stopIfShortAt({LocationReplyStep::Space});
    table.Space(i)->setText(parsed.texts.space.value());
    at(100);
    stopIfShortAt({LocationReplyStep::String});
    table.MemString(i)->setText(parsed.texts.string.value());
}

} // namespace tonaq
