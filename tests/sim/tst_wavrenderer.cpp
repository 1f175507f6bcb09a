// What the unit "played", checked by listening with a Goertzel filter per DTMF frequency.
#include "sim/wavrenderer.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <numbers>

using namespace tonaq::sim;

namespace {
constexpr double kStillSounding = std::numeric_limits<double>::infinity();
const QList<int> kDtmfHz = {697, 770, 852, 941, 1209, 1336, 1477, 1633};

// The amplitude of one frequency over a stretch of samples.
double amplitudeAt(const QList<qint16> &samples, qsizetype from, qsizetype to, int hz) {
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hz / WavRenderer::kSampleRate);
    double s1 = 0, s2 = 0;
    for (qsizetype i = from; i < to; ++i) {
        const double s0 = samples[i] + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2 * std::sqrt(std::max(0.0, power)) / double(to - from);
}
} // namespace

class TestWavRenderer : public QObject {
    Q_OBJECT
private slots:
    void toneHasItsTwoFrequencies_data();
    void toneHasItsTwoFrequencies();
    void silenceBetweenTones();
    void wavHeader();
};

void TestWavRenderer::toneHasItsTwoFrequencies_data() {
    QTest::addColumn<char>("tone");
    QTest::addColumn<int>("rowHz");
    QTest::addColumn<int>("columnHz");

    QTest::newRow("5") << '5' << 770 << 1336;
    QTest::newRow("*") << '*' << 941 << 1209;
    QTest::newRow("#") << '#' << 941 << 1477;
    QTest::newRow("A") << 'A' << 697 << 1633;
    QTest::newRow("d as D") << 'd' << 941 << 1633;
}

void TestWavRenderer::toneHasItsTwoFrequencies() {
    QFETCH(char, tone);
    QFETCH(int, rowHz);
    QFETCH(int, columnHz);

    const QList<qint16> samples = WavRenderer::samples({{tone, 1000, 1200, ToneSource::Timed}}, 0);
    QCOMPARE(samples.size(), 1600); // 200 ms at 8 kHz, starting at the tone
    for (const int hz : kDtmfHz) {
        const double amplitude = amplitudeAt(samples, 0, samples.size(), hz);
        if (hz == rowHz || hz == columnHz)
            QVERIFY2(amplitude > 10000, qPrintable(QString::number(hz)));
        else
            QVERIFY2(amplitude < 1000, qPrintable(QString::number(hz)));
    }
}

void TestWavRenderer::silenceBetweenTones() {
    // The second tone is still sounding: it is cut where the caller says "now".
    const QList<qint16> samples = WavRenderer::samples(
        {{'1', 0, 100, ToneSource::Memory}, {'2', 300, kStillSounding, ToneSource::Continuous}},
        400);
    QCOMPARE(samples.size(), 3200);
    QVERIFY(amplitudeAt(samples, 0, 800, 697) > 10000);
    QVERIFY(std::all_of(samples.begin() + 800, samples.begin() + 2400,
                        [](qint16 s) { return s == 0; }));
    QVERIFY(amplitudeAt(samples, 2400, 3200, 1336) > 10000);
}

void TestWavRenderer::wavHeader() {
    // RIFF, WAVE, a 16-byte PCM format chunk (mono, 8000 Hz, 16000 bytes/s, 2-byte frames,
    // 16 bits), then the data chunk with its size.
    const QByteArray header = QByteArray::fromHex("52494646 2c000000 57415645 666d7420 10000000"
                                                  "0100 0100 401f0000 803e0000 0200 1000"
                                                  "64617461 08000000");
    QCOMPARE(WavRenderer::wavFile({1, -1, 256, 0}),
             header + QByteArray::fromHex("0100ffff00010000"));
}

QTEST_GUILESS_MAIN(TestWavRenderer)
#include "tst_wavrenderer.moc"
