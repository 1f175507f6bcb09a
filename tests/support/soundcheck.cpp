#include "soundcheck.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#ifdef Q_OS_UNIX
#include <sched.h>
#endif

namespace tonaq::test {

namespace {

double steadyMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

double shareOf(std::span<const qint16> part, double hz, int rate) {
    const double k = 2 * std::cos(2 * std::numbers::pi * hz / rate);
    double a = 0, b = 0, energy = 0;
    for (const qint16 sample : part) {
        std::tie(a, b) = std::pair(sample + k * a - b, a);
        energy += double(sample) * sample;
    }
    return energy > 0 ? 2 * (a * a + b * b - k * a * b) / (double(part.size()) * energy) : 0;
}

namespace {

// Energy above 3 kHz against the whole, in dB, over 16 ms (Hann window) centred on `at`.
double edgeDb(std::span<const qint16> samples, qsizetype at, int rate) {
    const qsizetype n = rate * 16 / 1000;
    const qsizetype first = std::clamp<qsizetype>(at - n / 2, 0, qsizetype(samples.size()) - n);
    double high = 0, all = 0;
    for (qsizetype bin = 1; bin < n / 2; ++bin) {
        double re = 0, im = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const double w = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / n);
            const double phase = 2 * std::numbers::pi * bin * i / n;
            re += w * samples[first + i] * std::cos(phase);
            im -= w * samples[first + i] * std::sin(phase);
        }
        all += re * re + im * im;
        if (bin * rate / n >= 3000) high += re * re + im * im;
    }
    return 10 * std::log10(std::max(high, 1e-9) / std::max(all, 1e-9));
}

} // namespace

SoundServer::SoundServer() {
    const QString dir = m_folder.path();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", dir); // its sockets and lock here, not in the user's
    env.insert("HOME", dir);            // and its cookie and state
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    // At real-time priority where it may, as a desktop's sound server runs its IO threads; all
    // of it here, for the thread that relays the stream's samples and requests is the one the
    // busy loops of a loaded test machine would starve (a tone split in 5 runs of 12 beside two
    // of them, 1 in 12 with it at real-time priority).
#ifdef Q_OS_UNIX
    m_server.setChildProcessModifier([] {
        sched_param param{};
        param.sched_priority = sched_get_priority_min(SCHED_RR);
        sched_setscheduler(0, SCHED_RR, &param); // refused: as any process
    });
#endif
    m_server.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--realtime=yes",
                                  "--high-priority=yes", "--use-pid-file=no", "--log-target=stderr",
                                  "--load=module-null-sink sink_name=tonaq_test rate=48000",
                                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" +
                                      dir + "/native"});
    const bool up = QTest::qWaitFor(
        [&] {
            return QFileInfo::exists(dir + "/native") || m_server.state() == QProcess::NotRunning;
        },
        10000);
    if (!up || m_server.state() == QProcess::NotRunning)
        m_failure = "pulseaudio did not start: " + m_server.errorString() + "; " +
                    QString::fromLocal8Bit(m_server.readAll()).trimmed();
}

SoundServer::~SoundServer() {
    for (QProcess *process : {&m_recorder, &m_server}) {
        process->terminate();
        if (!process->waitForFinished(5000)) process->kill();
        process->waitForFinished(5000);
    }
}

void SoundServer::useInThisProcess() const {
    const QProcessEnvironment env = environment();
    for (const char *name : {"PULSE_SERVER", "PULSE_COOKIE", "XDG_RUNTIME_DIR"})
        qputenv(name, env.value(name).toLocal8Bit());
}

QProcessEnvironment SoundServer::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", "unix:" + m_folder.path() + "/native");
    env.insert("XDG_RUNTIME_DIR", m_folder.path());
    env.insert("PULSE_COOKIE", m_folder.path() + "/cookie"); // nothing written to ~/.config
    return env;
}

bool SoundServer::startRecording() {
    m_recorder.setProcessEnvironment(environment());
    QObject::connect(&m_recorder, &QProcess::readyReadStandardOutput, [this] {
        const double now = steadyMs();
        const QByteArray bytes = m_recorder.read(m_recorder.bytesAvailable() & ~qint64(1));
        const auto *first = reinterpret_cast<const qint16 *>(bytes.constData());
        m_samples.append(QList<qint16>(first, first + bytes.size() / 2));
        const double start = now - 1000.0 * double(m_read += bytes.size() / 2) / kRate;
        m_startMs = m_read == bytes.size() / 2 ? start : std::min(m_startMs, start);
    });
    m_recorder.start("parecord", {"--raw", "--format=s16le", "--channels=1",
                                  QStringLiteral("--rate=%1").arg(kRate), "--latency-msec=10",
                                  "--device=tonaq_test.monitor"});
    // A freshly started server takes a new stream's first samples about a second late, and may
    // break its first tone; a desktop's server has long been running. So has this one, here.
    return QTest::qWaitFor([&] { return m_read >= kRate * 5 / 2; }, 10000);
}

double SoundServer::originMs() const {
    return m_startMs + 1000.0 * double(m_cleared) / kRate;
}

const QList<qint16> &SoundServer::recorded() {
    QCoreApplication::processEvents();
    return m_samples;
}

void SoundServer::clear() {
    m_samples.clear();
    m_cleared = m_read;
}

QList<HeardTone> heardTones(std::span<const qint16> samples, int rate) {
    // The level in 1 ms steps, as RMS over 5 ms: longer than the beat of any row and column.
    const qsizetype step = rate / 1000;
    const qsizetype steps = qsizetype(samples.size()) / step;
    QList<double> level(steps);
    for (qsizetype i = 0; i < steps; ++i) {
        double sum = 0;
        for (qsizetype j = std::max<qsizetype>(0, i - 2) * step; j < std::min(steps, i + 3) * step;
             ++j)
            sum += double(samples[j]) * samples[j];
        level[i] = std::sqrt(sum / double(5 * step));
    }
    constexpr double kRows[] = {697, 770, 852, 941};
    constexpr double kColumns[] = {1209, 1336, 1477, 1633};
    constexpr const char *kKeys[] = {"123A", "456B", "789C", "*0#D"};
    constexpr double kSilence = 230; // RMS of a tone at -40 dBFS peak
    QList<HeardTone> tones;
    for (qsizetype i = 0; i < steps;) {
        if (level[i] <= kSilence) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < steps && level[end] > kSilence)
            ++end;
        QList<double> burst(level.begin() + i, level.begin() + end);
        std::ranges::nth_element(burst, burst.begin() + burst.size() / 2);
        const double half = burst[burst.size() / 2] / 2;
        // The half-amplitude points, between the 1 ms steps that straddle them.
        qsizetype rise = i, fall = end - 1;
        while (level[rise] < half)
            ++rise;
        while (level[fall] < half)
            --fall;
        const auto cross = [&](qsizetype below, qsizetype above) {
            return below + (half - level[below]) / (level[above] - level[below]) * (above - below);
        };
        const double startMs = rise > 0 ? cross(rise - 1, rise) : 0;
        const double endMs = fall + 1 < steps ? cross(fall + 1, fall) : double(steps);
        // The key from the middle, 5 ms clear of the edges, 20 ms at most.
        const qsizetype from = qsizetype(startMs + 5) * step;
        const qsizetype count = std::min<qsizetype>(20 * step, qsizetype(endMs - 5) * step - from);
        char key = '?';
        if (count > 5 * step) {
            const auto part = samples.subspan(from, count);
            const auto strongest = [&](const double(&hz)[4]) {
                int best = 0;
                for (int k = 1; k < 4; ++k)
                    if (shareOf(part, hz[k], rate) > shareOf(part, hz[best], rate)) best = k;
                return shareOf(part, hz[best], rate) > 0.3 ? best : -1;
            };
            const int row = strongest(kRows), column = strongest(kColumns);
            if (row >= 0 && column >= 0) key = kKeys[row][column];
        }
        tones.append({key, startMs, endMs - startMs,
                      std::max(edgeDb(samples, qsizetype(startMs * step), rate),
                               edgeDb(samples, qsizetype(endMs * step), rate))});
        i = end;
    }
    return tones;
}

QList<HeardTone> heardInWav(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll().mid(44); // the header the program writes
    constexpr int kWavRate = 8000;
    return heardTones(
        {reinterpret_cast<const qint16 *>(data.constData()), std::size_t(data.size() / 2)},
        kWavRate);
}

QString keysOf(const QList<HeardTone> &tones) {
    QString keys;
    for (const HeardTone &tone : tones)
        keys += QLatin1Char(tone.key);
    return keys;
}

qsizetype firstSoundAt(std::span<const qint16> samples, qsizetype from) {
    constexpr int kMinus40dBFS = 328;
    for (qsizetype i = from; i < qsizetype(samples.size()); ++i)
        if (std::abs(samples[i]) > kMinus40dBFS) return i;
    return -1;
}

} // namespace tonaq::test
