#include "sim/replies.h"

namespace tonaq::sim::replies {

QByteArray line(const QByteArray &text) {
    return text + "\r\n";
}

QByteArray marker(Marker which, bool missing) {
    // The stand-ins are real words, so that "no reply" and "wrong reply" stay different cases.
    switch (which) {
    case Marker::Connect:
        return line(missing ? "Hello" : "Connected");
    case Marker::SingleTone:
        return line(missing ? "Single" : "SM");
    case Marker::MemoryPlay:
        return line(missing ? "Memory" : "MP");
    case Marker::View:
        return line(missing ? "View" : "VW");
    case Marker::Store:
        return line(missing ? "Store" : "SS");
    case Marker::Sequence:
        return line(missing ? "Multi" : "MM");
    }
    return {};
}

QByteArray locationReport(int index, const StoredLocation &location, ReportFault fault) {
    const QByteArray length = "Length = " + QByteArray::number(location.lengthMs) + "ms";
    const QByteArray space = "Space = " + QByteArray::number(location.spaceMs) + "ms";
    QByteArray times = length + " : " + space;
    if (fault == ReportFault::EmptyThirdLine)
        times.clear();
    else if (fault == ReportFault::NoColon)
        times = length + "   " + space;

    QByteArray report = line({}) + line("Memory location " + QByteArray::number(index));
    if (fault == ReportFault::NoThirdLine) return report;
    report += line(times);
    if (fault == ReportFault::NoFourthLine) return report;
    return report + line("String = " + location.tones);
}

} // namespace tonaq::sim::replies
