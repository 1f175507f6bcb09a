#include "sim/wavrenderer.h"

#include "sim/dtmf.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tonaq::sim {

namespace {
// Each of the two sines at 40 % of full scale: their sum stays clear of clipping.
constexpr double kAmplitude = 0.4 * 32767.0;

qsizetype sampleIndex(double ms) {
    return static_cast<qsizetype>(std::llround(ms * WavRenderer::kSampleRate / 1000.0));
}

qint16 saturated(double value) {
    return static_cast<qint16>(std::clamp(std::lround(value), -32768L, 32767L));
}

template <typename T> void appendLittleEndian(QByteArray &out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}
} // namespace

void WavRenderer::renderTone(char tone, qint64 offset, std::span<qint16> out, int sampleRate) {
    const auto pair = dtmfFrequencies(tone);
    if (!pair) {
        std::ranges::fill(out, qint16(0));
        return;
    }
    for (std::size_t i = 0; i < out.size(); ++i) {
        // Phase counted from the tone's own start, so every tone begins at a zero crossing.
        const double t = double(offset + qint64(i)) / sampleRate;
        out[i] = saturated(kAmplitude * (std::sin(2 * std::numbers::pi * pair->rowHz * t) +
                                         std::sin(2 * std::numbers::pi * pair->columnHz * t)));
    }
}

QList<qint16> WavRenderer::samples(const QList<SoundedTone> &tones, double openEndMs) {
    if (tones.isEmpty()) return {};
    double originMs = tones.first().startMs;
    for (const SoundedTone &tone : tones)
        originMs = std::min(originMs, tone.startMs);
    const auto endOf = [&](const SoundedTone &tone) {
        const double open = std::isfinite(openEndMs) ? openEndMs : tone.startMs;
        const double end = std::isfinite(tone.endMs) ? tone.endMs : open;
        return std::clamp(end, tone.startMs, originMs + kMaxRenderMs);
    };
    double lastMs = originMs;
    for (const SoundedTone &tone : tones)
        lastMs = std::max(lastMs, endOf(tone));

    QList<qint16> out(sampleIndex(lastMs - originMs), 0);
    for (const SoundedTone &tone : tones) {
        const qsizetype first = sampleIndex(tone.startMs - originMs);
        const qsizetype last = std::min(sampleIndex(endOf(tone) - originMs), out.size());
        if (first >= last) continue;
        QList<qint16> part(last - first);
        renderTone(tone.tone, 0, {part.data(), std::size_t(part.size())});
        // A hand-made list may overlap tones; the unit's own never does.
        for (qsizetype i = first; i < last; ++i)
            out[i] = saturated(out[i] + part[i - first]);
    }
    return out;
}

QByteArray WavRenderer::wavFile(const QList<qint16> &samples) {
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.reserve(44 + qsizetype(dataBytes));
    out.append("RIFF");
    appendLittleEndian<quint32>(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    appendLittleEndian<quint32>(out, 16);              // format chunk size
    appendLittleEndian<quint16>(out, 1);               // PCM
    appendLittleEndian<quint16>(out, 1);               // mono
    appendLittleEndian<quint32>(out, kSampleRate);     // samples per second
    appendLittleEndian<quint32>(out, kSampleRate * 2); // bytes per second
    appendLittleEndian<quint16>(out, 2);               // bytes per sample frame
    appendLittleEndian<quint16>(out, 16);              // bits per sample
    out.append("data");
    appendLittleEndian<quint32>(out, dataBytes);
    for (const qint16 sample : samples)
        appendLittleEndian<qint16>(out, sample);
    return out;
}

bool WavRenderer::writeWav(const QString &path, const QList<SoundedTone> &tones, double openEndMs) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = wavFile(samples(tones, openEndMs));
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace tonaq::sim
