#pragma once

#include "sim/livetonerenderer.h"

#include <QAudioFormat>
#include <mutex>
#include <utility>
#include <vector>

namespace tonaq::sound {

// The unit's tones as the bytes of an audio output's format. News comes from the unit's
// thread, reads from the output's.
class ToneStream {
public:
    explicit ToneStream(const QAudioFormat &format);

    // Any thread; returns at once.
    void tell(sim::ToneChange change, const sim::SoundedTone &tone);
    // The unit's sound up to untilMs on its clock, at most maxBytes of it; returns the bytes.
    qint64 read(char *data, qint64 maxBytes, double untilMs);
    // Every tone told has been read to its end.
    bool isQuiet();
    // The output ran dry and starts again (see LiveToneRenderer::resync).
    void resync() { m_renderer.resync(); }

private:
    void takeNews();

    QAudioFormat m_format;
    sim::LiveToneRenderer m_renderer;
    std::vector<qint16> m_block; // kept between reads: no allocation on the audio path
    std::mutex m_newsMutex;
    std::vector<std::pair<sim::ToneChange, sim::SoundedTone>> m_news; // guarded by the mutex
    std::vector<std::pair<sim::ToneChange, sim::SoundedTone>> m_taken;
};

} // namespace tonaq::sound
