#pragma once

#include "program.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

namespace tonaq::sim {
class SimulatedUnit;
}

namespace tonaq::test {

// The program connected to one unit on COM3, whose records start empty.
class Rig {
public:
    Rig();
    Program program;
    sim::SimulatedUnit &unit;
    FrmTonaq &window;
};

// What the unit received before a marker byte that the test itself sends through the
// program's link: the bytes arrive in order, so once the marker is in, everything the
// program wrote before it is too, and "nothing more came" needs no sleep. The marker is a
// byte the unit ignores when idle.
QByteArray receivedBeforeFence(FrmTonaq &window, sim::SimulatedUnit &unit);

// Counts a widget's switches between enabled and disabled, in order.
class EnabledRecorder : public QObject {
public:
    explicit EnabledRecorder(QWidget *widget);
    QList<bool> states;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

QList<qint16> readWavSamples(const QString &path);

// Where a DTMF pair sounds in a recording: the stretch of non-silent samples, checked block
// by block (205 samples, the classic DTMF detector length at 8 kHz) for the two frequencies
// standing well above the other six.
struct ToneSpan {
    double ms = 0;
    int blocks = 0;
    int matchingBlocks = 0;
    bool valid = false;
    QString describe() const;
};
ToneSpan dtmfSpan(const QList<qint16> &samples, double lowHz, double highHz);

} // namespace tonaq::test
