#pragma once

#include "base/errorlog.h"
#include "base/tonaqerror.h"

#include <exception>
#include <iterator>

namespace tonaq {

// The procedures whose failures are logged, each under the name and the owner that its log
// line gives, as in kProcedureNames below.
enum class Procedure {
    StartUp,
    Shutdown,
    Connect,
    ScanPorts,
    Download,
    ReadLocations,
    Upload,
    ResetUnit,
    OpenFile,
    SaveFile,
    SaveFileAs,
    MemoryPlay,
    SinglePlay,
    InstantToneKey,
    SequenceWindowLoad,
    SequenceKey,
    OpenDialog,
    SaveDialog,
};

struct ProcedureName {
    const char *procedure;
    const char *owner;
};

// The names the log knows them by, byte for byte ("COMPort_Click" with its capitals).
inline constexpr ProcedureName kProcedureNames[] = {
    {"Form_Load", "Form frmTonaq"},           {"Form_QueryUnload", "Form frmTonaq"},
    {"COMPort_Click", "Form frmTonaq"},       {"mnuScanPorts_Click", "Form frmTonaq"},
    {"cmdLoad_Click", "Form frmTonaq"},       {"ReadDefaults", "Form frmTonaq"},
    {"cmdProgram_Click", "Form frmTonaq"},    {"mnuReset_Click", "Form frmTonaq"},
    {"mnuOpen_Click", "Form frmTonaq"},       {"mnuSave_Click", "Form frmTonaq"},
    {"mnuSaveAs_Click", "Form frmTonaq"},     {"cmdMemPlay_Click", "Form frmTonaq"},
    {"cmdSinglePlay_Click", "Form frmTonaq"}, {"txtKeys_KeyDown", "Form frmTonaq"},
    {"Form_Load", "Form MultiPlay"},          {"Form_KeyPress", "Form MultiPlay"},
    {"OpenDialog", "Module modDLG"},          {"SaveDialog", "Module modDLG"},
};
static_assert(std::size(kProcedureNames) == std::size_t(Procedure::SaveDialog) + 1);

// The error trap of a handler: it follows the numbered line the handler has reached and, on
// the first failure, writes one line to the error log and leaves the handler at once.
//
//     trapped(log, Procedure::Download, [&](Trap &at) {
//         at(10); ...
//         at(20); ...
//     });
class Trap {
public:
    Trap(const ErrorLog &log, Procedure procedure)
        : m_log(log)
        , m_name(kProcedureNames[std::size_t(procedure)]) {}

    void operator()(int line) { m_line = line; }
    int line() const { return m_line; }
    void log(int number, const QString &description) const {
        m_log.logError(errorLine(number, description, QString::fromLatin1(m_name.procedure),
                                 QString::fromLatin1(m_name.owner), m_line));
    }

private:
    const ErrorLog &m_log;
    ProcedureName m_name;
    int m_line = 0;
};

// Runs body under a trap; true when it ran to its end.
template <class Body> bool trapped(const ErrorLog &log, Procedure procedure, Body &&body) {
    Trap trap(log, procedure);
    try {
        body(trap);
        return true;
    } catch (const TonaqError &error) {
        trap.log(error.number(), error.description());
    } catch (const std::bad_alloc &) {
        trap.log(7, QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        trap.log(5, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

// For the routines that skip a failing step and go on with the next one.
template <class Step> void ignoringFailure(Step &&step) noexcept {
    try {
        step();
    } catch (const std::exception &) {
    }
}

} // namespace tonaq
