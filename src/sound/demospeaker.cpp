#include "sound/demospeaker.h"

#include "sim/wavrenderer.h"
#include "sound/tonestream.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <cstdio>

namespace tonaq::sound {

namespace {
// How far ahead the sink asks for audio: a tone starts this much after the unit starts it.
constexpr qint64 kBufferMicroseconds = 30'000;

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

// The unit's own format when the device takes it; otherwise the device's, which the stream
// converts to.
QAudioFormat formatFor(const QAudioDevice &device) {
    QAudioFormat format;
    format.setSampleRate(sim::WavRenderer::kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return device.isFormatSupported(format) ? format : device.preferredFormat();
}
} // namespace

DemoSpeaker::DemoSpeaker(sim::SimulatedUnit &unit, QObject *parent)
    : QObject(parent)
    , m_unit(unit) {
    if (openOutput())
        listen();
    else
        giveUp();
}

DemoSpeaker::~DemoSpeaker() {
    if (m_listening) m_unit.setToneListener({});
}

bool DemoSpeaker::openOutput() {
    const BackendWarningsMuted muted;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return false;
    const QAudioFormat format = formatFor(device);
    if (!format.isValid()) return false;
    m_sink = new QAudioSink(device, format, this);
    m_sink->setBufferSize(format.bytesForDuration(kBufferMicroseconds));
    m_stream = new ToneStream(format, this);
    m_stream->open(QIODevice::ReadOnly);
    m_sink->start(m_stream);
    return m_sink->error() == QAudio::NoError;
}

void DemoSpeaker::listen() {
    connect(m_sink, &QAudioSink::stateChanged, this, &DemoSpeaker::sinkStateChanged);
    // The listener runs on the unit's thread: it only hands the change over to this one.
    m_unit.setToneListener([this](sim::ToneChange change, const sim::SoundedTone &tone) {
        QMetaObject::invokeMethod(
            this, [this, change, tone] { toneChanged(change, tone); }, Qt::QueuedConnection);
    });
    m_listening = true;
}

void DemoSpeaker::toneChanged(sim::ToneChange change, const sim::SoundedTone &tone) {
    if (change == sim::ToneChange::Started)
        m_stream->start(tone);
    else
        m_stream->end(tone);
}

void DemoSpeaker::sinkStateChanged() {
    // An underrun only means the program was busy for a moment; it plays on.
    const QAudio::Error error = m_sink->error();
    if (error == QAudio::OpenError || error == QAudio::FatalError) giveUp();
}

void DemoSpeaker::giveUp() {
    if (m_listening) m_unit.setToneListener({});
    m_listening = false;
    if (m_sink) {
        m_sink->disconnect(this); // stop() signals again; once is enough
        m_sink->stop();
    }
    // Named as the program that runs it: tonaq or tonaqctl.
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    std::fprintf(stderr, "%s: no audio output; the simulated unit plays silently\n",
                 qPrintable(program));
}

} // namespace tonaq::sound
