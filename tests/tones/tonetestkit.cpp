#include "tonetestkit.h"

#include "sim/simulatedunit.h"
#include "sim/wavrenderer.h"

#include <QEvent>
#include <QFile>
#include <QTest>
#include <QWidget>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace tonaq::test {

namespace {
constexpr char kFence = '~';
constexpr int kBlock = 205;
constexpr double kDtmfHz[] = {697, 770, 852, 941, 1209, 1336, 1477, 1633};

double goertzelPower(const qint16 *samples, int count, double hz) {
    const double coefficient =
        2 * std::cos(2 * std::numbers::pi * hz / sim::WavRenderer::kSampleRate);
    double previous = 0, beforePrevious = 0;
    for (int i = 0; i < count; ++i) {
        const double current = samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious -
           coefficient * previous * beforePrevious;
}

bool blockHasPair(const qint16 *samples, double lowHz, double highHz) {
    const double low = goertzelPower(samples, kBlock, lowHz);
    const double high = goertzelPower(samples, kBlock, highHz);
    double strongestOther = 0;
    for (double hz : kDtmfHz) {
        if (hz != lowHz && hz != highHz)
            strongestOther = std::max(strongestOther, goertzelPower(samples, kBlock, hz));
    }
    return std::min(low, high) > 10 * strongestOther;
}
} // namespace

Rig::Rig()
    : unit(program.addUnit(3))
    , window(program.start()) {
    program.connectTo(3);
    QVERIFY(window.channel().Connected());
    unit.clearRecords();
}

QByteArray receivedBeforeFence(FrmTonaq &window, sim::SimulatedUnit &unit) {
    window.channel().SendCommand(QString(QChar(kFence)));
    if (!QTest::qWaitFor([&] { return unit.received().endsWith(kFence); }))
        return "no fence: " + unit.received();
    QByteArray received = unit.received();
    received.chop(1);
    return received;
}

EnabledRecorder::EnabledRecorder(QWidget *widget) {
    widget->installEventFilter(this);
}

bool EnabledRecorder::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::EnabledChange)
        states.append(static_cast<QWidget *>(watched)->isEnabled());
    return false;
}

QList<qint16> readWavSamples(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0) return {};
    QList<qint16> samples;
    for (qsizetype at = data + 8; at + 1 < bytes.size(); at += 2)
        samples.append(qFromLittleEndian<qint16>(bytes.constData() + at));
    return samples;
}

ToneSpan dtmfSpan(const QList<qint16> &samples, double lowHz, double highHz) {
    ToneSpan span;
    const auto loud = [](qint16 s) { return s != 0; };
    const auto first = std::find_if(samples.cbegin(), samples.cend(), loud);
    const auto last = std::find_if(samples.crbegin(), samples.crend(), loud).base();
    if (first >= last) return span;
    const qsizetype count = last - first;
    span.ms = 1000.0 * double(count) / sim::WavRenderer::kSampleRate;
    for (qsizetype at = 0; at + kBlock <= count; at += kBlock) {
        ++span.blocks;
        if (blockHasPair(&*(first + at), lowHz, highHz)) ++span.matchingBlocks;
    }
    span.valid = span.blocks > 0 && span.matchingBlocks == span.blocks;
    return span;
}

QString ToneSpan::describe() const {
    return QStringLiteral("%1 ms of sound, %2 of %3 blocks hold the pair")
        .arg(ms)
        .arg(matchingBlocks)
        .arg(blocks);
}

} // namespace tonaq::test
