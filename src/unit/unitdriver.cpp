#include "unit/unitdriver.h"

#include "base/trap.h"

namespace tonaq {

namespace {

// Texts cross the line as single bytes (Latin-1), as the unit's firmware expects.
QByteArray wire(const QString &command) {
    return command.toLatin1();
}

QString digit(int index) {
    return QString(QChar(u'0' + index));
}

constexpr ReplyShape kLocationReport = ReplyShape::lineCount(4);
const QString kLineEnd = QStringLiteral("\r\n");

} // namespace

UnitDriver::UnitDriver(const PortMap &ports, WireTrace *trace)
    : m_channel(ports, trace) {}

QString UnitDriver::transact(const QString &command, ReplyShape shape) {
    return QString::fromLatin1(m_channel.transact(wire(command), shape));
}

bool UnitDriver::handshake() {
    return transact(QStringLiteral("@"), ReplyShape::line()).contains(u"Connect");
}

QString UnitDriver::firmwareVersion() {
    return transact(QStringLiteral("R"), ReplyShape::line());
}

bool UnitDriver::attention() {
    return !transact(QStringLiteral("@"), ReplyShape::line()).isEmpty();
}

void UnitDriver::interrupt() {
    transact(kLineEnd, ReplyShape::unexaminedLine());
}

void UnitDriver::startTone(QChar tone) {
    m_channel.send(wire(u'%' + QString(tone)));
}

void UnitDriver::stopTone() {
    m_channel.send(wire(QStringLiteral("%")));
}

void UnitDriver::silence() {
    transact(QStringLiteral("%"), ReplyShape::none());
}

bool UnitDriver::enterSingleTone() {
    return transact(QStringLiteral("I"), ReplyShape::line()).contains(u"SM");
}

void UnitDriver::playTimedTone(const QString &tone, const QString &duration) {
    transact(tone + u',' + duration + u'\r', ReplyShape::unexaminedLine());
}

bool UnitDriver::enterMemoryPlay() {
    return transact(QStringLiteral("M"), ReplyShape::line()).contains(u"MP");
}

void UnitDriver::selectPlayLocation(int index) {
    transact(digit(index) + kLineEnd, ReplyShape::unexaminedLine());
}

bool UnitDriver::readyArrived() {
    return QString::fromLatin1(m_channel.readReply(ReplyShape::line())).contains(u"Ready");
}

void UnitDriver::confirmPlayed(QChar typed) {
    transact(typed + kLineEnd, ReplyShape::unexaminedLine());
}

void UnitDriver::enterView() {
    transact(QStringLiteral("V"), ReplyShape::unexaminedLine());
}

QString UnitDriver::viewLocation(int index) {
    return transact(digit(index), kLocationReport);
}

bool UnitDriver::enterStore() {
    return transact(QStringLiteral("S"), ReplyShape::line()).contains(u"SS");
}

void UnitDriver::selectStoreLocation(int index) {
    transact(digit(index) + kLineEnd, ReplyShape::unexaminedLine());
}

void UnitDriver::storeTimes(const QString &length, const QString &space) {
    transact(length + u',' + space + kLineEnd, ReplyShape::unexaminedLine());
}

void UnitDriver::storeTone(QChar tone) {
    transact(QString(tone), ReplyShape::unexaminedLine());
}

void UnitDriver::endStore() {
    transact(QStringLiteral("."), ReplyShape::unexaminedLine());
}

void UnitDriver::resetMemory() {
    transact(QStringLiteral("^0"), ReplyShape::unexaminedLine());
}

bool UnitDriver::sendSequence(const QList<SequenceRow> &rows) {
    bool taken = true; // a step that fails counts as passed
    ignoringFailure([&] { taken = attention(); });
    if (taken)
        ignoringFailure(
            [&] { taken = transact(QStringLiteral("F"), ReplyShape::line()).contains(u"MM"); });
    if (taken) {
        for (const SequenceRow &row : rows) {
            if (row.tone.isEmpty()) continue;
            for (const QString &field :
                 {row.tone + u',', row.duration + u',', row.space + kLineEnd})
                ignoringFailure([&] { transact(field, ReplyShape::unexaminedLine()); });
        }
    }
    ignoringFailure([&] { interrupt(); });
    return taken;
}

} // namespace tonaq
