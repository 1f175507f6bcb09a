// The commands of tonaqctl, each the window's own command on the same driver and model.
#include "base/numericvalue.h"
#include "base/trap.h"
#include "config/configdisk.h"
#include "config/configfile.h"
#include "ctl/ctlrun.h"
#include "link/portscanner.h"
#include "memory/memorytransfer.h"
#include "session/unitsession.h"
#include "tones/tonecommands.h"

#include <QFileInfo>
#include <QJsonArray>
#include <cmath>

namespace tonaq::ctl {

namespace {

// Whether the unit holds a text as the window sent it: tones as the unit keeps them (upper
// case), times as the number the unit reads from them.
bool holdsTones(const QString &held, const QString &sent) {
    return held == sent.toUpper();
}

bool holdsTime(const QString &held, const QString &sent) {
    return numericValue(held) == std::trunc(numericValue(storedTimeText(sent)));
}

} // namespace

int CtlRun::ports() {
    const ScanResult scan = m_session->scan();
    m_desk.endProgress();
    QJsonArray found;
    QJsonArray refused;
    for (const PortListing &port : scan.ports) {
        const QString name = QStringLiteral("COM%1").arg(port.number);
        found.append(
            QJsonObject{{QStringLiteral("port"), name}, {QStringLiteral("device"), port.toolTip}});
        if (!m_options.json) m_out << name.leftJustified(7) << port.toolTip << Qt::endl;
    }
    for (const RefusedPort &port : scan.refused) {
        const QString line = refusalLine(port).english; // a result: English in every locale
        if (line.isEmpty()) continue;
        refused.append(
            QJsonObject{{QStringLiteral("device"), port.device}, {QStringLiteral("reason"), line}});
        if (!m_options.json) m_out << "refused " << line << Qt::endl;
    }
    m_result.insert(QStringLiteral("ports"), found);
    m_result.insert(QStringLiteral("refused"), refused);
    return kDone;
}

// Reads the file's locations and sequence into the model. A missing file is an empty one where
// the command may create it (download); anything else that cannot be read whole is an error.
int CtlRun::loadFile(bool mustExist) {
    if (!mustExist && !QFileInfo::exists(m_options.file)) return kDone;
    const std::unique_ptr<QFile> file = openConfigurationFile(m_options.file);
    if (!file)
        return failed(kFileError, QT_TRANSLATE_NOOP("tonaqctl", "cannot read %1"), m_options.file);
    try {
        loadConfiguration(*file, m_memory);
    } catch (const TonaqError &error) {
        return failed(kFileError, QT_TRANSLATE_NOOP("tonaqctl", "%1 is no configuration file: %2"),
                      m_options.file, error.description());
    }
    return kDone;
}

int CtlRun::saveFile() {
    try {
        if (!fileExists(m_options.file)) createConfigurationFile(m_options.file);
        replaceConfigurationFile(m_options.file, writeConfiguration(m_memory));
    } catch (const TonaqError &error) {
        return failed(kFileError, QT_TRANSLATE_NOOP("tonaqctl", "cannot write %1: %2"),
                      m_options.file, error.description());
    }
    m_result.insert(QStringLiteral("file"), m_options.file);
    return kDone;
}

int CtlRun::download() {
    if (const int code = loadFile(false)) return code;
    if (const int code = connect()) return code;
    MemoryTransfer(*m_session, m_memory, m_desk, m_log).download();
    if (commandFailed())
        return failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "the download did not finish"));
    putLocations();
    return saveFile();
}

int CtlRun::upload() {
    if (const int code = loadFile(true)) return code;
    QList<MemoryLocation> wanted;
    for (int i = 0; i < kLocationCount; ++i) {
        wanted.append(m_memory.location(i));
        m_memory.setUpdate(i, m_options.rows.contains(i + 1));
    }
    if (const int code = connect()) return code;
    MemoryTransfer(*m_session, m_memory, m_desk, m_log).upload();
    if (commandFailed())
        return failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "the upload did not finish"));
    putLocations();
    QStringList english;
    QStringList local;
    for (const int row : std::as_const(m_options.rows)) {
        const MemoryLocation &held = m_memory.location(row - 1);
        const MemoryLocation &file = wanted[row - 1];
        if (!holdsTones(held.tones, file.tones) || !holdsTime(held.length, file.length) ||
            !holdsTime(held.space, file.space)) {
            const Phrase difference = phrase(
                "tonaqctl",
                QT_TRANSLATE_NOOP("tonaqctl", "location %1 holds %2,%3,%4 where the file says "
                                              "%5,%6,%7"),
                QString::number(row), held.tones, held.length, held.space, file.tones, file.length,
                file.space);
            english.append(difference.english);
            local.append(difference.local);
        }
    }
    QJsonArray rows;
    for (const int row : std::as_const(m_options.rows))
        rows.append(row);
    m_result.insert(QStringLiteral("rows"), rows);
    if (!english.isEmpty())
        return failed(kUnitFailed,
                      Phrase{english.join(QStringLiteral("; ")), local.join(QStringLiteral("; "))});
    return kDone;
}

int CtlRun::reset() {
    if (const int code = connect()) return code;
    MemoryTransfer(*m_session, m_memory, m_desk, m_log).resetUnit();
    if (commandFailed())
        return failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "the reset did not finish"));
    putLocations();
    return kDone;
}

// The unit's memory is read first, as an operator downloads before playing: the wait for each
// location's "Ready" is then bounded by how long that location really plays.
int CtlRun::play() {
    if (const int code = connect()) return code;
    MemoryTransfer(*m_session, m_memory, m_desk, m_log).download();
    if (commandFailed())
        return failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "the download did not finish"));
    MemoryPlayer player(m_session->unit(), m_memory);
    QJsonArray played;
    const bool ran = trapped(m_log, Procedure::MemoryPlay, [&](Trap &at) {
        for (const QChar typed : std::as_const(m_options.locations)) {
            const int location = typed.digitValue();
            m_desk.endProgress();
            m_err << QCoreApplication::translate("tonaqctl", "Playing location %1").arg(location)
                  << Qt::endl;
            if (player.play(location, typed, at) != MemoryPlayer::Outcome::Played) {
                failed(kUnitFailed,
                       QT_TRANSLATE_NOOP("tonaqctl", "no Ready from the unit after location %1"),
                       QString::number(location));
                return;
            }
            played.append(location);
        }
    });
    m_result.insert(QStringLiteral("played"), played);
    if (!ran || played.size() != m_options.locations.size()) return kUnitFailed;
    return kDone;
}

int CtlRun::tone() {
    if (const int code = connect()) return code;
    bool sent = false;
    trapped(m_log, Procedure::SinglePlay, [&](Trap &at) {
        sent = playSingleTone(m_session->unit(), m_options.tone, m_options.duration, at);
    });
    if (!sent)
        return failed(kUnitFailed, QT_TRANSLATE_NOOP("tonaqctl", "the unit did not take the tone"));
    m_result.insert(QStringLiteral("tone"), m_options.tone);
    m_result.insert(QStringLiteral("duration"), m_options.duration.toInt());
    return kDone;
}

int CtlRun::send() {
    if (const int code = loadFile(true)) return code;
    if (const int code = connect()) return code;
    const QList<SequenceRow> rows = m_memory.sequence();
    if (!m_session->unit().sendSequence(rows))
        return failed(kUnitFailed,
                      QT_TRANSLATE_NOOP("tonaqctl", "the unit did not take the sequence"));
    const auto count = std::count_if(rows.cbegin(), rows.cend(),
                                     [](const SequenceRow &row) { return !row.tone.isEmpty(); });
    m_result.insert(QStringLiteral("rows"), static_cast<int>(count));
    return kDone;
}

} // namespace tonaq::ctl
