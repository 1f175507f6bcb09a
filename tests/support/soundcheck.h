#pragma once

#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <span>

namespace tonaq::test {

// A PulseAudio server of the test's own, as a user's desktop runs one: a null sink, in a
// runtime folder of its own (so it runs as root, beside any other server), ended and removed
// with this object. Its monitor is recorded by parecord, as a user's own recorder would.
class SoundServer {
public:
    static constexpr int kRate = 16000; // of the recording, mono

    SoundServer(); // check failure()
    ~SoundServer();
    QString failure() const { return m_failure; } // empty once it runs

    // Makes this process, and the programs it starts, play through this server.
    void useInThisProcess() const;
    QProcessEnvironment environment() const;

    // Records the sink's monitor from now on; true once it has for 2.5 s.
    bool startRecording();
    // What was recorded since startRecording() or the last clear(), read in now.
    const QList<qint16> &recorded();
    void clear();
    // When the first sample of recorded() came out of the sink, on the steady clock (ms): from
    // the chunk that arrived soonest after its samples, so a late read never shifts it.
    double originMs() const;

private:
    QTemporaryDir m_folder;
    QProcess m_server;
    QProcess m_recorder;
    QList<qint16> m_samples;
    qint64 m_read = 0;    // samples since recording began
    qint64 m_cleared = 0; // of them, before recorded()
    double m_startMs = 0; // when the first of them came out
    QString m_failure;
};

// A DTMF tone heard in a recording: its key, decoded with the nominal frequencies below (not
// the program's), and its span between the half-amplitude points.
struct HeardTone {
    char key;
    double startMs;
    double lengthMs;
    double edgeDb; // the worst of its two edges: energy above 3 kHz against the whole
};
QList<HeardTone> heardTones(std::span<const qint16> samples, int rate);
QList<HeardTone> heardInWav(const QString &path); // a WAV file as the program writes it
QString keysOf(const QList<HeardTone> &tones);
// Goertzel: one frequency's share of a stretch's energy (1 for a sine alone at it).
double shareOf(std::span<const qint16> part, double hz, int rate);
// Index of the first sample above -40 dBFS from `from` on; -1 when none.
qsizetype firstSoundAt(std::span<const qint16> samples, qsizetype from = 0);

} // namespace tonaq::test
