#include "ctl/fleetrun.h"

#include "ctl/consoledesk.h"
#include "ctl/stopsignals.h"
#include "link/devicelink.h"
#include "link/replyshape.h"
#include "tones/memoryplaybound.h"
#include "unit/unitdriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <climits>
#include <memory>
#include <vector>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace tonaq::ctl {

namespace {

using std::chrono::milliseconds;

// A process's start and end (Qt, the sound of the demo drained) and the pauses between
// commands (a reset waits a second).
constexpr milliseconds kProcessMargin{3000};
// How long a unit told to stop may take before it is killed.
constexpr int kStopGraceMs = 2000;
// Of a unit's progress on stderr only its last line is kept, the reason when it says no other.
constexpr qint64 kLongestSaid = 1024;

struct Unit {
    QString port;
    std::unique_ptr<QProcess> process;
    QElapsedTimer clock;
    QTimer deadline;
    QString lastSaid; // its last line on stderr
    QString endedBy;  // why this process ended it
};

// A unit whose parent goes without a word (killed) ends as well: no unit is left in the middle
// of an exchange without an owner.
void endWithParent([[maybe_unused]] QProcess &process) {
#ifdef Q_OS_LINUX
    process.setChildProcessModifier([parent = ::getpid()] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(kPortError); // it went before the request was made
    });
#endif
}

} // namespace

QString fileForUnit(const QString &file, const QString &port) {
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_-]+"));
    const QString name = QString(port).replace(unsafe, QStringLiteral("_"));
    const QFileInfo info(file);
    const QString folder =
        info.path() == u'.' && !file.startsWith(u'.') ? QString() : info.path() + u'/';
    return folder + info.completeBaseName() + u'.' + name +
           (info.suffix().isEmpty() ? QString() : u'.' + info.suffix());
}

milliseconds unitDeadline(const CtlOptions &options) {
    const milliseconds plays =
        qsizetype(options.locations.size()) *
        (longestLocationPlay(QString(), QString(), QString()) + kReadyMargin);
    return DeviceLink::kOpenDeadline + milliseconds(qint64(kSettleAfterOpenMs)) +
           mostExchanges(options) * replyDeadline(1, kFirstByteTimeout) + plays + kProcessMargin;
}

FleetRun::FleetRun(const CtlOptions &options, QTextStream &out, bool terminal)
    : m_options(options)
    , m_out(out)
    , m_terminal(terminal) {}

// The command line of one unit, made from what was understood of the whole one: the command's
// own arguments by their place (a download's file is the first, whatever its name), this unit
// alone, and, for a download, the unit's own file.
QStringList FleetRun::argumentsFor(const QString &port) const {
    QStringList arguments{m_options.commandName};
    arguments += m_options.arguments;
    if (m_options.command == Command::Download) arguments[1] = fileForUnit(m_options.file, port);
    if (m_options.command == Command::Upload) {
        QStringList rows;
        for (const int row : m_options.rows)
            rows << QString::number(row);
        arguments << QStringLiteral("--rows") << rows.join(u',');
    }
    for (const auto &[option, value] :
         {std::pair{"--ca-file", m_options.caFile}, {"--trace", m_options.tracePath}}) {
        if (!value.isEmpty()) arguments << QLatin1String(option) << value;
    }
    // Each unit answers in JSON: its failure comes back in English, as results are written
    // whatever the operator's language.
    return arguments << QStringLiteral("--json") << QStringLiteral("--port") << port;
}

int FleetRun::exec() {
    const milliseconds deadline = unitDeadline(m_options);
    std::vector<std::unique_ptr<Unit>> units;
    for (const QString &port : std::as_const(m_options.ports)) {
        auto unit = std::make_unique<Unit>();
        unit->port = port;
        unit->process = std::make_unique<QProcess>();
        unit->process->setProgram(QCoreApplication::applicationFilePath());
        unit->process->setArguments(argumentsFor(port));
        endWithParent(*unit->process);
        unit->deadline.setSingleShot(true);
        unit->deadline.setInterval(std::min(deadline, milliseconds(INT_MAX)));
        units.push_back(std::move(unit));
    }
    QEventLoop loop;
    int running = 0;
    int done = 0;
    const auto ended = [&](Unit &unit) {
        unit.deadline.stop();
        const double seconds = unit.clock.elapsed() / 1000.0;
        QProcess &process = *unit.process;
        const bool crashed = process.exitStatus() != QProcess::NormalExit;
        const int code =
            crashed || process.error() == QProcess::FailedToStart ? kPortError : process.exitCode();
        const bool ok = code == kDone;
        const QJsonObject result =
            QJsonDocument::fromJson(process.readAllStandardOutput()).object();
        // Every failure names its reason: the unit's own, else what ended it.
        QString reason = result.value(QLatin1String("error")).toString();
        if (reason.isEmpty()) reason = unit.endedBy;
        if (reason.isEmpty() && process.error() == QProcess::FailedToStart)
            reason = process.errorString();
        if (reason.isEmpty() && crashed)
            reason = QStringLiteral("ended by signal %1").arg(process.exitCode());
        if (reason.isEmpty()) reason = unit.lastSaid;
        if (reason.isEmpty()) reason = QStringLiteral("exit status %1 without a word").arg(code);
        if (ok) ++done;
        const QString time = QString::number(seconds, 'f', 2);
        if (m_options.json) {
            QJsonObject line{{QStringLiteral("port"), unit.port},
                             {QStringLiteral("exit"), code},
                             {QStringLiteral("ok"), ok},
                             {QStringLiteral("seconds"), seconds}};
            if (!ok) line.insert(QStringLiteral("error"), reason);
            if (!result.isEmpty()) line.insert(QStringLiteral("result"), result);
            m_out << QJsonDocument(line).toJson(QJsonDocument::Compact) << Qt::endl;
        } else if (ok) {
            m_out << unit.port << " done " << time << " s" << Qt::endl;
        } else {
            m_out << unit.port << " failed " << code << ' ' << time
                  << " s: " << (m_terminal ? withVisibleControls(reason) : reason) << Qt::endl;
        }
        if (--running == 0) loop.quit();
    };
    for (const std::unique_ptr<Unit> &owned : units) {
        Unit &unit = *owned;
        QProcess &process = *unit.process;
        QObject::connect(&process, &QProcess::finished, &loop, [&ended, &unit] { ended(unit); });
        QObject::connect(&process, &QProcess::errorOccurred, &loop,
                         [&ended, &unit](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) ended(unit);
                         });
        QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&unit, &process] {
            while (process.canReadLine() || process.bytesAvailable() > kLongestSaid) {
                const QString line = QString::fromUtf8(process.readLine(kLongestSaid)).trimmed();
                if (!line.isEmpty()) unit.lastSaid = line.section(QStringLiteral("tonaqctl: "), -1);
            }
        });
        process.setReadChannel(QProcess::StandardError);
        QObject::connect(&unit.deadline, &QTimer::timeout, &loop, [&unit, deadline] {
            unit.endedBy =
                QStringLiteral("no end within %1 s, ended")
                    .arg(std::chrono::duration_cast<std::chrono::seconds>(deadline).count());
            unit.process->kill();
        });
        ++running;
        unit.clock.start();
        unit.deadline.start();
        process.start();
    }
    // Stopped: every unit is told to stop, and killed when it takes too long; each is waited
    // for, said as it ended, and summed up as ever before this process goes.
    int stoppedBy = 0;
    StopSignals stops;
    QObject::connect(&stops, &StopSignals::received, &loop, [&](int signal) {
        if (stoppedBy != 0) return;
        stoppedBy = signal;
        for (const std::unique_ptr<Unit> &unit : units) {
            if (unit->process->state() == QProcess::NotRunning) continue;
            unit->endedBy = QStringLiteral("stopped by signal %1").arg(signal);
            unit->process->terminate();
            QTimer::singleShot(kStopGraceMs, unit->process.get(), &QProcess::kill);
        }
    });
    if (running > 0) loop.exec();
    const int failed = int(units.size()) - done;
    if (m_options.json) {
        m_out << QJsonDocument(QJsonObject{{QStringLiteral("units"), int(units.size())},
                                           {QStringLiteral("done"), done},
                                           {QStringLiteral("failed"), failed}})
                     .toJson(QJsonDocument::Compact)
              << Qt::endl;
    } else {
        m_out << units.size() << " units: " << done << " done, " << failed << " failed" << Qt::endl;
    }
    if (stoppedBy != 0) StopSignals::endAs(stoppedBy);
    return failed == 0 ? kDone : kSomeUnitsFailed;
}

} // namespace tonaq::ctl
