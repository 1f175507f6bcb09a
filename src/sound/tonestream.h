#pragma once

#include "sim/livetonerenderer.h"

#include <QAudioFormat>
#include <QIODevice>
#include <vector>

namespace tonaq::sound {

// What an audio sink pulls: the unit's tones as they happen, silence in between, in the
// output's own format. It never runs dry, so the sink never falls idle between tones.
class ToneStream : public QIODevice {
    Q_OBJECT
public:
    explicit ToneStream(const QAudioFormat &format, QObject *parent = nullptr);

    void start(const sim::SoundedTone &tone) { m_renderer.start(tone); }
    void end(const sim::SoundedTone &tone) { m_renderer.end(tone); }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QAudioFormat m_format;
    sim::LiveToneRenderer m_renderer;
    std::vector<qint16> m_block; // kept between reads: no allocation on the audio path
};

} // namespace tonaq::sound
