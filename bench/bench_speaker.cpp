// The demo unit heard at the sound server: from a keypad press in the window to the first
// sample above -40 dBFS in the recording of a PulseAudio null sink's monitor, and how many
// tones of a memory play reach it. The bench starts that server itself (pulseaudio and
// parecord must be installed); press and recording share the steady clock.
#include "benchkit.h"
#include "program.h"
#include "soundcheck.h"

#include "sound/demo.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <string>
#include <tuple>

using namespace tonaq;

namespace {

constexpr int kPresses = 60;
constexpr int kHoldMs = 150;

// Waits until the recording has been silent for `quietMs` after sound at or past `from`.
bool waitForQuiet(test::SoundServer &server, qsizetype from, double quietMs) {
    const qsizetype quiet = qsizetype(quietMs * test::SoundServer::kRate / 1000);
    return QTest::qWaitFor(
        [&] {
            const QList<qint16> &heard = server.recorded();
            qsizetype last = -1;
            for (qsizetype i = heard.size() - 1; i >= from && last < 0; --i)
                if (std::abs(heard[i]) > 328) last = i;
            return last >= 0 && heard.size() - last > quiet;
        },
        1000);
}

// Waits until the recording reaches `unitMs` on the unit's clock.
bool waitForRecordingPast(test::SoundServer &server, sim::SimulatedUnit &unit, double unitMs) {
    const double offset = bench::steadyMs() - unit.nowMs();
    return QTest::qWaitFor(
        [&] {
            const double end = server.originMs() +
                               1000.0 * double(server.recorded().size()) / test::SoundServer::kRate;
            return end >= unitMs + offset;
        },
        10000);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    test::SoundServer server;
    if (!server.failure().isEmpty()) {
        std::fprintf(stderr, "bench_speaker: %s\n", qPrintable(server.failure()));
        return 1;
    }
    server.useInThisProcess();
    if (!server.startRecording()) {
        std::fprintf(stderr, "bench_speaker: parecord recorded nothing\n");
        return 1;
    }
    test::Program program;
    sound::Demo demo;
    sim::SimulatedUnit &unit = demo.unit();
    program.ports.attach(3, unit);
    program.start();
    program.connectTo(3);

    // Presses 0.2 s apart, while the output still plays out the silence after the last tone,
    // then presses after it has gone to sleep.
    QPushButton *five = program.find<QPushButton>("KeyPad(4)");
    for (const auto &[name, presses, idleMs] :
         {std::tuple{"keypad", kPresses, 0},
          std::tuple{"keypad_after_sleep", kPresses / 6, 1500}}) {
        QList<double> latencies;
        for (int i = 0; i < presses; ++i) {
            QTest::qWait(idleMs);
            server.clear();
            const double pressed = bench::steadyMs();
            QTest::mousePress(five, Qt::LeftButton);
            QTest::qWait(kHoldMs); // the key held, events served
            QTest::mouseRelease(five, Qt::LeftButton);
            if (!waitForQuiet(server, 0, 60)) continue; // not heard
            const qsizetype first = test::firstSoundAt(server.recorded());
            latencies.append(server.originMs() + 1000.0 * first / test::SoundServer::kRate -
                             pressed);
        }
        const std::string prefix = name;
        std::printf("%s_heard: %lld of %d presses\n", name, qlonglong(latencies.size()), presses);
        bench::report((prefix + "_to_sound_p50").c_str(), bench::percentile(latencies, 50), "ms");
        bench::report((prefix + "_to_sound_p99").c_str(), bench::percentile(latencies, 99), "ms");
    }

    // Locations 2 and 3 as the unit keeps them by default: 13 tones.
    server.clear();
    unit.clearRecords();
    program.type("txtLoc", "23");
    program.click("cmdMemPlay");
    if (!QTest::qWaitFor(
            [&] { return unit.tones().size() == 13 && std::isfinite(unit.tones().last().endMs); },
            10000))
        std::fprintf(stderr, "bench_speaker: the memory play did not end\n");
    QByteArray played;
    for (const sim::SoundedTone &tone : unit.tones())
        played += tone.tone;
    if (!waitForRecordingPast(server, unit, unit.tones().last().endMs + 500))
        std::fprintf(stderr, "bench_speaker: the recording stopped\n");
    const auto heard = test::heardTones(server.recorded(), test::SoundServer::kRate);
    std::printf("memoryplay_played: %s\nmemoryplay_heard: %s\n", played.constData(),
                qPrintable(test::keysOf(heard)));
    return 0;
}
