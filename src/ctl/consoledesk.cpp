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

QString withVisibleControls(const QString &text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7f && code < 0xa0))
            shown += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
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
