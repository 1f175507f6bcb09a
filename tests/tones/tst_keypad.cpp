#include "app/frmtonaq.h"
#include "program.h"
#include "sim/simulatedunit.h"
#include "tones/instanttoneframe.h"
#include "tones/keypadframe.h"
#include "tonetestkit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace tonaq;

namespace {

// One key event in the tone box: a press, a release, or the windowing system's auto-repeat
// (a release and a press, both marked as repeats).
struct KeyStep {
    enum Kind { Press, Release, Repeat } kind;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};
using KeySteps = QList<KeyStep>;

QString textOf(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const QChar letter(u'a' + (key - Qt::Key_A));
        return modifiers & Qt::ShiftModifier ? letter.toUpper() : letter;
    }
    if (key == Qt::Key_Escape) return QStringLiteral("\x1b");
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde) return {}; // Shift, Ctrl, ...
    return QString(QChar(key));
}

void run(QWidget *box, const KeySteps &steps) {
    for (const KeyStep &step : steps) {
        const QString text = textOf(step.key, step.modifiers);
        if (step.kind == KeyStep::Repeat)
            QTest::simulateEvent(box, false, step.key, step.modifiers, text, true);
        QTest::simulateEvent(box, step.kind != KeyStep::Release, step.key, step.modifiers, text,
                             step.kind == KeyStep::Repeat);
    }
}

QByteArray toneCharacters(const QList<sim::SoundedTone> &tones) {
    QByteArray result;
    for (const sim::SoundedTone &tone : tones)
        result.append(tone.tone);
    return result;
}

} // namespace

Q_DECLARE_METATYPE(KeySteps)

class TestKeypad : public QObject {
    Q_OBJECT
private slots:
    void mousePressSoundsTheButtonsToneUntilRelease_data();
    void mousePressSoundsTheButtonsToneUntilRelease();
    void spaceOrEnterOnAFocusedButtonPlaysNothing();
    void notConnectedWritesNothing();
    void keyboard_data();
    void keyboard();
    void escapeAborts();
    void heldKeypadFiveRendersBothFrequencies();
};

void TestKeypad::mousePressSoundsTheButtonsToneUntilRelease_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("tone");
    QTest::newRow("first button is 1") << 0 << QByteArray("1");
    QTest::newRow("9 is the digit zero") << 9 << QByteArray("0");
    QTest::newRow("10 is star") << 10 << QByteArray("*");
    QTest::newRow("11 is hash") << 11 << QByteArray("#");
    QTest::newRow("15 is D") << 15 << QByteArray("D");
}

void TestKeypad::mousePressSoundsTheButtonsToneUntilRelease() {
    QFETCH(int, index);
    QFETCH(QByteArray, tone);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    QPushButton *key = window.keypad().KeyPad().at(index);

    QTest::mousePress(key, Qt::LeftButton);
    QTRY_COMPARE(unit.received(), "%" + tone);
    QCOMPARE(program.status(), QStringLiteral("Sending tone [%1]").arg(QString::fromLatin1(tone)));
    QTRY_COMPARE(toneCharacters(unit.tones()), tone);
    QVERIFY(std::isinf(unit.tones().front().endMs)); // sounds for as long as it is held

    QTest::mouseRelease(key, Qt::LeftButton);
    QTRY_COMPARE(unit.received(), "%" + tone + "%");
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QTRY_VERIFY(std::isfinite(unit.tones().front().endMs));
}

void TestKeypad::spaceOrEnterOnAFocusedButtonPlaysNothing() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    QPushButton *key = window.keypad().KeyPad().at(4);
    QSignalSpy clicks(key, &QPushButton::clicked);

    for (Qt::Key pressed : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(key, pressed);
    QCOMPARE(clicks.count(), 1); // Space worked the button, and still no tone
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray());
    QVERIFY(unit.tones().isEmpty());
}

void TestKeypad::notConnectedWritesNothing() {
    test::Program program;
    sim::SimulatedUnit &unit = program.addUnit(3);
    unit.setFaults(test::silentUnit());
    FrmTonaq &window = program.start();
    program.connectTo(3); // fails, and leaves the port open
    QVERIFY(!window.channel().Connected());
    unit.clearRecords();

    // As though the controls were on: the handlers themselves refuse.
    QPushButton *five = window.keypad().KeyPad().at(4);
    QLineEdit *box = window.instantTone().txtKeys();
    five->setEnabled(true);
    box->setEnabled(true);
    QTest::mousePress(five, Qt::LeftButton);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    program.window().SetStatus({});
    QTest::mouseRelease(five, Qt::LeftButton);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    QTest::keyClick(box, Qt::Key_5);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    QCOMPARE(box->text(), QStringLiteral("5"));
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray());
}

void TestKeypad::keyboard_data() {
    QTest::addColumn<bool>("keyLock");
    QTest::addColumn<KeySteps>("steps");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("sounded");
    QTest::addColumn<QString>("status");
    const auto row = [](const char *name, bool keyLock, const KeySteps &steps, const char *written,
                        const char *sounded, const char *status = "Ready") {
        QTest::newRow(name) << keyLock << steps << QByteArray(written) << QByteArray(sounded)
                            << QString::fromLatin1(status);
    };
    using S = KeyStep;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Qt::KeyboardModifiers ctrlShift = Qt::ShiftModifier | Qt::ControlModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const char *untouched = "Connected on COM3";
    const KeySteps hold5 = {{S::Press, Qt::Key_5},
                            {S::Repeat, Qt::Key_5},
                            {S::Repeat, Qt::Key_5},
                            {S::Release, Qt::Key_5}};

    row("held 5 pulsates", false, hold5, "%5%5%5%", "555");
    row("held 5 with Key Lock is one tone", true, hold5, "%5%", "5");
    // The Shift key's own release follows a tone key, so it stops the tone once more.
    row("Shift+3 is hash", false,
        {{S::Press, Qt::Key_Shift},
         {S::Press, Qt::Key_NumberSign, shift},
         {S::Release, Qt::Key_NumberSign, shift},
         {S::Release, Qt::Key_Shift, shift}},
        "%#%%", "#");
    row("Shift+8 is star", false,
        {{S::Press, Qt::Key_Asterisk, shift}, {S::Release, Qt::Key_Asterisk, shift}}, "%*%", "*");
    row("Ctrl+Shift+3 is 3", false,
        {{S::Press, Qt::Key_NumberSign, ctrlShift}, {S::Release, Qt::Key_NumberSign, ctrlShift}},
        "%3%", "3");
    row("Shift+5 is 5", false,
        {{S::Press, Qt::Key_Percent, shift}, {S::Release, Qt::Key_Percent, shift}}, "%5%", "5");
    row("number pad 7", false, {{S::Press, Qt::Key_7, pad}, {S::Release, Qt::Key_7, pad}}, "%7%",
        "7");
    row("number pad star is no tone", false,
        {{S::Press, Qt::Key_Asterisk, pad}, {S::Release, Qt::Key_Asterisk, pad}}, "", "",
        untouched);
    row("a without Caps Lock is A", false, {{S::Press, Qt::Key_A}, {S::Release, Qt::Key_A}}, "%A%",
        "A");
    row("E is no tone", false, {{S::Press, Qt::Key_E}, {S::Release, Qt::Key_E}}, "", "", untouched);
    row("Shift during a hold keeps the tone on", false,
        {{S::Press, Qt::Key_5}, {S::Press, Qt::Key_Shift}, {S::Release, Qt::Key_5}}, "%5", "5",
        "Sending tone [5]");
    row("Key Lock: 2 waits until 1 is released", true,
        {{S::Press, Qt::Key_1},
         {S::Press, Qt::Key_2},
         {S::Release, Qt::Key_1},
         {S::Repeat, Qt::Key_2},
         {S::Release, Qt::Key_2}},
        "%1%%2%", "12");
}

void TestKeypad::keyboard() {
    QFETCH(bool, keyLock);
    QFETCH(KeySteps, steps);
    QFETCH(QByteArray, written);
    QFETCH(QByteArray, sounded);
    QFETCH(QString, status);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    window.instantTone().chkKeyLock()->setChecked(keyLock);

    run(window.instantTone().txtKeys(), steps);
    QCOMPARE(test::receivedBeforeFence(window, unit), written);
    QCOMPARE(toneCharacters(unit.tones()), sounded);
    QCOMPARE(program.status(), status);
}

void TestKeypad::escapeAborts() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    QLineEdit *box = window.instantTone().txtKeys();
    QTest::keyClick(box, Qt::Key_7);
    QTest::keyClick(box, Qt::Key_8);
    QCOMPARE(box->text(), QStringLiteral("8")); // the box shows the last key, not the first

    QTest::keyPress(box, Qt::Key_Escape);
    QCOMPARE(box->text(), QString()); // every key-down empties the box
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QTest::keyRelease(box, Qt::Key_Escape); // no tone key: the release writes nothing
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray("%7%%8%\r\n%"));
    QCOMPARE(toneCharacters(unit.tones()), QByteArray("78"));
}

void TestKeypad::heldKeypadFiveRendersBothFrequencies() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    QPushButton *five = window.keypad().KeyPad().at(4);

    QTest::mousePress(five, Qt::LeftButton);
    QTest::qWait(200); // the hold itself
    QTest::mouseRelease(five, Qt::LeftButton);
    QTRY_VERIFY(!unit.tones().isEmpty() && std::isfinite(unit.tones().front().endMs));
    const sim::SoundedTone tone = unit.tones().front();
    const double heldMs = tone.endMs - tone.startMs;
    QVERIFY2(heldMs >= 190, qPrintable(QString::number(heldMs)));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("five.wav"));
    QVERIFY(unit.writeWav(path));
    const QList<qint16> samples = test::readWavSamples(path);
    const test::ToneSpan span = test::dtmfSpan(samples, 770, 1336);
    QVERIFY2(span.valid, qPrintable(span.describe()));
    QVERIFY2(qAbs(span.ms - heldMs) <= 25, qPrintable(span.describe()));
    QVERIFY(!test::dtmfSpan(samples, 697, 1336).valid); // the detector tells "2" from "5"
}

QTEST_MAIN(TestKeypad)
#include "tst_keypad.moc"
