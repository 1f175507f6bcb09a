// The demo speaker where Qt has no multimedia module (the Windows kit): the simulated unit plays
// silently, and the program says so once, as it does on a machine without a sound server.
#include "sound/demospeaker.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

namespace tonaq::sound {

class SpeakerOutput {};

DemoSpeaker::DemoSpeaker(ToneTap tap, QObject *parent)
    : QObject(parent)
    , m_tap(std::move(tap)) {
    giveUp();
}

DemoSpeaker::~DemoSpeaker() = default;

bool DemoSpeaker::drain(std::chrono::milliseconds) {
    return true;
}

void DemoSpeaker::giveUp() {
    if (m_gaveUp) return;
    m_gaveUp = true;
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString said = QCoreApplication::translate(
        "Demo", "%1: no audio output; the simulated unit plays silently");
    std::fprintf(stderr, "%s\n", qPrintable(said.arg(program)));
}

} // namespace tonaq::sound
