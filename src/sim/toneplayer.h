#pragma once

#include "sim/unitactivity.h"

#include <QList>
#include <functional>
#include <limits>
#include <optional>

namespace tonaq::sim {

// One tone of a timed play: sounded for lengthMs, then silence for spaceMs.
struct ToneStep {
    char tone;
    double lengthMs;
    double spaceMs;
};

// Told of each tone as the generator starts it (endMs: its due end, infinite for a continuous
// tone) and again as it ends or is cut short (endMs: when). Every start is followed by its end
// before the next start.
enum class ToneChange { Started, Ended };
using ToneListener = std::function<void(ToneChange, const SoundedTone &)>;

// The unit's one tone generator. A continuous tone and a timed play (single tone, memory,
// sequence) share it: whichever starts last takes it over. Time only moves when told.
class TonePlayer {
public:
    static constexpr double kNever = std::numeric_limits<double>::infinity();

    void startContinuous(char tone, double nowMs);
    void stopContinuous(double nowMs);
    // Steps whose character is no tone are skipped.
    void play(const QList<ToneStep> &steps, ToneSource source, double nowMs);
    void abortPlay(double nowMs);
    void advanceTo(double nowMs);
    void setListener(ToneListener listener) { m_listener = std::move(listener); }

    bool isPlaying() const { return m_next < m_steps.size(); }
    double nextEventMs() const { return isPlaying() ? m_phaseEndMs : kNever; }

    QList<SoundedTone> tones() const;
    void clearRecords();

private:
    void startTone(char tone, double atMs, double endMs, ToneSource source);
    void endTone(double atMs);

    QList<ToneStep> m_steps;
    qsizetype m_next = 0; // the step sounding or in its space
    bool m_inSpace = false;
    double m_phaseEndMs = kNever;
    ToneSource m_source = ToneSource::Timed;

    std::optional<SoundedTone> m_current; // what the generator sounds now
    bool m_currentRecorded = false;       // false once the records were cleared under it
    QList<SoundedTone> m_ended;
    ToneListener m_listener;
};

} // namespace tonaq::sim
