#include "app/frmtonaq.h"
#include "sim/simulatedunit.h"
#include "tones/singleplayframe.h"
#include "tonetestkit.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace tonaq;

namespace {

// How the operator sets the play off.
enum class Start { ClickPlay, EnterInDuration };

// Puts the focus into the duration box, as a click into it would.
void focusDuration(FrmTonaq &window) {
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.singlePlay().Duration()->setFocus(Qt::MouseFocusReason);
    QVERIFY(window.singlePlay().Duration()->hasFocus());
}

QList<sim::SoundedTone> timedTones(const sim::SimulatedUnit &unit) {
    QList<sim::SoundedTone> result;
    for (const sim::SoundedTone &tone : unit.tones()) {
        if (tone.source == sim::ToneSource::Timed) result.append(tone);
    }
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Start)
Q_DECLARE_METATYPE(tonaq::sim::Faults)

class TestSinglePlay : public QObject {
    Q_OBJECT
private slots:
    void play_data();
    void play();
    void clickOnPlayWithARealMessageBox();
    void toneKeyFilter_data();
    void toneKeyFilter();
    void unitGatesStopThePlay_data();
    void unitGatesStopThePlay();
    void notConnected();
    void failingLinkIsLogged();
    void abortStopsATimedTone();
    void abortGoesOnWhenTheLinkFails();
};

void TestSinglePlay::play_data() {
    QTest::addColumn<QString>("tone");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Start>("start");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("duration"); // the box afterwards, and what is sent
    const QString none;
    const QString tooLong = QStringLiteral("Time must be less than 65,535");
    const QString tooShort = QStringLiteral("Time must be 20 milliseconds or greater.");
    const Start click = Start::ClickPlay;
    QTest::newRow("in range") << "5"
                              << "100" << click << none << "100";
    QTest::newRow("65536 is cut") << "5"
                                  << "65536" << click << tooLong << "65535";
    QTest::newRow("19 is raised") << "5"
                                  << "19" << click << tooShort << "20";
    QTest::newRow("empty passes") << "5"
                                  << "" << click << none << "";
    QTest::newRow("lower-case tone is sent so") << "b"
                                                << "100" << click << none << "100";
    QTest::newRow("Enter plays without the check") << "5"
                                                   << "5" << Start::EnterInDuration << none << "5";
}

void TestSinglePlay::play() {
    QFETCH(QString, tone);
    QFETCH(QString, typed);
    QFETCH(Start, start);
    QFETCH(QString, message);
    QFETCH(QString, duration);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    SinglePlayFrame &frame = window.singlePlay();
    QTest::keyClicks(frame.Tone(), tone);
    focusDuration(window);
    QTest::keyClicks(frame.Duration(), typed);

    if (start == Start::ClickPlay)
        QTest::mouseClick(frame.cmdSinglePlay(), Qt::LeftButton);
    else
        QTest::keyClick(frame.Duration(), Qt::Key_Return);

    QCOMPARE(program.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    for (const Message &shown : std::as_const(program.prompter.shown)) {
        QCOMPARE(shown.title, QStringLiteral("Tonaq"));
        QCOMPARE(shown.buttons, MsgButtons::Ok);
        QCOMPARE(shown.icon, MsgIcon::None);
    }
    QCOMPARE(frame.Duration()->text(), duration);
    QTRY_COMPARE(unit.received(), ("@I" + tone + ',' + duration + '\r').toLatin1());
    QCOMPARE(program.status(), QStringLiteral("Connected on COM3")); // untouched
    QTRY_COMPARE(timedTones(unit).size(), 1);
    QCOMPARE(QChar(timedTones(unit).front().tone), tone.toUpper().front());
}

// Through the windowing layer as a real click comes: the press takes the focus from the
// duration box, and a real modal message box opens before the release.
void TestSinglePlay::clickOnPlayWithARealMessageBox() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    SinglePlayFrame &frame = window.singlePlay();
    frame.Tone()->setText(QStringLiteral("5"));
    focusDuration(window);
    frame.Duration()->setText(QStringLiteral("19"));
    QString shownWhileDurationWas;
    program.prompter.onShow = [&](const Message &message) {
        shownWhileDurationWas = frame.Duration()->text();
        QMessageBox box(QMessageBox::NoIcon, message.title, message.text, QMessageBox::Ok, &window);
        QTimer::singleShot(0, &box, &QMessageBox::accept);
        box.exec();
    };
    QWindow *handle = window.windowHandle();
    QPushButton *play = frame.cmdSinglePlay();
    const QPoint at = handle->mapFromGlobal(play->mapToGlobal(play->rect().center()));

    QTest::mousePress(handle, Qt::LeftButton, {}, at);
    QVERIFY(play->hasFocus());
    QVERIFY(program.prompter.shown.isEmpty()); // not while the button is held
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
    QCOMPARE(program.prompter.texts(), QStringList{"Time must be 20 milliseconds or greater."});
    QCOMPARE(shownWhileDurationWas, QStringLiteral("19"));
    QCOMPARE(frame.Duration()->text(), QStringLiteral("20"));
    QTRY_COMPARE(unit.received(), QByteArray("@I5,20\r"));
    QVERIFY(!play->isDown());
}

void TestSinglePlay::toneKeyFilter_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("after");
    QTest::newRow("x in an empty box") << "" << int(Qt::Key_X) << true << "0";
    QTest::newRow("x after 7") << "7" << int(Qt::Key_X) << true << "7";
    QTest::newRow("b is taken as typed") << "" << int(Qt::Key_B) << false << "b";
    QTest::newRow("Enter does nothing") << "7" << int(Qt::Key_Return) << false << "7";
}

void TestSinglePlay::toneKeyFilter() {
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(bool, refused);
    QFETCH(QString, after);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    QLineEdit *box = window.singlePlay().Tone();
    box->setText(before);

    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(program.prompter.texts(),
             refused ? QStringList{"Invalid tone: Please re-enter tone value"} : QStringList());
    QCOMPARE(box->text(), after);
    QCOMPARE(test::receivedBeforeFence(window, unit), QByteArray());
}

void TestSinglePlay::unitGatesStopThePlay_data() {
    QTest::addColumn<sim::Faults>("faults");
    QTest::addColumn<QByteArray>("written");
    const sim::Faults silent = test::silentUnit();
    sim::Faults noMarker;
    noMarker.missingMarkers = sim::Marker::SingleTone;
    QTest::newRow("no answer to @") << silent << QByteArray("@");
    QTest::newRow("no SM in the answer to I") << noMarker << QByteArray("@I");
}

void TestSinglePlay::unitGatesStopThePlay() {
    QFETCH(sim::Faults, faults);
    QFETCH(QByteArray, written);
    test::Rig rig;
    auto &[program, unit, window] = rig;
    unit.setFaults(faults);
    window.singlePlay().Tone()->setText(QStringLiteral("5"));
    window.singlePlay().Duration()->setText(QStringLiteral("100"));

    QTest::mouseClick(window.singlePlay().cmdSinglePlay(), Qt::LeftButton);
    QCOMPARE(test::receivedBeforeFence(window, unit), written);
    QCOMPARE(program.status(), QStringLiteral("Connected on COM3"));
    QVERIFY(program.prompter.shown.isEmpty());
    QVERIFY(program.logLines().isEmpty());
}

void TestSinglePlay::notConnected() {
    test::Program program;
    FrmTonaq &window = program.start();
    window.singlePlay().cmdSinglePlay()->setEnabled(true); // the handler itself refuses
    QTest::mouseClick(window.singlePlay().cmdSinglePlay(), Qt::LeftButton);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    program.window().SetStatus({});
    QTest::keyClick(window.singlePlay().Duration(), Qt::Key_Return);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
    program.window().SetStatus({});
    window.cmdAbort()->setEnabled(true);
    QTest::mouseClick(window.cmdAbort(), Qt::LeftButton);
    QCOMPARE(program.status(), QStringLiteral("Not connected."));
}

void TestSinglePlay::failingLinkIsLogged() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    unit.vanish();
    QTest::mouseClick(window.singlePlay().cmdSinglePlay(), Qt::LeftButton);
    const QStringList lines = program.logLines();
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.front().endsWith(
                 QStringLiteral("in procedure cmdSinglePlay_Click of Form frmTonaq on line 10")),
             qPrintable(lines.front()));
}

void TestSinglePlay::abortStopsATimedTone() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    window.singlePlay().Tone()->setText(QStringLiteral("9"));
    window.singlePlay().Duration()->setText(QStringLiteral("60000"));
    QTest::mouseClick(window.singlePlay().cmdSinglePlay(), Qt::LeftButton);
    QTRY_COMPARE(timedTones(unit).size(), 1);
    QSignalSpy statuses(window.StatusBox(), &QLineEdit::textChanged);

    QTest::mouseClick(window.cmdAbort(), Qt::LeftButton);
    QCOMPARE(unit.received(), QByteArray("@I9,60000\r\r\n%"));
    QCOMPARE(statuses.size(), 2);
    QCOMPARE(statuses.at(0).front().toString(), QStringLiteral("Aborting..."));
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    const sim::SoundedTone tone = timedTones(unit).front();
    QVERIFY2(tone.endMs - tone.startMs < 60000, "the abort cut the tone short");
    QVERIFY(window.cmdAbort()->isEnabled()); // the abort switches nothing off
}

void TestSinglePlay::abortGoesOnWhenTheLinkFails() {
    test::Rig rig;
    auto &[program, unit, window] = rig;
    unit.vanish();
    QTest::mouseClick(window.cmdAbort(), Qt::LeftButton);
    QCOMPARE(program.status(), QStringLiteral("Ready"));
    QVERIFY(program.logLines().isEmpty());
}

QTEST_MAIN(TestSinglePlay)
#include "tst_singleplay.moc"
