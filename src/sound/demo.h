#pragma once

#include "sim/simulatedunit.h"
#include "sound/demospeaker.h"

#include <memory>

namespace tonaq::sound {

// Demo mode as both programs (and the tests of what it sounds like) set it up: a simulated
// unit, heard through the speakers. The speaker lets go of the unit before the unit goes.
class Demo {
public:
    Demo(); // throws std::runtime_error when no simulated unit can be made
    // The programs' way: a demo, or none and why (the system gave the simulated unit no thread).
    static std::unique_ptr<Demo> start(QString *why);
    ~Demo();
    Demo(const Demo &) = delete;
    Demo &operator=(const Demo &) = delete;

    sim::SimulatedUnit &unit() { return *m_unit; }
    DemoSpeaker &speaker() { return *m_speaker; }

private:
    std::unique_ptr<sim::SimulatedUnit> m_unit;
    std::unique_ptr<DemoSpeaker> m_speaker;
};

} // namespace tonaq::sound
