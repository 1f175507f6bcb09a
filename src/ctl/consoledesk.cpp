#include "ctl/consoledesk.h"

namespace tonaq::ctl {

ConsoleDesk::ConsoleDesk(QTextStream &err, bool terminal)
    : m_err(err)
    , m_terminal(terminal) {}

void ConsoleDesk::report(const Progress &progress) {
    const QString text = statusText(progress);
    if (text == m_lastStatus) return; // "Ready" from the inner and the outer command
    m_lastStatus = text;
    if (!m_terminal) {
        m_err << text << Qt::endl;
        return;
    }
    m_err << "\r\033[K" << progressBar(progress) << text << Qt::flush;
    m_lineOpen = true;
}

QString progressBar(const Progress &progress) {
    if (progress.total <= 0) return {};
    const int done = std::clamp(progress.step, 0, progress.total);
    return u'[' + QString(done, u'#') + QString(progress.total - done, u'.') + QStringLiteral("] ");
}

void ConsoleDesk::endProgress() {
    if (!m_lineOpen) return;
    m_err << Qt::endl;
    m_lineOpen = false;
}

Button ConsoleDesk::ask(const Message &message) {
    if (message.buttons.testFlag(Button::Yes)) return Button::Yes;
    if (message.buttons.testFlag(Button::Cancel)) return Button::Ok;
    endProgress();
    m_err << "tonaqctl: " << message.text << Qt::endl;
    m_noticed = true;
    return Button::Ok;
}

} // namespace tonaq::ctl
