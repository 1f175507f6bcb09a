#pragma once

#include "sim/records.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <span>

namespace tonaq::sim {

// Turns the tones a unit sounded into audio: 8 kHz, 16-bit signed, mono, each tone the sum of
// its DTMF row and column sine waves, silence in between. The audio starts at the first tone.
class WavRenderer {
public:
    static constexpr int kSampleRate = 8000;
    // Keeps a runaway record (a continuous tone left on for hours) from filling memory.
    static constexpr double kMaxRenderMs = 10.0 * 60.0 * 1000.0;

    // out.size() samples of a tone, the first being sample `offset` counted from the tone's own
    // start; silence for a byte that is no tone. The WAV file and the live output both use it.
    static void renderTone(char tone, qint64 offset, std::span<qint16> out,
                           int sampleRate = kSampleRate);
    // Tones without a finite end (still sounding) are cut at openEndMs.
    static QList<qint16> samples(const QList<SoundedTone> &tones, double openEndMs);
    static QByteArray wavFile(const QList<qint16> &samples);
    static bool writeWav(const QString &path, const QList<SoundedTone> &tones, double openEndMs);
};

} // namespace tonaq::sim
