#include "sim/toneplayer.h"

#include "sim/dtmf.h"

namespace tonaq::sim {

void TonePlayer::startContinuous(char tone, double nowMs) {
    abortPlay(nowMs);
    endTone(nowMs);
    startTone(tone, nowMs, kNever, ToneSource::Continuous);
}

void TonePlayer::stopContinuous(double nowMs) {
    if (m_current && m_current->source == ToneSource::Continuous) endTone(nowMs);
}

void TonePlayer::play(const QList<ToneStep> &steps, ToneSource source, double nowMs) {
    abortPlay(nowMs);
    endTone(nowMs);
    m_steps.clear();
    for (const ToneStep &step : steps) {
        if (const auto key = toneKey(step.tone))
            m_steps.append({*key, step.lengthMs, step.spaceMs});
    }
    m_source = source;
    m_next = 0;
    m_inSpace = false;
    if (isPlaying()) {
        m_phaseEndMs = nowMs + m_steps.first().lengthMs;
        startTone(m_steps.first().tone, nowMs, m_phaseEndMs, source);
    }
}

void TonePlayer::abortPlay(double nowMs) {
    if (!isPlaying()) return;
    if (!m_inSpace) endTone(nowMs);
    m_steps.clear();
    m_next = 0;
}

void TonePlayer::advanceTo(double nowMs) {
    while (isPlaying() && m_phaseEndMs <= nowMs) {
        const double at = m_phaseEndMs;
        if (!m_inSpace) {
            endTone(at);
            m_inSpace = true;
            m_phaseEndMs = at + m_steps[m_next].spaceMs;
            continue;
        }
        m_inSpace = false;
        if (++m_next == m_steps.size()) {
            m_steps.clear();
            m_next = 0;
            break;
        }
        m_phaseEndMs = at + m_steps[m_next].lengthMs;
        startTone(m_steps[m_next].tone, at, m_phaseEndMs, m_source);
    }
}

QList<SoundedTone> TonePlayer::tones() const {
    QList<SoundedTone> all = m_ended;
    if (m_current && m_currentRecorded) all.append(*m_current);
    return all;
}

void TonePlayer::clearRecords() {
    m_ended.clear();
    m_currentRecorded = false;
}

void TonePlayer::startTone(char tone, double atMs, double endMs, ToneSource source) {
    m_current = SoundedTone{tone, atMs, endMs, source};
    m_currentRecorded = true;
    if (m_listener) m_listener(ToneChange::Started, *m_current);
}

void TonePlayer::endTone(double atMs) {
    if (!m_current) return;
    m_current->endMs = atMs;
    if (m_currentRecorded && m_ended.size() < kMaxToneRecords) m_ended.append(*m_current);
    // Told even when the records are full or were cleared: a listener never misses an end.
    if (m_listener) m_listener(ToneChange::Ended, *m_current);
    m_current.reset();
}

} // namespace tonaq::sim
