#pragma once

#include "base/locationsandsequence.h"
#include "link/commandchannel.h"

#include <QList>
#include <QString>

namespace tonaq {

// The unit's line: 9600 baud, no parity, 8 data bits, 1 stop bit.
inline QString unitLineSettings() {
    return QStringLiteral("9600,n,8,1");
}
// After the port opens, the line settles this long before the first command goes out.
inline constexpr double kSettleAfterOpenMs = 100;

// Every exchange with the unit, as the operation it is. Each sends its command through the
// channel and reads the reply in the shape the unit gives it, so a reply is taken the moment
// it is whole; the callers never see a command text. Failures of the link are raised as
// TonaqError into the caller, as the channel raises them.
class UnitDriver {
public:
    explicit UnitDriver(const PortMap &ports, WireTrace *trace = nullptr);

    CommandChannel &channel() { return m_channel; }

    // Connecting: "@" answered with a text that names "Connect", and the firmware's version.
    bool handshake();
    QString firmwareVersion();
    // "@": any answer at all says that a unit listens.
    bool attention();
    // A line end: stops a timed tone, a sequence or a memory play, and ends any mode.
    void interrupt();

    // Instant tones, written without waiting: the unit does not answer them.
    void startTone(QChar tone);
    void stopTone();
    // The stop as a command of its own, read back like any other.
    void silence();

    // One tone for a time, timed by the unit.
    bool enterSingleTone();
    void playTimedTone(const QString &tone, const QString &duration);

    // Memory play: the location (0 to 7) plays, and "Ready" says when it is over.
    bool enterMemoryPlay();
    void selectPlayLocation(int index);
    bool readyArrived(); // one read of the unit's later output
    void confirmPlayed(QChar typed);

    // Reading a location (0 to 7): its four-line report, as text.
    void enterView();
    QString viewLocation(int index);

    // Writing a location: open the store, select it, its times, its tones one by one, the end.
    bool enterStore();
    void selectStoreLocation(int index);
    void storeTimes(const QString &length, const QString &space);
    void storeTone(QChar tone);
    void endStore();

    // Every location back to the unit's defaults.
    void resetMemory();

    // The rows whose tone is filled, each as its three fields, then the closing line end. A
    // failing step is passed over as if its test had passed. False when the unit did not take
    // a sequence.
    bool sendSequence(const QList<SequenceRow> &rows);

private:
    QString transact(const QString &command, ReplyShape shape);

    CommandChannel m_channel;
};

} // namespace tonaq
