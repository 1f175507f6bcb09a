#pragma once

#include "sim/unitactivity.h"

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
    // A tone fades in and out over this long, on a raised cosine centred on its start and its
    // end: no click at either edge, and its half-amplitude points are its start and end.
    static constexpr double kEdgeMs = 4.0;

    // Adds a tone to `out`, whose first sample is sample `first` of a stream that begins at
    // originMs on the unit's clock. The WAV file and the live output both use it, so the same
    // tone at the same place gives the same samples in both.
    static void addTone(const SoundedTone &tone, double originMs, qint64 first,
                        std::span<qint16> out, int sampleRate = kSampleRate);
    // Tones without a finite end (still sounding) are cut at openEndMs.
    static QList<qint16> samples(const QList<SoundedTone> &tones, double openEndMs);
    static QByteArray wavFile(const QList<qint16> &samples);
    static bool writeWav(const QString &path, const QList<SoundedTone> &tones, double openEndMs);
};

} // namespace tonaq::sim
