#include "sound/demospeaker.h"

#include "sound/tonestream.h"

#include <QAudioSink>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#ifdef Q_OS_LINUX
#include <pthread.h>
#include <sched.h>
#endif

namespace tonaq::sound {

namespace {
// The sound server's buffer for the stream (PulseAudio grants three quarters of it). A tone is
// heard about 30 ms after the unit starts it, and the feeding thread may be held up for 20 ms
// or more on a loaded machine without a gap in a tone; at 30 ms asked, 22.5 granted, a test run
// beside a build heard tones split in two.
constexpr qint64 kBufferMicroseconds = 50'000;
// Samples are made this far behind the unit's clock, so that the news of a tone is in before
// them and a tone's fade-in can begin before its start.
constexpr double kLeadMs = 5.0;
constexpr std::chrono::milliseconds kFeedPeriod{5};
// After the last tone the output plays silence this long before it sleeps: the tones of a play
// or a sequence keep their spaces exactly, and an idle program does not wake every 5 ms.
constexpr double kLingerMs = 1000.0;

// The audio backend reports a missing sound server in warnings of its own, with no category to
// switch them off by; the one line giveUp() prints says all that matters. Other messages pass.
class BackendWarningsMuted {
public:
    BackendWarningsMuted() { s_previous = qInstallMessageHandler(&filter); }
    ~BackendWarningsMuted() { qInstallMessageHandler(s_previous); }
    BackendWarningsMuted(const BackendWarningsMuted &) = delete;
    BackendWarningsMuted &operator=(const BackendWarningsMuted &) = delete;

private:
    static void filter(QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (!text.startsWith(u"PulseAudioService:")) s_previous(type, context, text);
    }
    static inline QtMessageHandler s_previous = nullptr;
};

// Real-time scheduling where the user may have it (root, or the rtprio limit audio groups are
// given), for every thread a tone's samples pass on their way out: however loaded the machine,
// none is then held up past the stream's buffer. Elsewhere they run as any thread does and ride
// out about 25 ms; beside three busy loops the sound test then heard a tone split in two runs
// of ten. The feeding thread asks for itself; the unit's thread the first time it tells of a
// tone (news that comes late moves its tone); and the sound server's client library's thread
// once the stream is open (below).
void askForRealTime() {
#ifdef Q_OS_LINUX
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_RR);
    pthread_setschedparam(pthread_self(), SCHED_RR, &param); // refused: as any thread
#endif
}

// The client library hears the server ask for samples on a thread of its own ("threaded-ml"):
// held up, it leaves the stream's room at 0 while the server runs dry, however well the feeding
// thread keeps its time. With only the feeding thread at real-time priority, two busy loops on
// two cores broke a tone in 7 runs of 20.
void askForRealTimeOfTheClient() {
#ifdef Q_OS_LINUX
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_RR);
    const QFileInfoList threads =
        QDir(QStringLiteral("/proc/self/task")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo &thread : threads) {
        QFile name(thread.filePath() + QStringLiteral("/comm"));
        if (name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "threaded-ml")
            sched_setscheduler(thread.fileName().toInt(), SCHED_RR, &param);
    }
#endif
}

// Mono 16-bit at the device's own rate when it takes it, so the server has nothing to
// resample; otherwise the device's format, which the stream converts to.
QAudioFormat formatFor(const QAudioDevice &device) {
    QAudioFormat format = device.preferredFormat();
    QAudioFormat mono = format;
    mono.setChannelCount(1);
    mono.setSampleFormat(QAudioFormat::Int16);
    return device.isFormatSupported(mono) ? mono : format;
}
} // namespace

// The output's side, on the speaker's thread: writes the unit's sound into the sink as fast as
// the sink plays it, and sleeps while there is nothing to play.
class SpeakerOutput : public QObject {
public:
    SpeakerOutput(const QAudioDevice &device, const QAudioFormat &format, ToneTap &tap,
                  std::function<void()> failed)
        : m_device(device)
        , m_format(format)
        , m_stream(format)
        , m_nowMs(tap.nowMs)
        , m_failed(std::move(failed)) {}

    // On the speaker's thread, as are all but tell().
    bool open() {
        askForRealTime();
        m_sink = new QAudioSink(m_device, m_format, this);
        m_sink->setBufferSize(m_format.bytesForDuration(kBufferMicroseconds));
        m_input = m_sink->start();
        if (!m_input || m_sink->error() != QAudio::NoError) return false;
        askForRealTimeOfTheClient();
        connect(m_sink, &QAudioSink::stateChanged, this, [this] {
            // An underrun only means nothing was written for a while; it plays on.
            const QAudio::Error error = m_sink->error();
            if (error == QAudio::OpenError || error == QAudio::FatalError) m_failed();
        });
        m_timer = new QTimer(this);
        m_timer->setTimerType(Qt::PreciseTimer);
        m_timer->setInterval(kFeedPeriod);
        connect(m_timer, &QTimer::timeout, this, &SpeakerOutput::feed);
        return true;
    }

    void close() {
        delete m_timer;
        m_timer = nullptr;
        if (m_sink) m_sink->stop();
        delete m_sink;
        m_sink = nullptr;
    }

    // The unit's thread: the news, and a wake-up when the output sleeps.
    void tell(sim::ToneChange change, const sim::SoundedTone &tone) {
        m_stream.tell(change, tone);
        if (m_asleep.exchange(false))
            QMetaObject::invokeMethod(this, &SpeakerOutput::wake, Qt::QueuedConnection);
    }

    // Any thread: from now on, waits until what was told is played out.
    bool waitUntilDrained(std::chrono::milliseconds most) {
        {
            const std::lock_guard lock(m_drainMutex);
            m_drained = false;
        }
        QMetaObject::invokeMethod(this, &SpeakerOutput::startDraining);
        std::unique_lock lock(m_drainMutex);
        return m_drainedCondition.wait_for(lock, most, [this] { return m_drained; });
    }

private:
    void startDraining() {
        m_draining = true;
        if (m_asleep.exchange(false)) wake();
    }

    void wake() {
        m_stream.resync();
        feed();
        if (m_timer && !m_asleep) m_timer->start();
    }

    void feed() {
        if (!m_sink || m_sink->state() == QAudio::StoppedState) return;
        const double now = m_nowMs();
        const bool sounding = !m_stream.isQuiet();
        if (sounding) m_lastSoundMs = now;
        const qint64 room =
            m_sink->bytesFree() / m_format.bytesPerFrame() * m_format.bytesPerFrame();
        if (room > 0 && now - m_lastSoundMs < kLingerMs) {
            m_bytes.resize(room);
            const qint64 made = m_stream.read(m_bytes.data(), room, now - kLeadMs);
            m_written += m_input->write(m_bytes.constData(), made);
            if (sounding) m_soundEnd = m_written;
        }
        if (m_draining) {
            // Played out once the server has taken all of it through to the sink.
            const qint64 soundEndUs =
                m_soundEnd / m_format.bytesPerFrame() * 1'000'000 / m_format.sampleRate();
            if (m_sink->processedUSecs() < soundEndUs) return;
            m_draining = false;
            const std::lock_guard lock(m_drainMutex);
            m_drained = true;
            m_drainedCondition.notify_all();
        }
        if (sounding || now - m_lastSoundMs < kLingerMs) return;
        m_timer->stop();
        m_asleep = true;
        // News that came between the look and the sleep would find no one to wake.
        if (!m_stream.isQuiet() && m_asleep.exchange(false)) m_timer->start();
    }

    QAudioDevice m_device;
    QAudioFormat m_format;
    ToneStream m_stream;
    std::function<double()> m_nowMs;
    std::function<void()> m_failed;
    QAudioSink *m_sink = nullptr;
    QIODevice *m_input = nullptr; // the sink's
    QTimer *m_timer = nullptr;
    QByteArray m_bytes; // kept between feeds
    qint64 m_written = 0;
    qint64 m_soundEnd = 0;             // of m_written, up to the end of the last tone's fade-out
    double m_lastSoundMs = -kLingerMs; // when a tone was last left to render
    std::atomic<bool> m_asleep = true;
    bool m_draining = false;
    std::mutex m_drainMutex;
    std::condition_variable m_drainedCondition;
    bool m_drained = false; // guarded by the mutex
};

DemoSpeaker::DemoSpeaker(ToneTap tap, QObject *parent)
    : QObject(parent)
    , m_tap(std::move(tap)) {
    QAudioDevice device;
    {
        const BackendWarningsMuted muted;
        device = QMediaDevices::defaultAudioOutput();
    }
    const QAudioFormat format = device.isNull() ? QAudioFormat() : formatFor(device);
    if (!format.isValid()) {
        giveUp();
        return;
    }
    m_output = new SpeakerOutput(device, format, m_tap, [this] {
        QMetaObject::invokeMethod(this, &DemoSpeaker::giveUp, Qt::QueuedConnection);
    });
    m_output->moveToThread(&m_thread);
    m_thread.setObjectName(QStringLiteral("DemoSpeaker"));
    // The output opens on its thread as that starts and closes as it ends, and says each through
    // a future, which ThreadSanitizer follows: Qt's own hand-overs (a blocking queued call, the
    // wait for a thread) go through locks it cannot see into where Qt is not built for it.
    std::promise<bool> opened;
    const QMetaObject::Connection opening = connect(&m_thread, &QThread::started, m_output,
                                                    [&] { opened.set_value(m_output->open()); });
    connect(&m_thread, &QThread::finished, m_output, [this] {
        m_output->close();
        m_closed.set_value();
    });
    m_thread.start();
    const bool isOpen = opened.get_future().get();
    disconnect(opening);
    if (!isOpen) {
        giveUp();
        return;
    }
    m_tap.setListener([output = m_output, raised = false](sim::ToneChange change,
                                                          const sim::SoundedTone &tone) mutable {
        if (!raised) askForRealTime(); // on the unit's thread
        raised = true;
        output->tell(change, tone);
    });
    m_listening = true;
}

// The unit no longer tells the output anything, then the output's thread ends, closing it.
DemoSpeaker::~DemoSpeaker() {
    if (m_listening) m_tap.setListener({});
    if (!m_output) return;
    m_thread.quit();
    m_closed.get_future().wait();
    m_thread.wait();
    delete m_output;
}

bool DemoSpeaker::drain(std::chrono::milliseconds most) {
    return !m_listening || m_output->waitUntilDrained(most);
}

void DemoSpeaker::giveUp() {
    if (m_gaveUp) return;
    m_gaveUp = true;
    if (m_listening.exchange(false)) m_tap.setListener({});
    m_thread.quit(); // which closes the output
    // Named as the program that runs it: tonaq or tonaqctl.
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString said = QCoreApplication::translate(
        "Demo", "%1: no audio output; the simulated unit plays silently");
    std::fprintf(stderr, "%s\n", qPrintable(said.arg(program)));
}

} // namespace tonaq::sound
