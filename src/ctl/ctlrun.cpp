#include "ctl/ctlrun.h"

#include "base/basetitle.h"
#include "base/tonaqerror.h"
#include "link/devicelink.h"
#include "link/wait.h"
#include "link/wiretrace.h"
#include "sound/demo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <chrono>
#include <cmath>

namespace tonaq::ctl {

CtlRun::CtlRun(const CtlOptions &options, QTextStream &out, QTextStream &err, bool terminal)
    : m_options(options)
    , m_out(out)
    , m_err(err)
    , m_desk(err, terminal)
    , m_log(ErrorLog::defaultFolder())
    , m_ports(PortMap::forCurrentUser()) {
    // A failure the window would only log is said here too, and fails the command.
    m_log.setListener([this](const QString &line) {
        m_desk.endProgress();
        m_err << "tonaqctl: " << line << Qt::endl;
        m_logged = true;
    });
}

CtlRun::~CtlRun() = default;

int CtlRun::exec() {
    m_result.insert(QStringLiteral("command"), m_options.commandName);
    int code = setUp();
    if (code == kDone) code = run();
    return finish(code);
}

int CtlRun::setUp() {
    if (!m_options.tracePath.isEmpty()) {
        m_trace = std::make_unique<WireTrace>(m_options.tracePath);
        if (!m_trace->isOpen())
            return failed(kFileError, QStringLiteral("cannot write the trace %1: %2")
                                          .arg(m_options.tracePath, m_trace->errorString()));
    }
    if (m_options.demo) {
        try {
            m_demo = std::make_unique<sound::Demo>();
        } catch (const std::exception &error) {
            return failed(
                kPortError,
                QStringLiteral("no simulated unit: %1").arg(QString::fromLocal8Bit(error.what())));
        }
        m_options.port = m_ports.reserve(m_demo->unit().devicePath());
    }
    m_unit = std::make_unique<UnitDriver>(m_ports, m_trace.get());
    m_unit->channel().createLink(unitLineSettings());
    return kDone;
}

int CtlRun::run() {
    using Step = int (CtlRun::*)();
    const Step steps[] = {nullptr,        &CtlRun::ports, &CtlRun::download, &CtlRun::upload,
                          &CtlRun::reset, &CtlRun::play,  &CtlRun::tone,     &CtlRun::send};
    const Step step = steps[static_cast<int>(m_options.command)]; // in the order of Command
    return step ? (this->*step)() : kUsage;
}

// Opens the port and greets the unit as the window's connect does: "@", then the firmware.
int CtlRun::connect() {
    const QString name = QStringLiteral("COM%1").arg(m_options.port);
    m_result.insert(QStringLiteral("port"), name);
    try {
        DeviceLink &link = m_unit->channel().link();
        link.setPortNumber(m_options.port);
        link.OpenPort();
        Wait(kSettleAfterOpenMs);
        m_unit->setConnected(m_unit->handshake());
        if (!m_unit->Connected())
            return failed(kUnitFailed, QStringLiteral("no unit answered on %1").arg(name));
        m_result.insert(QStringLiteral("firmware"), m_unit->firmwareVersion().trimmed());
    } catch (const TonaqError &error) {
        const int code = m_unit->channel().link().PortIsOpen() ? kUnitFailed : kPortError;
        return failed(code, QStringLiteral("%1: %2").arg(name, error.description()));
    }
    return kDone;
}

int CtlRun::failed(int code, const QString &message) {
    m_desk.endProgress();
    m_err << "tonaqctl: " << message << Qt::endl;
    if (m_error.isEmpty()) m_error = message;
    return code;
}

void CtlRun::putLocations() {
    QJsonArray locations;
    for (int i = 0; i < kLocationCount; ++i) {
        const MemoryLocation &location = m_memory.location(i);
        locations.append(QJsonObject{{QStringLiteral("location"), i + 1},
                                     {QStringLiteral("tones"), location.tones},
                                     {QStringLiteral("length"), location.length},
                                     {QStringLiteral("space"), location.space}});
        if (!m_options.json)
            m_out << i + 1 << ' ' << location.tones << ',' << location.length << ','
                  << location.space << Qt::endl;
    }
    m_result.insert(QStringLiteral("locations"), locations);
}

// The demo unit plays on after the last command (a timed tone, a sequence): let it finish, and
// its sound come out of the speakers (a second at most), so that it is heard and the WAV holds
// it all, then write the WAV.
int CtlRun::finish(int code) {
    m_desk.endProgress();
    if (m_demo) {
        sim::SimulatedUnit &unit = m_demo->unit();
        double due = 0;
        for (const sim::SoundedTone &tone : unit.tones())
            due = std::max(due, std::isfinite(tone.endMs) ? tone.endMs : 0.0);
        if (due > unit.nowMs()) Wait(due - unit.nowMs());
        m_demo->speaker().drain(std::chrono::seconds(1));
        if (!m_options.wavPath.isEmpty() && !unit.writeWav(m_options.wavPath)) {
            failed(kFileError, QStringLiteral("cannot write %1").arg(m_options.wavPath));
            code = code == kDone ? kFileError : code;
        }
    }
    if (!m_options.json) return code;
    m_result.insert(QStringLiteral("exit"), code);
    m_result.insert(QStringLiteral("ok"), code == kDone);
    if (!m_error.isEmpty()) m_result.insert(QStringLiteral("error"), m_error);
    m_out << QJsonDocument(m_result).toJson(QJsonDocument::Indented) << Qt::flush;
    return code;
}

} // namespace tonaq::ctl
