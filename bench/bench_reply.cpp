// Where the time of one command and reply goes, through the link alone: from the write to the
// unit receiving it, from its receiving to its first reply byte on the line, and from its
// last reply byte to readReply() returning (how soon the link sees the reply is whole).
#include "benchkit.h"
#include "testports.h"

#include "link/devicelink.h"
#include "sim/ptyunit.h"

#include <QCoreApplication>
#include <algorithm>
#include <string>

using namespace tonaq;

namespace {

constexpr int kCommands = 200;

void measure(const std::string &prefix, int chunkMs) {
    test::TestPorts ports;
    sim::PtyUnit unit; // the program's reading of a real tty
    unit.setChunkMs(chunkMs);
    ports.link(3, unit.devicePath());
    DeviceLink link(ports.map());
    link.setSettings(QStringLiteral("9600,n,8,1"));
    link.setPortNumber(3);
    link.openPort();
    QList<double> toUnit;
    QList<double> toFirstByte;
    QList<double> tail;
    QList<double> senderPause; // the longest pause between two bytes of one reply on the line
    for (int i = 0; i < kCommands; ++i) {
        unit.clearRecords();
        const double start = unit.nowMs();
        link.send("@");
        const QByteArray reply = link.readReply(1, std::chrono::milliseconds(250));
        const double end = unit.nowMs();
        const QList<sim::ReceivedByte> in = unit.receivedLog();
        const QList<sim::SentByte> out = unit.sentLog();
        if (reply != "Connected\r\n" || in.isEmpty() || out.isEmpty()) {
            bench::report((prefix + "_bad_reply").c_str(), i, "index");
            continue;
        }
        toUnit.append(in.front().atMs - start);
        toFirstByte.append(out.front().atMs - in.front().atMs);
        tail.append(end - out.back().atMs);
        double longest = 0;
        for (qsizetype b = 1; b < out.size(); ++b)
            longest = std::max(longest, out[b].atMs - out[b - 1].atMs);
        senderPause.append(longest);
    }
    for (const auto &[name, values] :
         {std::pair{"_to_unit", toUnit}, std::pair{"_to_first_reply_byte", toFirstByte},
          std::pair{"_last_byte_to_return", tail},
          std::pair{"_sender_longest_pause", senderPause}}) {
        bench::report((prefix + name + "_p50").c_str(), bench::percentile(values, 50), "ms");
        bench::report((prefix + name + "_p99").c_str(), bench::percentile(values, 99), "ms");
        bench::report((prefix + name + "_max").c_str(), bench::percentile(values, 100), "ms");
    }
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    measure("reply", 0);
    measure("reply_chunked16", 16);
    return 0;
}
