#pragma once

#include "sim/records.h"
#include "sim/wavrenderer.h"

#include <limits>
#include <span>

namespace tonaq::sim {

// The unit's tones as they happen, rendered a block at a time exactly as the WAV file renders
// them. Lengths come from the unit's clock, not from when the news arrives, so a timed tone
// sounds its full length however late it started here.
class LiveToneRenderer {
public:
    explicit LiveToneRenderer(int sampleRate = WavRenderer::kSampleRate)
        : m_sampleRate(sampleRate) {}

    // Sounds from the next sample on, until its due end or until end() cuts it.
    void start(const SoundedTone &tone);
    // Cuts the tone at the length it really had; at once when that is already past.
    void end(const SoundedTone &tone);
    // The next out.size() samples; silence where no tone sounds.
    void render(std::span<qint16> out);

    int sampleRate() const { return m_sampleRate; }

private:
    static constexpr qint64 kEndless = std::numeric_limits<qint64>::max();

    qint64 lengthOf(const SoundedTone &tone) const;

    int m_sampleRate;
    char m_tone = 0;
    qint64 m_position = 0; // samples of the tone rendered so far
    qint64 m_length = 0;   // samples it sounds in all
};

} // namespace tonaq::sim
