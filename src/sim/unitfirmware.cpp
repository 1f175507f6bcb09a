#include "sim/unitfirmware.h"

#include "sim/dtmf.h"
#include "sim/replies.h"

#include <algorithm>
#include <cmath>

namespace tonaq::sim {

UnitFirmware::UnitFirmware()
    : m_locations(defaultLocations()) {}

void UnitFirmware::feed(const QByteArray &bytes, double nowMs) {
    const double now = timeOf(nowMs);
    for (const char byte : bytes) {
        advanceTo(now);
        if (m_received.size() < kMaxReceivedRecords) m_received.append({byte, now});
        handleByte(byte, now);
    }
    advanceTo(now);
}

void UnitFirmware::advanceTo(double nowMs) {
    const double now = timeOf(nowMs);
    // Events run one at a time in time order, so that a reply caused by one (the "Ready" after
    // a memory play) carries the time it happened, not the time somebody looked.
    for (double next = nextEventMs(); next <= now; next = nextEventMs()) {
        if (m_mode == Mode::PercentWindow && m_percentDeadlineMs <= next) {
            m_player.stopContinuous(m_percentDeadlineMs);
            m_mode = Mode::Idle;
        }
        m_player.advanceTo(next);
        if (m_mode == Mode::MemoryPlaying && !m_player.isPlaying()) finishMemoryPlay(next);
    }
    m_nowMs = now;
}

double UnitFirmware::nextEventMs() const {
    const double playerNext = m_player.nextEventMs();
    return m_mode == Mode::PercentWindow ? std::min(playerNext, m_percentDeadlineMs) : playerNext;
}

QList<Reply> UnitFirmware::takeReplies() {
    m_outboxBytes = 0;
    return std::exchange(m_outbox, {});
}

StoredLocation UnitFirmware::location(int index) const {
    return index >= 0 && index < kLocationCount ? m_locations[index] : StoredLocation{};
}

void UnitFirmware::setLocation(int index, const StoredLocation &location) {
    if (index >= 0 && index < kLocationCount) m_locations[index] = location;
}

QByteArray UnitFirmware::received() const {
    QByteArray bytes;
    bytes.reserve(m_received.size());
    for (const ReceivedByte &r : m_received)
        bytes.append(r.byte);
    return bytes;
}

void UnitFirmware::clearRecords() {
    m_received.clear();
    m_player.clearRecords();
}

double UnitFirmware::timeOf(double nowMs) const {
    return std::isfinite(nowMs) ? std::max(nowMs, m_nowMs) : m_nowMs;
}

void UnitFirmware::handleByte(char byte, double nowMs) {
    // A line end may be CR, LF or CR LF everywhere: an LF straight after a CR is the second half
    // of the same line end. The firmware only remembers the previous byte, not when it came.
    const bool secondHalf = byte == '\n' && m_previousByte == '\r';
    m_previousByte = byte;
    if (secondHalf) return;

    switch (m_mode) {
    case Mode::Idle:
        return handleIdle(byte, nowMs);
    case Mode::PercentWindow:
        return handlePercent(byte, nowMs);
    case Mode::ResetPending:
        m_mode = Mode::Idle;
        if (byte != '0') return handleIdle(byte, nowMs); // "^" alone is dropped
        m_locations = defaultLocations();
        return sendLine("Reset", nowMs);
    case Mode::SingleTone:
        return handleSingleTone(byte, nowMs);
    case Mode::MemoryLine:
        return handleMemoryLine(byte, nowMs);
    case Mode::MemoryPlaying:
        return handleMemoryPlaying(byte, nowMs);
    case Mode::View:
        return handleView(byte, nowMs);
    case Mode::StoreLocation:
        return handleStoreLocation(byte, nowMs);
    case Mode::StoreTimes:
        return handleStoreTimes(byte, nowMs);
    case Mode::StoreTones:
        return handleStoreTones(byte, nowMs);
    case Mode::Sequence:
        return handleSequence(byte, nowMs);
    }
}

void UnitFirmware::handleIdle(char byte, double nowMs) {
    switch (byte) {
    case '@':
        return sendMarker(Marker::Connect, nowMs);
    case 'R':
        return sendLine("2.10 (simulated)", nowMs);
    case 'I':
        m_mode = Mode::SingleTone;
        return sendMarker(Marker::SingleTone, nowMs);
    case 'M':
        m_mode = Mode::MemoryLine;
        return sendMarker(Marker::MemoryPlay, nowMs);
    case 'V':
        m_mode = Mode::View;
        return sendMarker(Marker::View, nowMs);
    case 'S':
        m_mode = Mode::StoreLocation;
        return sendMarker(Marker::Store, nowMs);
    case 'F':
        m_mode = Mode::Sequence;
        m_sequence.clear();
        return sendMarker(Marker::Sequence, nowMs);
    case '%':
        m_mode = Mode::PercentWindow;
        m_percentDeadlineMs = nowMs + kPercentWindowMs;
        return;
    case '^':
        m_mode = Mode::ResetPending;
        return;
    case '\r':
    case '\n':
        // Answered even when nothing plays; a continuous tone is left alone ("%" stops that).
        m_player.abortPlay(nowMs);
        return sendLine("OK", nowMs);
    default:
        return; // not a command
    }
}

void UnitFirmware::handlePercent(char byte, double nowMs) {
    // Only reached inside the window: advanceTo() closes it once 5 ms have passed.
    m_mode = Mode::Idle;
    if (const auto key = toneKey(byte)) return m_player.startContinuous(*key, nowMs);
    m_player.stopContinuous(nowMs);
    handleIdle(byte, nowMs);
}

void UnitFirmware::send(const QByteArray &bytes, double atMs) {
    // A unit with a full transmit buffer loses what does not fit; keeps memory bounded when
    // nobody takes the replies.
    if (m_faults.silent || m_outboxBytes + bytes.size() > kMaxPendingReplyBytes) return;
    m_outboxBytes += bytes.size();
    const double delay = std::max(0.0, m_processingDelayMs + m_faults.extraReplyDelayMs);
    m_outbox.append({bytes, atMs + delay});
}

void UnitFirmware::sendLine(const QByteArray &text, double atMs) {
    send(replies::line(text), atMs);
}

void UnitFirmware::sendMarker(Marker marker, double atMs) {
    send(replies::marker(marker, m_faults.missingMarkers.testFlag(marker)), atMs);
}

} // namespace tonaq::sim
