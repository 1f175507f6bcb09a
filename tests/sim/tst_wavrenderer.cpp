// The WAV file of what the unit played, and the live output rendering the same samples.
#include "sim/livetonerenderer.h"
#include "sim/wavrenderer.h"
#include "soundcheck.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace tonaq::sim;

namespace {
constexpr double kStillSounding = std::numeric_limits<double>::infinity();
constexpr double kStepMs = 1000.0 / WavRenderer::kSampleRate;

// The strongest frequency within 3 % of `hz`, in 0.1 % steps.
double peakNear(const QList<qint16> &samples, double hz) {
    double best = hz * 0.97;
    for (double f = best; f <= hz * 1.03; f += hz * 0.001)
        if (tonaq::test::shareOf(samples, f, WavRenderer::kSampleRate) >
            tonaq::test::shareOf(samples, best, WavRenderer::kSampleRate))
            best = f;
    return best;
}

} // namespace

class TestWavRenderer : public QObject {
    Q_OBJECT
private slots:
    void wavHeader() {
        // RIFF, WAVE, a 16-byte PCM format chunk (mono, 8000 Hz, 16000 bytes/s, 2-byte frames,
        // 16 bits), then the data chunk with its size.
        const QByteArray header = QByteArray::fromHex("52494646 2c000000 57415645 666d7420 10000000"
                                                      "0100 0100 401f0000 803e0000 0200 1000"
                                                      "64617461 08000000");
        QCOMPARE(WavRenderer::wavFile({1, -1, 256, 0}),
                 header + QByteArray::fromHex("0100ffff00010000"));
    }

    // Every key: each frequency within 1.5 % of DTMF's, and around each edge the energy above
    // 3 kHz at least 40 dB below the whole (a tone switched on within a sample spreads far above).
    void tonesAreDtmfWithSoftEdges() {
        const double rowHz[] = {697, 770, 852, 941}, columnHz[] = {1209, 1336, 1477, 1633};
        for (int key = 0; key < 16; ++key) {
            const char tone = "123A456B789C*0#D"[key];
            const QByteArray name(1, tone);
            const QList<qint16> samples =
                WavRenderer::samples({{tone, 0, 200, ToneSource::Timed}}, 0);
            for (const double hz : {rowHz[key / 4], columnHz[key % 4]})
                QVERIFY2(std::abs(peakNear(samples, hz) / hz - 1) <= 0.015, name);
            const QList<tonaq::test::HeardTone> heard =
                tonaq::test::heardTones(samples, WavRenderer::kSampleRate);
            QVERIFY2(heard.size() == 1 && heard[0].key == tone && heard[0].edgeDb <= -40 &&
                         std::abs(heard[0].lengthMs - 200) <= 2,
                     name); // between half amplitudes
        }
    }

    void liveMatchesFile_data() {
        QTest::addColumn<char>("tone");
        // Blocks rendered before the start is told, the end due, blocks rendered before the end
        // is told (-1: never) and that end, the block size, and where the live output should
        // hold the tone.
        QTest::addColumn<QList<double>>("timing");
        // Each starts at 2 ms, so its fade-in begins at the output's first sample.
        QTest::newRow("timed, whole blocks") << '5' << QList<double>{0, 102, -1, 0, 160, 2, 102};
        QTest::newRow("timed, odd blocks") << '#' << QList<double>{0, 102, -1, 0, 37, 2, 102};
        QTest::newRow("timed, cut short") << '1' << QList<double>{0, 202, 2, 62, 37, 2, 62};
        QTest::newRow("held, end told in time")
            << 'D' << QList<double>{0, kStillSounding, 3, 52, 37, 2, 52};
        // The end came after the output was past it: what was rendered has sounded, then it fades.
        QTest::newRow("held, end told late")
            << '0' << QList<double>{0, kStillSounding, 10, 32, 40, 2, 52};
        // The start came after the output was past it: the tone sounds whole, as much later.
        QTest::newRow("timed, start told late")
            << '7' << QList<double>{10, 102, -1, 0, 40, 52, 152};
    }

    void liveMatchesFile() {
        QFETCH(char, tone);
        QFETCH(QList<double>, timing);
        const auto blockSize = qsizetype(timing[4]);
        constexpr qsizetype kTotal = 2400; // 300 ms, past every tone here

        LiveToneRenderer live;
        QList<qint16> heard;
        for (int block = 0; heard.size() < kTotal; ++block) {
            if (block == timing[0])
                live.tell(ToneChange::Started, {tone, 2, timing[1], ToneSource::Timed});
            if (block == timing[2])
                live.tell(ToneChange::Ended, {tone, 2, timing[3], ToneSource::Timed});
            QList<qint16> samples(blockSize);
            // Up to just the end of this block: the unit's clock runs at the output's pace.
            const double untilMs = live.nextMs() + blockSize * kStepMs;
            QCOMPARE(live.render({samples.data(), std::size_t(samples.size())}, untilMs),
                     blockSize);
            heard += samples;
        }
        heard.resize(kTotal);
        QVERIFY(live.isQuiet());

        QList<qint16> expected(kTotal, 0); // as the file renders the tone, from 0 ms on
        WavRenderer::addTone({tone, timing[5], timing[6], ToneSource::Timed}, 0, 0,
                             {expected.data(), std::size_t(expected.size())});
        QCOMPARE(heard, expected);
    }

    // However unevenly the output takes its samples (a server that reads ahead in bursts, or that
    // stalls as a freshly started one does), tones keep their places and spaces: catching up after
    // a stall never eats the space between two tones.
    void liveKeepsSpacesWhateverTheOutputTakes() {
        const QList<SoundedTone> tones = {{'1', 2, 52, ToneSource::Memory},
                                          {'2', 92, 142, ToneSource::Memory},
                                          {'3', 182, 232, ToneSource::Memory}};
        LiveToneRenderer live;
        QList<qint16> heard;
        for (double now = 0; now < 1000; now += 5) { // the unit's clock
            for (const SoundedTone &tone : tones)
                if (tone.startMs > now - 5 && tone.startMs <= now)
                    live.tell(ToneChange::Started, tone);
            // Room for 50 ms at first, then none for 400 ms, then 10 ms every 5 ms.
            QList<qint16> block(now == 0 ? 400 : now < 400 ? 0 : 80);
            block.resize(live.render({block.data(), std::size_t(block.size())}, now - 5));
            heard += block;
        }
        QList<qint16> expected(heard.size(), 0);
        for (const SoundedTone &tone : tones) // the timeline set at the first block: -5 ms less 50
            WavRenderer::addTone(tone, -55, 0, {expected.data(), std::size_t(expected.size())});
        QCOMPARE(heard, expected);
    }
};

QTEST_GUILESS_MAIN(TestWavRenderer)
#include "tst_wavrenderer.moc"
