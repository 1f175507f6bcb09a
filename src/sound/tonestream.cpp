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

ToneStream::ToneStream(const QAudioFormat &format, QObject *parent)
    : QIODevice(parent)
    , m_format(format)
    , m_renderer(format.sampleRate()) {}

qint64 ToneStream::bytesAvailable() const {
    return m_format.bytesForDuration(1'000'000) + QIODevice::bytesAvailable();
}

qint64 ToneStream::readData(char *data, qint64 maxSize) {
    const int frameBytes = m_format.bytesPerFrame();
    const int sampleBytes = m_format.bytesPerSample();
    if (frameBytes <= 0) return 0;
    m_block.resize(std::size_t(maxSize / frameBytes));
    m_renderer.render(m_block);
    char *out = data;
    for (const qint16 sample : m_block) {
        for (int channel = 0; channel < m_format.channelCount(); ++channel, out += sampleBytes)
            writeSample(out, sample, m_format.sampleFormat());
    }
    return out - data;
}

} // namespace tonaq::sound
