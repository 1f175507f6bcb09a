// The modes the firmware enters from idle: single tone, memory play, view, store, sequence.
#include "sim/unitfirmware.h"

#include "sim/dtmf.h"
#include "sim/replies.h"

namespace tonaq::sim {

namespace {
// The location a line or byte names: a single digit 0-7.
std::optional<int> locationDigit(const QByteArray &text) {
    if (text.size() != 1 || text[0] < '0' || text[0] >= '0' + kLocationCount) return std::nullopt;
    return text[0] - '0';
}
} // namespace

std::optional<QByteArray> UnitFirmware::collectLine(char byte) {
    if (byte != '\r' && byte != '\n') {
        m_line.append(byte);
        return std::nullopt;
    }
    const QByteArray line = m_line.text();
    m_line.clear();
    return line;
}

void UnitFirmware::handleSingleTone(char byte, double nowMs) {
    const auto line = collectLine(byte);
    if (!line) return;
    // Single-tone mode ends with its line, so a timed tone sounds while the unit is idle and
    // an idle line end can abort it.
    m_mode = Mode::Idle;
    const auto [toneText, durationText] = splitAtComma(*line);
    const auto key = toneText.size() == 1 ? toneKey(toneText[0]) : std::nullopt;
    if (!key) return sendLine("?", nowMs);
    sendLine("OK", nowMs);
    m_player.play({{*key, timedDurationMs(durationText), 0}}, ToneSource::Timed, nowMs);
}

void UnitFirmware::handleMemoryLine(char byte, double nowMs) {
    const auto line = collectLine(byte);
    if (!line) return;
    const auto index = locationDigit(*line);
    if (!index) {
        sendLine("?", nowMs);
        return finishMemoryPlay(nowMs);
    }
    sendLine("OK", nowMs);
    const StoredLocation &location = m_locations[*index];
    QList<ToneStep> steps;
    for (const char tone : location.tones)
        steps.append({tone, double(location.lengthMs), double(location.spaceMs)});
    m_player.play(steps, ToneSource::Memory, nowMs);
    m_mode = Mode::MemoryPlaying;
    if (!m_player.isPlaying()) finishMemoryPlay(nowMs); // an empty location
}

void UnitFirmware::handleMemoryPlaying(char byte, double nowMs) {
    // While it plays, the firmware only watches for the line end that aborts.
    if (byte != '\r' && byte != '\n') return;
    m_player.abortPlay(nowMs);
    finishMemoryPlay(nowMs);
}

void UnitFirmware::finishMemoryPlay(double atMs) {
    m_mode = Mode::Idle;
    if (!m_faults.neverReady) sendLine("Ready", atMs);
}

void UnitFirmware::handleView(char byte, double nowMs) {
    m_mode = Mode::Idle;
    const auto index = locationDigit(QByteArray(1, byte));
    if (!index) return sendLine("?", nowMs);
    if (*index == m_faults.emptyViewLocation) return;
    const bool broken = m_faults.reportFaultLocation < 0 || m_faults.reportFaultLocation == *index;
    const ReportFault fault = broken ? m_faults.reportFault : ReportFault::None;
    send(replies::locationReport(*index, m_locations[*index], fault), nowMs);
}

void UnitFirmware::handleStoreLocation(char byte, double nowMs) {
    const auto line = collectLine(byte);
    if (!line) return;
    const auto index = locationDigit(*line);
    if (!index) {
        m_mode = Mode::Idle; // nothing to store into: give up the store
        return sendLine("?", nowMs);
    }
    m_storeIndex = *index;
    m_mode = Mode::StoreTimes;
    sendLine("OK", nowMs);
}

void UnitFirmware::handleStoreTimes(char byte, double nowMs) {
    const auto line = collectLine(byte);
    if (!line) return;
    // Unreadable numbers count as 0 and so end up at the lowest time.
    const auto [lengthText, spaceText] = splitAtComma(*line);
    m_storing = {{},
                 clampStoredTime(leadingNumber(lengthText).value_or(0)),
                 clampStoredTime(leadingNumber(spaceText).value_or(0))};
    m_mode = Mode::StoreTones;
    sendLine("OK", nowMs);
}

void UnitFirmware::handleStoreTones(char byte, double nowMs) {
    if (byte == '.') return commitStore(nowMs);
    const auto key = toneKey(byte);
    if (!key) return sendLine("?", nowMs);
    m_storing.tones.append(*key);
    if (m_storing.tones.size() == kMaxStoredTones) return commitStore(nowMs);
    sendLine("OK", nowMs);
}

void UnitFirmware::commitStore(double atMs) {
    // Written in one go at the end, so an unfinished store leaves the location as it was.
    m_locations[m_storeIndex] = m_storing;
    m_mode = Mode::Idle;
    sendLine("Stored", atMs);
}

void UnitFirmware::handleSequence(char byte, double nowMs) {
    switch (m_sequence.feed(byte)) {
    case SequenceCollector::Step::Collecting:
        return;
    case SequenceCollector::Step::FieldEnded:
    case SequenceCollector::Step::RowEnded:
        if (m_faults.quietSequenceFields) return;
        return sendLine("OK", nowMs);
    case SequenceCollector::Step::SequenceEnded:
        m_mode = Mode::Idle;
        sendLine("OK", nowMs);
        m_player.play(m_sequence.rows(), ToneSource::Sequence, nowMs);
        m_sequence.clear();
        return;
    }
}

} // namespace tonaq::sim
