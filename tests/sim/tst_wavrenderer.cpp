// The WAV file of what the unit played, and the live output rendering the same samples.
#include "sim/livetonerenderer.h"
#include "sim/wavrenderer.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace tonaq::sim;

namespace {
constexpr double kStillSounding = std::numeric_limits<double>::infinity();

} // namespace

class TestWavRenderer : public QObject {
    Q_OBJECT
private slots:
    void wavHeader();
    void liveMatchesFile_data();
    void liveMatchesFile();
};

void TestWavRenderer::wavHeader() {
    // RIFF, WAVE, a 16-byte PCM format chunk (mono, 8000 Hz, 16000 bytes/s, 2-byte frames,
    // 16 bits), then the data chunk with its size.
    const QByteArray header = QByteArray::fromHex("52494646 2c000000 57415645 666d7420 10000000"
                                                  "0100 0100 401f0000 803e0000 0200 1000"
                                                  "64617461 08000000");
    QCOMPARE(WavRenderer::wavFile({1, -1, 256, 0}),
             header + QByteArray::fromHex("0100ffff00010000"));
}

void TestWavRenderer::liveMatchesFile_data() {
    QTest::addColumn<char>("tone");
    QTest::addColumn<double>("dueEndMs");
    QTest::addColumn<int>("blocksBeforeEnd"); // rendered before the end is told; -1: never told
    QTest::addColumn<double>("endMs");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<double>("soundingMs"); // what the live output should hold of the tone

    QTest::newRow("timed, whole blocks") << '5' << 100.0 << -1 << 0.0 << 160 << 100.0;
    QTest::newRow("timed, odd blocks") << '#' << 100.0 << -1 << 0.0 << 37 << 100.0;
    QTest::newRow("timed, cut short") << '1' << 200.0 << 2 << 60.0 << 37 << 60.0;
    QTest::newRow("held, end told in time") << 'D' << kStillSounding << 3 << 50.0 << 37 << 50.0;
    // The end came after the output was past it: what was rendered has sounded, then silence.
    QTest::newRow("held, end told late") << '0' << kStillSounding << 10 << 30.0 << 40 << 50.0;
}

void TestWavRenderer::liveMatchesFile() {
    QFETCH(char, tone);
    QFETCH(double, dueEndMs);
    QFETCH(int, blocksBeforeEnd);
    QFETCH(double, endMs);
    QFETCH(int, blockSize);
    QFETCH(double, soundingMs);
    constexpr qsizetype kTotal = 2400; // 300 ms, past every tone here

    LiveToneRenderer live;
    live.start({tone, 0, dueEndMs, ToneSource::Timed});
    QList<qint16> heard;
    for (int block = 0; heard.size() < kTotal; ++block) {
        if (block == blocksBeforeEnd) live.end({tone, 0, endMs, ToneSource::Timed});
        QList<qint16> samples(blockSize);
        live.render({samples.data(), std::size_t(samples.size())});
        heard += samples;
    }
    heard.resize(kTotal);

    QList<qint16> expected = WavRenderer::samples({{tone, 0, soundingMs, ToneSource::Timed}}, 0);
    expected += QList<qint16>(kTotal - expected.size(), 0);
    QCOMPARE(heard, expected);
}

QTEST_GUILESS_MAIN(TestWavRenderer)
#include "tst_wavrenderer.moc"
