#include "tones/tonecommands.h"

#include "base/tonecharacter.h"
#include "base/trap.h"
#include "link/wait.h"
#include "model/memorymodel.h"
#include "session/unitsession.h"
#include "tones/memoryplaybound.h"
#include "unit/unitdriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tonaq {

namespace {
// The pauses of the abort: the unit leaves its timed mode, then takes the stop.
constexpr double kAbortSettleMs = 100;
constexpr double kAbortStopMs = 50;
} // namespace

void sendKeypadTone(UnitSession &session, int index) {
    if (session.refuseUnconnected()) return;
    UnitDriver &unit = session.unit();
    if (index == kStopTone) {
        ignoringFailure([&] { session.report({Activity::Ready}); });
        ignoringFailure([&] { unit.stopTone(); });
        return;
    }
    const QChar tone = toneCharacterOfKeypad(index);
    ignoringFailure([&] { session.report({Activity::SendingTone, tone.unicode()}); });
    ignoringFailure([&] { unit.startTone(tone); });
}

void abortTimedTones(UnitSession &session) {
    if (session.refuseUnconnected()) return;
    UnitDriver &unit = session.unit();
    ignoringFailure([&] { unit.interrupt(); });
    ignoringFailure([&] { session.report({Activity::Aborting}); });
    ignoringFailure([] { pauseFor(kAbortSettleMs); });
    ignoringFailure([&] { unit.silence(); });
    ignoringFailure([] { pauseFor(kAbortStopMs); });
    ignoringFailure([&] { session.report({Activity::Ready}); });
}

bool playSingleTone(UnitDriver &unit, const QString &tone, const QString &duration, Trap &at) {
    at(10);
    if (!unit.attention()) return false;
    at(20);
    if (!unit.enterSingleTone()) return false;
    at(30);
    unit.playTimedTone(tone, duration);
    return true;
}

MemoryPlayer::MemoryPlayer(UnitDriver &unit, const MemoryModel &memory)
    : m_unit(unit)
    , m_memory(memory)
    , m_readyMargin(kReadyMargin) {}

void MemoryPlayer::setStopRequested(std::function<bool()> stopRequested) {
    m_stopRequested = std::move(stopRequested);
}

// The location is selected only when the unit answers "@" and "M" with "MP", but the wait for
// "Ready" and the confirmation run either way.
MemoryPlayer::Outcome MemoryPlayer::play(int location, QChar typed, Trap &at) {
    at(40);
    if (m_unit.attention()) {
        at(50);
        if (m_unit.enterMemoryPlay()) {
            at(60);
            m_unit.selectPlayLocation(location - 1);
        }
    }
    at(70);
    const Outcome outcome = waitForReady(location);
    if (outcome != Outcome::Played) return outcome;
    at(80);
    m_unit.confirmPlayed(typed);
    return outcome;
}

// Between reads the operator's input is served, so that the window can be closed meanwhile.
MemoryPlayer::Outcome MemoryPlayer::waitForReady(int location) {
    const MemoryLocation &stored = m_memory.location(location - 1);
    const auto bound =
        longestLocationPlay(stored.length, stored.space, stored.tones) + m_readyMargin;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (m_unit.readyArrived()) return Outcome::Played;
        QCoreApplication::processEvents();
        if (m_stopRequested && m_stopRequested()) return Outcome::Stopped;
        if (std::chrono::milliseconds(clock.elapsed()) >= bound) return Outcome::NoReady;
    }
}

} // namespace tonaq
