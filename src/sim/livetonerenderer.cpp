#include "sim/livetonerenderer.h"

#include <algorithm>
#include <cmath>

namespace tonaq::sim {

namespace {
constexpr double kHalfEdgeMs = WavRenderer::kEdgeMs / 2;
} // namespace

void LiveToneRenderer::tell(ToneChange change, const SoundedTone &tone) {
    if (change == ToneChange::Started) {
        // News of a start whose fade-in should have begun already moves the tone back by as
        // much, whole; the tone before, if still sounding, moved the same way keeps its space.
        double shift = std::max(0.0, nextMs() - (tone.startMs - kHalfEdgeMs));
        if (!m_tones.isEmpty()) shift = std::max(shift, m_tones.last().shiftMs);
        SoundedTone placed = tone;
        placed.startMs += shift;
        placed.endMs += shift;
        m_tones.append({placed, shift});
        return;
    }
    // An end can only concern the last tone started; one rendered to its end already is gone.
    if (m_tones.isEmpty() || m_tones.last().tone.startMs != tone.startMs + m_tones.last().shiftMs)
        return;
    SoundedTone &placed = m_tones.last().tone;
    // What is rendered has sounded: an end told too late fades out from the next sample on.
    const double endMs = std::max(tone.endMs + m_tones.last().shiftMs, nextMs() + kHalfEdgeMs);
    placed.endMs = std::min(placed.endMs, endMs);
}

qsizetype LiveToneRenderer::render(std::span<qint16> out, double untilMs) {
    const double stepMs = 1000.0 / m_sampleRate;
    const bool silent = m_tones.isEmpty() || m_tones.first().tone.startMs - kHalfEdgeMs >= nextMs();
    const double wantedMs = untilMs - double(out.size()) * stepMs;
    // Catching up skips only silence after the last tone told, never a space between tones.
    const bool fallenBehind = m_tones.isEmpty() && wantedMs - nextMs() > kMaxLagMs;
    if (silent && (m_resync || fallenBehind)) {
        m_originMs = m_tones.isEmpty()
                         ? wantedMs
                         : std::min(wantedMs, m_tones.first().tone.startMs - kHalfEdgeMs);
        m_position = 0;
        m_resync = false;
    }
    const double room = std::floor((untilMs - nextMs()) / stepMs);
    const auto count = qsizetype(std::clamp(room, 0.0, double(out.size())));
    const std::span<qint16> block = out.first(std::size_t(count));
    std::ranges::fill(block, qint16(0));
    for (const Placed &placed : std::as_const(m_tones))
        WavRenderer::addTone(placed.tone, m_originMs, m_position, block, m_sampleRate);
    m_position += count;
    while (!m_tones.isEmpty() && m_tones.first().tone.endMs + kHalfEdgeMs <= nextMs())
        m_tones.removeFirst();
    return count;
}

} // namespace tonaq::sim
