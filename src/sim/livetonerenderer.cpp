#include "sim/livetonerenderer.h"

#include <algorithm>
#include <cmath>

namespace tonaq::sim {

void LiveToneRenderer::start(const SoundedTone &tone) {
    m_tone = tone.tone;
    m_position = 0;
    m_length = lengthOf(tone);
}

void LiveToneRenderer::end(const SoundedTone &tone) {
    m_length = std::min(m_length, lengthOf(tone));
}

void LiveToneRenderer::render(std::span<qint16> out) {
    const qint64 left = std::max<qint64>(0, m_length - m_position);
    const std::size_t sounding = std::size_t(std::min<qint64>(left, qint64(out.size())));
    WavRenderer::renderTone(m_tone, m_position, out.first(sounding), m_sampleRate);
    std::ranges::fill(out.subspan(sounding), qint16(0));
    m_position += qint64(sounding);
}

qint64 LiveToneRenderer::lengthOf(const SoundedTone &tone) const {
    const double ms = tone.endMs - tone.startMs;
    if (!std::isfinite(ms)) return kEndless;
    // Rounded as the WAV file rounds, so both hold the same number of samples.
    return std::max<qint64>(0, std::llround(ms * m_sampleRate / 1000.0));
}

} // namespace tonaq::sim
