#pragma once

#include "sim/toneplayer.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>

namespace tonaq::sound {

// All the speaker needs of a simulated unit: to be told of its tones, on the unit's own thread
// (an empty listener lets go), and the unit's clock, in ms, which those tones' times are on.
struct ToneTap {
    std::function<void(sim::ToneListener)> setListener;
    std::function<double()> nowMs;
};

template <class Unit> ToneTap tapOf(Unit &unit) {
    return {[&unit](sim::ToneListener listener) { unit.setToneListener(std::move(listener)); },
            [&unit] { return unit.nowMs(); }};
}

class SpeakerOutput;

// Lets the demo's simulated unit be heard: every tone it sounds plays on the default audio
// output, whole and in step with the unit, a constant few tens of ms later. The output is fed
// from a thread of its own, so a busy window never starves it. Without a usable output it says
// so in one line on stderr and stays silent. The unit must outlive it.
class DemoSpeaker : public QObject {
    Q_OBJECT
public:
    explicit DemoSpeaker(ToneTap tap, QObject *parent = nullptr);
    ~DemoSpeaker() override;

    bool isSounding() const { return m_listening; } // false once it gave up on audio
    // Waits until every tone told so far has come out of the sound server, `most` at most;
    // false when cut short.
    bool drain(std::chrono::milliseconds most);

private:
    void giveUp();

    ToneTap m_tap;
    QThread m_thread;
    SpeakerOutput *m_output = nullptr; // lives in m_thread
    std::promise<void> m_closed;       // as m_thread ends
    std::atomic<bool> m_listening = false;
    bool m_gaveUp = false;
};

} // namespace tonaq::sound
