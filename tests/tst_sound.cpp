// The demo unit as a user hears it: a PulseAudio server of the test's own with a null sink, its
// monitor recorded, the recording decoded with DTMF's nominal frequencies and held against what
// the unit says it played: the same keys in order, each as long and as far from the first
// within 10 ms, no edge clicks.
// Once for the window (built as the program builds it) and once for tonaqctl.
#include "program.h"
#include "sim/attach.h"
#include "sound/demo.h"
#include "sound/processend.h"
#include "soundcheck.h"

#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace tonaq;

namespace {

enum class Action { TimedTone, MemoryPlay, HeldKey };

// Empty when what was heard is what was played.
QString mismatch(const QList<test::HeardTone> &heard, const QList<test::HeardTone> &played) {
    if (test::keysOf(heard) != test::keysOf(played))
        return QStringLiteral("heard %1, played %2").arg(test::keysOf(heard), test::keysOf(played));
    for (qsizetype i = 0; i < heard.size(); ++i) {
        const double heardAt = heard[i].startMs - heard[0].startMs; // the spaces kept too
        const double playedAt = played[i].startMs - played[0].startMs;
        if (std::abs(heard[i].lengthMs - played[i].lengthMs) > 10 || heard[i].edgeDb > -40 ||
            std::abs(heardAt - playedAt) > 10)
            return QString::asprintf("tone %lld: %.1f ms at %.1f, edges %.1f dB; played %.1f ms "
                                     "at %.1f",
                                     qlonglong(i), heard[i].lengthMs, heardAt, heard[i].edgeDb,
                                     played[i].lengthMs, playedAt);
    }
    return {};
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_server = std::make_unique<test::SoundServer>();
        if (!m_server->failure().isEmpty()) QSKIP(qPrintable(m_server->failure()));
        m_server->useInThisProcess();
        QVERIFY(m_server->startRecording());
        // As main.cpp does it: the demo unit, heard, listed in the Connect menu.
        m_demo = std::make_unique<sound::Demo>();
        QVERIFY(m_demo->speaker().isSounding());
        m_program = std::make_unique<test::Program>();
        const int port = sim::attachSimulatedUnit(m_program->ports.map(), m_demo->unit(),
                                                  QStringLiteral("demo"));
        m_program->start();
        m_program->connectTo(port);
    }

    void window_data() {
        QTest::addColumn<Action>("action");
        QTest::newRow("timed tone") << Action::TimedTone;
        QTest::newRow("memory play") << Action::MemoryPlay; // location 2: *#ABCD, 80 ms each
        QTest::newRow("held key") << Action::HeldKey;
    }

    void window() {
        QFETCH(Action, action);
        sim::SimulatedUnit &unit = m_demo->unit();
        unit.clearRecords();
        m_server->clear();
        test::Program &program = *m_program;
        if (action == Action::TimedTone)
            program.type("Tone", "5"), program.type("Duration", "200"),
                program.click("cmdSinglePlay");
        if (action == Action::MemoryPlay) program.type("txtLoc", "2"), program.click("cmdMemPlay");
        if (action == Action::HeldKey) {
            QPushButton *key = program.find<QPushButton>("KeyPad(4)");
            QTest::mousePress(key, Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([&] { // held until it has sounded 300 ms
                const QList<sim::SoundedTone> tones = unit.tones();
                return !tones.isEmpty() && unit.nowMs() - tones.last().startMs >= 300;
            }));
            QTest::mouseRelease(key, Qt::LeftButton);
        }
        QVERIFY(QTest::qWaitFor([&] {
            const QList<sim::SoundedTone> tones = unit.tones();
            return !tones.isEmpty() && tones.last().endMs <= unit.nowMs();
        }));
        QList<test::HeardTone> played;
        for (const sim::SoundedTone &tone : unit.tones())
            played.append({tone.tone, tone.startMs, tone.endMs - tone.startMs, 0});
        const QString wrong = mismatch(heard(played.size()), played);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void tonaqctl_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("timed tone") << "tone 5 200";
        QTest::newRow("memory play") << "play 2";
    }

    // tonaqctl ends right after its last command: what it played must have been heard by then.
    void tonaqctl() {
        QFETCH(QString, command);
        m_server->clear();
        const QString wav = m_folder.filePath("played.wav");
        QProcess process;
        process.setProcessEnvironment(m_server->environment());
        process.start(QStringLiteral(TONAQCTL),
                      command.split(u' ') + QStringList{"--demo", "--wav", wav});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QList<test::HeardTone> played = test::heardInWav(wav);
        QVERIFY(!played.isEmpty());
        const QString wrong = mismatch(heard(played.size()), played);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

private:
    // The recording once it holds `count` tones and 100 ms of silence after them.
    QList<test::HeardTone> heard(qsizetype count) {
        constexpr qsizetype kSilence = test::SoundServer::kRate / 10;
        QList<test::HeardTone> tones;
        const bool complete = QTest::qWaitFor(
            [&] {
                const QList<qint16> &samples = m_server->recorded();
                tones = test::heardTones(samples, test::SoundServer::kRate);
                return tones.size() >= count && samples.size() > kSilence &&
                       test::firstSoundAt(samples, samples.size() - kSilence) < 0;
            },
            10000);
        if (!complete) qWarning("the recording holds %s only", qPrintable(test::keysOf(tones)));
        return tones;
    }

    QTemporaryDir m_folder;
    std::unique_ptr<test::SoundServer> m_server;
    std::unique_ptr<sound::Demo> m_demo; // goes after the window that talks to it
    std::unique_ptr<test::Program> m_program;
};

int main(int argc, char *argv[]) { // ends as the programs do: see sound/processend.h
    tonaq::sound::endProcess([&] {
        QTEST_MAIN_SETUP()
        TestSound test;
        return QTest::qExec(&test, argc, argv);
    }());
}
#include "tst_sound.moc"
