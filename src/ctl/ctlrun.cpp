#include "ctl/ctlrun.h"

#include "base/basetitle.h"
#include "base/tonaqerror.h"
#include "base/trap.h"
#include "link/devicelink.h"
#include "link/wait.h"
#include "link/wiretrace.h"
#include "sim/attach.h"
#include "sound/demo.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <chrono>
#include <cmath>

namespace tonaq::ctl {

CtlRun::CtlRun(const CtlOptions &options, QTextStream &out, QTextStream &err, bool outTerminal,
               bool errTerminal)
    : m_options(options)
    , m_out(out)
    , m_err(err)
    , m_outTerminal(outTerminal)
    , m_errTerminal(errTerminal)
    , m_desk(err, errTerminal)
    , m_log(ErrorLog::defaultFolder())
    , m_ports(PortMap::forCurrentUser()) {
    // A failure the window would only log fails the command here, and is said with it.
    m_log.setListener([this](const QString &line) {
        if (m_logged.isEmpty()) m_logged = line;
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
            return failed(kFileError,
                          QT_TRANSLATE_NOOP("tonaqctl", "cannot write the trace %1: %2"),
                          m_options.tracePath, m_trace->errorString());
    }
    if (m_options.demo) {
        QString why;
        if (!(m_demo = sound::Demo::start(&why)))
            return failed(kPortError, QT_TRANSLATE_NOOP("tonaqctl", "no simulated unit: %1"), why);
        m_options.port = sim::attachSimulatedUnit(m_ports, m_demo->unit(), QStringLiteral("demo"));
    }
    m_ports.setCaFile(m_options.caFile);
    if (!m_options.url.isEmpty()) m_options.port = m_ports.addNetworkUnit(m_options.url);
    m_portName =
        m_options.url.isEmpty() ? QStringLiteral("COM%1").arg(m_options.port) : m_options.url;
    m_session = std::make_unique<UnitSession>(m_ports, m_trace.get());
    QObject::connect(m_session.get(), &UnitSession::progressed,
                     [this](const Progress &progress) { m_desk.report(progress); });
    QObject::connect(m_session.get(), &UnitSession::firmwareAnswered, [this](const QString &reply) {
        m_result.insert(QStringLiteral("firmware"), reply.trimmed());
    });
    m_session->createLink();
    return kDone;
}

// A command that met a failure the window would only log has failed, whatever else it found;
// a unit that went away under it is a port error.
int CtlRun::run() {
    using Step = int (CtlRun::*)();
    const Step steps[] = {nullptr,        &CtlRun::ports, &CtlRun::download, &CtlRun::upload,
                          &CtlRun::reset, &CtlRun::play,  &CtlRun::tone,     &CtlRun::send};
    const Step step = steps[static_cast<int>(m_options.command)]; // in the order of Command
    if (!step) return kUsage;
    int code = (this->*step)();
    if (code == kDone && commandFailed())
        code = failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "%1 did not finish"),
                      m_options.commandName);
    return code;
}

// Opens the port and greets the unit as the window's connect does.
int CtlRun::connect() {
    const QString &name = m_portName;
    m_result.insert(QStringLiteral("port"), name);
    Trap at(m_log, Procedure::Connect); // the window's own steps; said, not logged
    try {
        if (!m_session->connectTo(m_options.port, at))
            return failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "no unit answered on %1"),
                          name);
    } catch (const TonaqError &error) {
        const DeviceLink &link = m_session->link();
        const bool reached = link.isPortOpen() && link.state() == DeviceLink::State::Open;
        // The unit is named once: a failure to open names it already.
        const QString &said = error.description();
        return failed(reached ? kUnitFailed : kPortError,
                      said.contains(name) ? Phrase{said, said} : Phrase{name, name} + said);
    }
    return kDone;
}

// One line on stderr says what failed, with the first failure that was logged meanwhile. A
// unit that went away under the command is a port error, whatever the command met after.
int CtlRun::failed(int code, const Phrase &message) {
    m_desk.endProgress();
    const bool gone = m_session && m_session->unitWasRemoved();
    if (gone) code = kPortError;
    Phrase line = gone ? phrase("tonaqctl", QT_TRANSLATE_NOOP("tonaqctl", "%1: the unit went away"),
                                m_portName)
                       : message;
    if (!m_logged.isEmpty()) line = line + m_logged; // the log's line, English as logged
    if (m_error.isEmpty()) {
        m_err << "tonaqctl: " << (m_errTerminal ? withVisibleControls(line.local) : line.local)
              << Qt::endl;
        m_error = line.english;
    }
    return code;
}

void CtlRun::putLocations() {
    m_desk.endProgress(); // stderr and stdout may be one terminal: results start a line
    QJsonArray locations;
    for (int i = 0; i < kLocationCount; ++i) {
        const MemoryLocation &location = m_memory.location(i);
        locations.append(QJsonObject{{QStringLiteral("location"), i + 1},
                                     {QStringLiteral("tones"), location.tones},
                                     {QStringLiteral("length"), location.length},
                                     {QStringLiteral("space"), location.space}});
        const QString shown = location.tones + u',' + location.length + u',' + location.space;
        if (!m_options.json)
            m_out << i + 1 << ' ' << (m_outTerminal ? withVisibleControls(shown) : shown)
                  << Qt::endl;
    }
    m_result.insert(QStringLiteral("locations"), locations);
}

// The demo unit plays on after the last command (a timed tone, a sequence): let it finish, and
// its sound come out of the speakers (a second at most), so that it is heard and the WAV holds
// it all, then write the WAV.
int CtlRun::finish(int code) {
    m_desk.endProgress();
    if (m_session) ignoringFailure([this] { m_session->link().closePort(); });
    if (m_demo) {
        sim::SimulatedUnit &unit = m_demo->unit();
        double due = 0;
        for (const sim::SoundedTone &tone : unit.tones())
            due = std::max(due, std::isfinite(tone.endMs) ? tone.endMs : 0.0);
        if (due > unit.nowMs()) pauseFor(due - unit.nowMs());
        m_demo->speaker().drain(std::chrono::seconds(1));
        if (!m_options.wavPath.isEmpty() && !unit.writeWav(m_options.wavPath)) {
            failed(kFileError, QT_TRANSLATE_NOOP("tonaqctl", "cannot write %1"), m_options.wavPath);
            code = code == kDone ? kFileError : code;
        }
    }
    // A trace that lost lines is no trace to send with a bug report: said once, whatever else
    // was said.
    if (m_trace && !m_trace->writeFailure().isEmpty()) {
        const Phrase lost =
            phrase("tonaqctl", QT_TRANSLATE_NOOP("tonaqctl", "cannot write the trace %1: %2"),
                   m_options.tracePath, m_trace->writeFailure());
        m_err << "tonaqctl: " << lost.local << Qt::endl;
        if (m_error.isEmpty()) m_error = lost.english;
        if (code == kDone) code = kFileError;
    }
    if (!m_options.json) return code;
    m_result.insert(QStringLiteral("exit"), code);
    m_result.insert(QStringLiteral("ok"), code == kDone);
    if (!m_error.isEmpty()) m_result.insert(QStringLiteral("error"), m_error);
    m_out << QJsonDocument(m_result).toJson(QJsonDocument::Indented) << Qt::flush;
    return code;
}

} // namespace tonaq::ctl
