#include "ctl/fleetrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <memory>
#include <vector>

namespace tonaq::ctl {

namespace {

struct Unit {
    QString port;
    std::unique_ptr<QProcess> process;
    QElapsedTimer clock;
};

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

FleetRun::FleetRun(const CtlOptions &options, const QStringList &arguments, QTextStream &out)
    : m_options(options)
    , m_arguments(arguments)
    , m_out(out) {}

// The same command line with this unit alone, and, for a download, the unit's own file.
QStringList FleetRun::argumentsFor(const QString &port) const {
    QStringList arguments;
    bool fileReplaced = false;
    for (qsizetype i = 1; i < m_arguments.size(); ++i) {
        const QString &argument = m_arguments[i];
        if (argument == QLatin1String("--port")) {
            ++i;
            continue;
        }
        if (argument.startsWith(QLatin1String("--port="))) continue;
        if (m_options.command == Command::Download && !fileReplaced && argument == m_options.file) {
            arguments << fileForUnit(argument, port);
            fileReplaced = true;
            continue;
        }
        arguments << argument;
    }
    // Each unit answers in JSON: its failure comes back in English, as results are written
    // whatever the operator's language.
    if (!arguments.contains(QLatin1String("--json"))) arguments << QStringLiteral("--json");
    return arguments << QStringLiteral("--port") << port;
}

int FleetRun::exec() {
    std::vector<Unit> units;
    for (const QString &port : std::as_const(m_options.ports)) {
        Unit unit{port, std::make_unique<QProcess>(), {}};
        unit.process->setProgram(QCoreApplication::applicationFilePath());
        unit.process->setArguments(argumentsFor(port));
        units.push_back(std::move(unit));
    }
    QEventLoop loop;
    int running = 0;
    int done = 0;
    const auto ended = [&](Unit &unit) {
        const double seconds = unit.clock.elapsed() / 1000.0;
        QProcess &process = *unit.process;
        const int code =
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : kPortError;
        const bool ok = code == kDone;
        const QJsonObject result =
            QJsonDocument::fromJson(process.readAllStandardOutput()).object();
        const QString reason = ok ? QString() : result.value(QLatin1String("error")).toString();
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
            m_out << unit.port << " failed " << code << ' ' << time << " s"
                  << (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason) << Qt::endl;
        }
        if (--running == 0) loop.quit();
    };
    for (Unit &unit : units) {
        QObject::connect(unit.process.get(), &QProcess::finished, &loop,
                         [&ended, &unit] { ended(unit); });
        QObject::connect(unit.process.get(), &QProcess::errorOccurred, &loop,
                         [&ended, &unit](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart) ended(unit);
                         });
        ++running;
        unit.clock.start();
        unit.process->start();
    }
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
    return failed == 0 ? kDone : kSomeUnitsFailed;
}

} // namespace tonaq::ctl
