#include "ctl/consoledesk.h"

#include "base/limits.h"

namespace tonaq::ctl {

namespace {
const QString kLocationMark = QStringLiteral("Location #");
} // namespace

ConsoleDesk::ConsoleDesk(QTextStream &err, bool terminal)
    : m_err(err)
    , m_terminal(terminal) {}

void ConsoleDesk::SetStatus(const QString &text) {
    if (text == m_lastStatus) return; // "Ready" from the inner and the outer command
    m_lastStatus = text;
    if (!m_terminal) {
        m_err << text << Qt::endl;
        return;
    }
    m_err << "\r\033[K" << progressBar(text) << text << Qt::flush;
    m_lineOpen = true;
}

// Each status that names a location is one step of eight; a new wording starts a new phase.
QString ConsoleDesk::progressBar(const QString &text) {
    const qsizetype mark = text.indexOf(kLocationMark);
    if (mark < 0) return {};
    const QString phase = text.left(mark);
    m_step = phase == m_phase ? std::min(m_step + 1, kLocationCount) : 1;
    m_phase = phase;
    return u'[' + QString(m_step, u'#') + QString(kLocationCount - m_step, u'.') +
           QStringLiteral("] ");
}

void ConsoleDesk::endProgress() {
    if (!m_lineOpen) return;
    m_err << Qt::endl;
    m_lineOpen = false;
}

QMessageBox::StandardButton ConsoleDesk::ask(const Message &message) {
    if (message.buttons.testFlag(QMessageBox::Yes)) return QMessageBox::Yes;
    if (message.buttons.testFlag(QMessageBox::Cancel)) return QMessageBox::Ok;
    endProgress();
    m_err << "tonaqctl: " << message.text << Qt::endl;
    m_noticed = true;
    return QMessageBox::Ok;
}

} // namespace tonaq::ctl
