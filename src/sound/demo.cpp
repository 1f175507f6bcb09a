#include "sound/demo.h"

namespace tonaq::sound {

Demo::Demo()
    : m_unit(std::make_unique<sim::SimulatedUnit>())
    , m_speaker(std::make_unique<DemoSpeaker>(tapOf(*m_unit))) {}

Demo::~Demo() {
    m_speaker.reset();
}

} // namespace tonaq::sound
