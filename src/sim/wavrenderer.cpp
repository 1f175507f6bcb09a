#include "sim/wavrenderer.h"

#include "sim/dtmf.h"

#include <QFileInfo>
#include <QSaveFile>
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

void WavRenderer::addTone(const SoundedTone &tone, double originMs, qint64 first,
                          std::span<qint16> out, int sampleRate) {
    const auto pair = dtmfFrequencies(tone.tone);
    if (!pair || !(tone.endMs > tone.startMs)) return;
    const double stepMs = 1000.0 / sampleRate;
    const double half = kEdgeMs / 2;
    // Only the samples from the start of its fade-in to the end of its fade-out.
    const auto index = [&](double ms) {
        const double at = std::ceil((ms - originMs) / stepMs) - double(first);
        return qint64(std::clamp(at, 0.0, double(out.size())));
    };
    const qint64 from = index(tone.startMs - half);
    const qint64 to = std::isfinite(tone.endMs) ? index(tone.endMs + half) : qint64(out.size());
    const auto edge = [](double x) { // 0 before the fade, 1 after it
        return x <= 0 ? 0.0 : x >= 1 ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    };
    for (qint64 i = from; i < to; ++i) {
        const double ms = originMs + double(first + i) * stepMs;
        const double gain =
            edge((ms - tone.startMs + half) / kEdgeMs) * edge((tone.endMs + half - ms) / kEdgeMs);
        // Phase counted from the tone's own start, wherever in the stream it falls.
        const double seconds = (ms - tone.startMs) / 1000.0;
        out[i] =
            saturated(out[i] + gain * kAmplitude *
                                   (std::sin(2 * std::numbers::pi * pair->rowHz * seconds) +
                                    std::sin(2 * std::numbers::pi * pair->columnHz * seconds)));
    }
}

QList<qint16> WavRenderer::samples(const QList<SoundedTone> &tones, double openEndMs) {
    if (tones.isEmpty()) return {};
    double firstMs = tones.first().startMs;
    for (const SoundedTone &tone : tones)
        firstMs = std::min(firstMs, tone.startMs);
    const auto endOf = [&](const SoundedTone &tone) {
        const double open = std::isfinite(openEndMs) ? openEndMs : tone.startMs;
        const double end = std::isfinite(tone.endMs) ? tone.endMs : open;
        return std::clamp(end, tone.startMs, firstMs + kMaxRenderMs);
    };
    // The file begins and ends with the outer halves of the first and last fades.
    const double originMs = firstMs - kEdgeMs / 2;
    double lastMs = originMs;
    for (const SoundedTone &tone : tones)
        lastMs = std::max(lastMs, endOf(tone) + kEdgeMs / 2);

    QList<qint16> out(sampleIndex(lastMs - originMs), 0);
    for (SoundedTone tone : tones) {
        tone.endMs = endOf(tone);
        // A hand-made list may overlap tones; the unit's own never does.
        addTone(tone, originMs, 0, {out.data(), std::size_t(out.size())});
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
    // Only a regular file: a FIFO would hold the program until something reads it. The file
    // is written beside and renamed into place, so that a FIFO put there meanwhile is never
    // opened and a failed write leaves the old recording whole.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = wavFile(samples(tones, openEndMs));
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace tonaq::sim
