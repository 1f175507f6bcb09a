// Download of the eight locations from a unit paced at 9600 baud, straight on its
// pseudo-terminal and through Debian's ser2net on 127.0.0.1: raw TCP, RFC 2217, and both inside
// TLS. Each path reads the unit's replies as the link frames them (a reply ends with its last
// expected line); the figure is each path's elapsed time against the local port's.
#include "benchkit.h"
#include "ser2net.h"

#include "base/tonaqerror.h"
#include "link/networktransport.h"
#include "sim/ptyunit.h"

#include <QCoreApplication>
#include <QSerialPort>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <string>

using namespace tonaq;

namespace {

constexpr int kRuns = 5;
constexpr int kLocations = 8;

struct Step {
    QByteArray command;
    int lines;
};

// The download's traffic: attention and interrupt, then for each location attention, view
// mode and the location's four-line report.
QList<Step> downloadSteps() {
    QList<Step> steps{{"@", 1}, {"\r\n", 1}};
    for (int i = 0; i < kLocations; ++i)
        steps << Step{"@", 1} << Step{"V", 1} << Step{QByteArray(1, char('0' + i)), 4};
    return steps;
}

// Runs the steps; false, said on stderr, when a reply stopped short. `discard` drops what
// nobody asked for.
bool download(QIODevice &stream, const std::function<void()> &discard) {
    for (const Step &step : downloadSteps()) {
        discard();
        stream.write(step.command);
        while (stream.bytesToWrite() > 0)
            if (!stream.waitForBytesWritten(2000)) return false;
        QByteArray reply;
        while (reply.count('\n') < step.lines) {
            if (stream.canReadLine()) {
                reply += stream.readLine();
            } else if (!stream.waitForReadyRead(250)) {
                std::fprintf(stderr, "%s: after %s\n",
                             qPrintable(QString::fromLatin1(step.command.toPercentEncoding())),
                             qPrintable(QString::fromLatin1(
                                 (reply + stream.peek(100)).toPercentEncoding())));
                return false;
            }
        }
    }
    return true;
}

// Median elapsed ms of the runs, with the wire floor and faults reported under `name`.
double measure(const std::string &name, sim::PtyUnit &unit, QIODevice &stream,
               const std::function<void()> &discard) {
    QList<double> elapsed;
    int faults = 0;
    bench::WireTime wire;
    for (int run = 0; run < kRuns; ++run) {
        unit.clearRecords();
        const double start = bench::steadyMs();
        faults += download(stream, discard) ? 0 : 1;
        elapsed.append(bench::steadyMs() - start);
        wire = bench::wireTimeOf(unit);
    }
    const double median = bench::percentile(elapsed, 50);
    bench::reportTransfer(name.c_str(), median, wire);
    bench::report((name + "_faults").c_str(), faults, "runs");
    return median;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (test::Ser2net::program().isEmpty()) {
        std::fprintf(stderr, "ser2net is not installed (scripts/install-deps brings it)\n");
        return 1;
    }
    QTemporaryDir folder;
    QString why;
    const auto certs = test::makeCertificates(folder.path(), QStringLiteral("tonaq"), &why);
    if (!certs) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    // A unit of its own for every path, each paced at 9600 baud as the real one.
    sim::PtyUnit local, raw, telnet, rawTls, telnetTls, rawQuick, telnetQuick;
    test::Ser2net server(folder.path());
    const QString tls =
        QStringLiteral("ssl(key=%1,cert=%2)").arg(certs->serverKey, certs->serverCert);
    const QString ca = QStringLiteral("?ca=") + certs->ca;
    const QList<std::tuple<std::string, sim::PtyUnit *, QString>> paths{
        {"ser2net_raw", &raw,
         QStringLiteral("tcp://127.0.0.1:%1").arg(server.serve({}, raw.devicePath()))},
        {"ser2net_rfc2217", &telnet,
         QStringLiteral("rfc2217://127.0.0.1:%1")
             .arg(server.serve(QStringLiteral("telnet(rfc2217)"), telnet.devicePath()))},
        {"ser2net_raw_tls", &rawTls,
         QStringLiteral("tcp+tls://127.0.0.1:%1%2")
             .arg(server.serve(tls, rawTls.devicePath()))
             .arg(ca)},
        {"ser2net_rfc2217_tls", &telnetTls,
         QStringLiteral("rfc2217+tls://127.0.0.1:%1%2")
             .arg(server.serve(QStringLiteral("telnet(rfc2217),") + tls, telnetTls.devicePath()))
             .arg(ca)},
        // ser2net waits two characters' time after a byte from the device before it sends
        // (chardelay); without that wait:
        {"ser2net_raw_chardelay_off", &rawQuick,
         QStringLiteral("tcp://127.0.0.1:%1")
             .arg(server.serve({}, rawQuick.devicePath(), {QStringLiteral("chardelay: false")}))},
        {"ser2net_rfc2217_chardelay_off", &telnetQuick,
         QStringLiteral("rfc2217://127.0.0.1:%1")
             .arg(server.serve(QStringLiteral("telnet(rfc2217)"), telnetQuick.devicePath(),
                               {QStringLiteral("chardelay: false")}))}};
    if (!server.start(&why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }

    QSerialPort port(local.devicePath());
    port.setBaudRate(9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(local.devicePath()),
                     qPrintable(port.errorString()));
        return 1;
    }
    const double direct = measure("download_local", local, port, [&] {
        port.clear(QSerialPort::Input);
        port.readAll();
    });
    port.close();

    for (const auto &[name, unit, url] : paths) {
        NetworkTransport transport(*parseNetworkAddress(url));
        try {
            const double start = bench::steadyMs();
            transport.open(LineSettings{}, std::chrono::milliseconds(3000));
            bench::report((name + "_open").c_str(), bench::steadyMs() - start, "ms");
        } catch (const TonaqError &error) {
            std::fprintf(stderr, "%s\n", qPrintable(error.description()));
            return 1;
        }
        const double elapsed = measure("download_" + name, *unit, transport.stream(),
                                       [&] { transport.discardInput(); });
        bench::report(("download_" + name + "_vs_local").c_str(), elapsed / direct, "x");
    }
    return 0;
}
