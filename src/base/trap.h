#pragma once

#include "base/errorlog.h"
#include "base/tonaqerror.h"

#include <exception>

namespace tonaq {

// The owners that log lines name after a procedure.
inline constexpr const char *kMainForm = "Form frmTonaq";
inline constexpr const char *kMultiPlayForm = "Form MultiPlay";
inline constexpr const char *kDialogModule = "Module modDLG";

// The error trap of a handler: it follows the numbered line the handler has reached and, on
// the first failure, writes one line to the error log and leaves the handler at once.
//
//     trapped(log, "cmdLoad_Click", kMainForm, [&](Trap &at) {
//         at(10); ...
//         at(20); ...
//     });
class Trap {
public:
    Trap(const ErrorLog &log, const char *procedure, const char *owner)
        : m_log(log)
        , m_procedure(procedure)
        , m_owner(owner) {}

    void operator()(int line) { m_line = line; }
    int line() const { return m_line; }
    void log(int number, const QString &description) const {
        m_log.LogError(errorLine(number, description, QString::fromLatin1(m_procedure),
                                 QString::fromLatin1(m_owner), m_line));
    }

private:
    const ErrorLog &m_log;
    const char *m_procedure;
    const char *m_owner;
    int m_line = 0;
};

// Runs body under a trap; true when it ran to its end.
template <class Body>
bool trapped(const ErrorLog &log, const char *procedure, const char *owner, Body &&body) {
    Trap trap(log, procedure, owner);
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
