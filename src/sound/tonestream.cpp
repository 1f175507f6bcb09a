#include "sound/tonestream.h"

#include <cstring>

namespace tonaq::sound {

namespace {
// One 16-bit sample in the bytes of another sample format.
void writeSample(char *out, qint16 value, QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8: {
        const auto v = quint8((value >> 8) + 128);
        std::memcpy(out, &v, sizeof v);
        return;
    }
    case QAudioFormat::Int32: {
        const qint32 v = qint32(value) * 65536;
        std::memcpy(out, &v, sizeof v);
        return;
    }
    case QAudioFormat::Float: {
        const float v = float(value) / 32768.0f;
        std::memcpy(out, &v, sizeof v);
        return;
    }
    default:
        std::memcpy(out, &value, sizeof value);
    }
}
} // namespace

ToneStream::ToneStream(const QAudioFormat &format)
    : m_format(format)
    , m_renderer(format.sampleRate()) {}

void ToneStream::tell(sim::ToneChange change, const sim::SoundedTone &tone) {
    const std::lock_guard lock(m_newsMutex);
    m_news.emplace_back(change, tone);
}

void ToneStream::takeNews() {
    {
        const std::lock_guard lock(m_newsMutex);
        m_taken.swap(m_news);
    }
    for (const auto &[change, tone] : m_taken)
        m_renderer.tell(change, tone);
    m_taken.clear();
}

bool ToneStream::isQuiet() {
    takeNews();
    return m_renderer.isQuiet();
}

qint64 ToneStream::read(char *data, qint64 maxBytes, double untilMs) {
    const int frameBytes = m_format.bytesPerFrame();
    const int sampleBytes = m_format.bytesPerSample();
    if (frameBytes <= 0) return 0;
    takeNews();
    m_block.resize(std::size_t(maxBytes / frameBytes));
    const qsizetype frames = m_renderer.render(m_block, untilMs);
    char *out = data;
    for (const qint16 sample : std::span(m_block).first(std::size_t(frames))) {
        for (int channel = 0; channel < m_format.channelCount(); ++channel, out += sampleBytes)
            writeSample(out, sample, m_format.sampleFormat());
    }
    return out - data;
}

} // namespace tonaq::sound
