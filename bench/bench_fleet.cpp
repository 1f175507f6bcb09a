// tonaqctl programming many units at once: an upload of all eight locations with its read-back
// to one unit, to eight and to thirty-two on local pseudo-terminals, to eight behind ser2net,
// and to eight of which two fail (one silent, one pulled out halfway), the six good units'
// times beside those of a run without the two. Every unit's memory is checked afterwards.
#include "benchkit.h"
#include "ser2net.h"

#include "sim/ptyunit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

using namespace tonaq;

namespace {

constexpr int kBoundMs = 120000;

// Eight locations of twenty tones, so the upload writes and reads back the whole memory.
QByteArray fullFile() {
    QByteArray bytes;
    for (int i = 0; i < 8; ++i)
        bytes += QByteArray("0123456789ABCD*#0123") + "," + QByteArray::number(40 + i) + ",30\r\n";
    return bytes + QByteArray(",,\r\n").repeated(20);
}

struct Fleet {
    QTemporaryDir home;
    std::vector<std::unique_ptr<sim::PtyUnit>> units;
    std::unique_ptr<test::Ser2net> server;
    QStringList ports;
};

// Units linked as COM1... in a ports folder of their own, or behind ser2net.
std::unique_ptr<Fleet> fleetOf(int count, bool network) {
    auto fleet = std::make_unique<Fleet>();
    QDir().mkpath(fleet->home.filePath("Tonaq/ports"));
    if (network) fleet->server = std::make_unique<test::Ser2net>(fleet->home.path());
    for (int i = 1; i <= count; ++i) {
        fleet->units.push_back(std::make_unique<sim::PtyUnit>());
        const QString device = fleet->units.back()->devicePath();
        if (network) {
            fleet->ports << QStringLiteral("rfc2217://127.0.0.1:%1")
                                .arg(fleet->server->serve(QStringLiteral("telnet(rfc2217)"), device,
                                                          {QStringLiteral("chardelay: false")}));
        } else {
            QFile::link(device, fleet->home.filePath(QStringLiteral("Tonaq/ports/COM%1").arg(i)));
            fleet->ports << QStringLiteral("COM%1").arg(i);
        }
    }
    QString why;
    if (network && !fleet->server->start(&why)) qFatal("ser2net: %s", qPrintable(why));
    return fleet;
}

struct Outcome {
    double ms = 0;
    int exitCode = -1;
    QHash<QString, double> seconds; // of each unit, as tonaqctl said
};

Outcome upload(Fleet &fleet, const QString &file, const std::function<void()> &during = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", fleet.home.path());
    process.setProcessEnvironment(environment);
    const double start = bench::steadyMs();
    process.start(QStringLiteral(TONAQCTL),
                  {"upload", file, "--json", "--port", fleet.ports.join(u',')});
    if (during) during();
    process.waitForFinished(kBoundMs);
    Outcome outcome{bench::steadyMs() - start, process.exitCode(), {}};
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QJsonObject unit = QJsonDocument::fromJson(line).object();
        if (unit.contains("port"))
            outcome.seconds[unit["port"].toString()] = unit["seconds"].toDouble();
    }
    return outcome;
}

// Units whose memory is not what the file says.
int wrong(const Fleet &fleet, int skip = 0) {
    int count = 0;
    for (std::size_t i = 0; i + skip < fleet.units.size(); ++i) {
        for (int location = 0; location < 8; ++location) {
            if (fleet.units[i]->location(location).tones != "0123456789ABCD*#0123") {
                ++count;
                break;
            }
        }
    }
    return count;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString file = folder.filePath("full.tnq");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(fullFile());
    out.close();

    double one = 0;
    for (const auto &[name, count, network] :
         {std::tuple<std::string, int, bool>{"fleet_1_local", 1, false},
          {"fleet_8_local", 8, false},
          {"fleet_32_local", 32, false},
          {"fleet_8_ser2net", 8, true}}) {
        if (network && test::Ser2net::program().isEmpty()) continue;
        auto fleet = fleetOf(count, network);
        const Outcome outcome = upload(*fleet, file);
        if (count == 1) one = outcome.ms;
        bench::report((name + "_ms").c_str(), outcome.ms, "ms");
        bench::report((name + "_x_one").c_str(), outcome.ms / one, "x");
        bench::report((name + "_exit").c_str(), outcome.exitCode, "");
        bench::report((name + "_units_wrong").c_str(), wrong(*fleet), "units");
    }

    // Six good units, then the same six beside a silent one and one pulled out halfway.
    auto good = fleetOf(6, false);
    const Outcome alone = upload(*good, file);
    auto mixed = fleetOf(8, false);
    mixed->units[6]->setFaults({.silent = true});
    sim::PtyUnit &pulled = *mixed->units[7];
    const Outcome beside = upload(*mixed, file, [&] {
        // Pulled then, or at the latest after the bound: the figures say which.
        (void)QTest::qWaitFor([&] { return pulled.received().contains("@S4"); }, kBoundMs);
        pulled.vanish();
    });
    QList<double> goodAlone, goodBeside;
    for (int i = 1; i <= 6; ++i) {
        goodAlone << alone.seconds.value(QStringLiteral("COM%1").arg(i)) * 1000;
        goodBeside << beside.seconds.value(QStringLiteral("COM%1").arg(i)) * 1000;
    }
    bench::report("fleet_6_good_alone_p50", bench::percentile(goodAlone, 50), "ms");
    bench::report("fleet_6_good_beside_2_faulty_p50", bench::percentile(goodBeside, 50), "ms");
    bench::report("fleet_6_good_beside_2_faulty_max", bench::percentile(goodBeside, 100), "ms");
    bench::report("fleet_8_with_2_faulty_exit", beside.exitCode, "");
    bench::report("fleet_8_with_2_faulty_good_units_wrong", wrong(*mixed, 2), "units");
    return 0;
}
