#pragma once

#include "sim/toneplayer.h"
#include "sim/unitactivity.h"
#include "sim/wavrenderer.h"

#include <QList>
#include <span>

namespace tonaq::sim {

// The unit's tones as they happen, rendered a block at a time exactly as the WAV file renders
// them, on a timeline that follows the unit's clock: a tone sounds where the unit sounded it,
// for as long, whenever its news came. The caller renders up to a moment a little behind the
// unit's clock, so that news is in before its samples are made.
class LiveToneRenderer {
public:
    // Once all it was told has sounded, an output this far behind the unit's clock catches up.
    static constexpr double kMaxLagMs = 200.0;

    explicit LiveToneRenderer(int sampleRate = WavRenderer::kSampleRate)
        : m_sampleRate(sampleRate) {}

    // The unit's news of a tone starting or ending, in the order the unit told it.
    void tell(ToneChange change, const SoundedTone &tone);
    // The unit's sound from where the last call stopped up to untilMs on its clock, at most
    // out.size() samples; returns how many it made. The timeline stays put while the output
    // plays on, so tones keep their places and spaces however unevenly the output takes its
    // samples (a sound server reads ahead in bursts, or stalls). Where nothing sounds it is set
    // anew so that a full `out` ends at untilMs: at the first call, after resync(), and once the
    // output has fallen kMaxLagMs behind and played all it was told.
    qsizetype render(std::span<qint16> out, double untilMs);
    // The output ran dry and starts again: the next tone is placed as long after the unit as
    // the output then has room for.
    void resync() { m_resync = true; }
    // Every tone told has been rendered to the end of its fade-out.
    bool isQuiet() const { return m_tones.isEmpty(); }
    double nextMs() const { return m_originMs + double(m_position) * 1000.0 / m_sampleRate; }
    int sampleRate() const { return m_sampleRate; }

private:
    struct Placed {
        SoundedTone tone; // where it sounds on the timeline
        double shiftMs;   // after where the unit sounded it, when its news came too late
    };

    int m_sampleRate;
    double m_originMs = 0; // the unit's time at sample 0 of the timeline
    qint64 m_position = 0; // samples rendered since
    bool m_resync = true;
    QList<Placed> m_tones; // told and not yet rendered to their end, in order
};

} // namespace tonaq::sim
