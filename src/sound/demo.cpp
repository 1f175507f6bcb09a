#include "sound/demo.h"

#include <exception>

namespace tonaq::sound {

Demo::Demo()
    : m_unit(std::make_unique<sim::SimulatedUnit>())
    , m_speaker(std::make_unique<DemoSpeaker>(tapOf(*m_unit))) {}

std::unique_ptr<Demo> Demo::start(QString *why) {
    try {
        return std::make_unique<Demo>();
    } catch (const std::exception &error) {
        *why = QString::fromLocal8Bit(error.what());
        return nullptr;
    }
}

Demo::~Demo() {
    m_speaker.reset();
}

} // namespace tonaq::sound
