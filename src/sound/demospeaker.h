#pragma once

#include "sim/simulatedunit.h"

#include <QAudioSink>
#include <QObject>

namespace tonaq::sound {

class ToneStream;

// Lets the demo's simulated unit be heard: every tone it sounds plays on the default audio
// output as it sounds. Without a usable output it says so in one line on stderr and stays
// silent. Lives in the main thread; the unit must outlive it.
class DemoSpeaker : public QObject {
    Q_OBJECT
public:
    explicit DemoSpeaker(sim::SimulatedUnit &unit, QObject *parent = nullptr);
    ~DemoSpeaker() override;

    bool isSounding() const { return m_listening; } // false once it gave up on audio

private:
    bool openOutput();
    void listen();
    void toneChanged(sim::ToneChange change, const sim::SoundedTone &tone);
    void sinkStateChanged();
    void giveUp();

    sim::SimulatedUnit &m_unit;
    // Children, the sink made first so that it goes before the stream it reads.
    QAudioSink *m_sink = nullptr;
    ToneStream *m_stream = nullptr;
    bool m_listening = false;
};

} // namespace tonaq::sound
