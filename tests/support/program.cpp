#include "program.h"

#include "link/connectmenu.h"
#include "sim/simulatedunit.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>

namespace tonaq::test {

Program::Program() = default;

Program::~Program() {
    // A window the test has closed already has run its shutdown; closing it again would.
    if (m_window && m_window->isVisible()) m_window->close();
    m_window.reset();
}

sim::SimulatedUnit &Program::addUnit(int number) {
    sim::SimulatedUnit::Options options;
    options.pacing = false;
    m_units.push_back(std::make_unique<sim::SimulatedUnit>(options));
    ports.link(number, m_units.back()->devicePath());
    return *m_units.back();
}

FrmTonaq &Program::start(const QString &commandLine) {
    Seams seams;
    seams.prompter = &prompter;
    seams.fileDialogs = &fileDialogs;
    seams.portMap = &ports.map();
    seams.logFolder = m_logFolder.path();
    seams.programFolder = m_programFolder.path();
    m_window = std::make_unique<FrmTonaq>(seams);
    m_window->Form_Load(commandLine);
    return *m_window;
}

FrmTonaq &Program::startConnected(int number) {
    addUnit(number);
    start();
    connectTo(number);
    return *m_window;
}

void Program::connectTo(int number) {
    const QList<QAction *> &entries = m_window->connectMenu().ComPort();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i]->text() == QStringLiteral("COM%1").arg(number))
            m_window->connectMenu().ComPort_Click(i);
    }
}

QString Program::status() const {
    return m_window->StatusBox()->text();
}

QString Program::logPath() const {
    return m_logFolder.path() + QStringLiteral("/ErrorLog.txt");
}

QStringList Program::logLines() const {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList lines;
    const QList<QByteArray> raw = file.readAll().split('\n');
    for (qsizetype i = 2; i < raw.size(); ++i) {
        const QString line = QString::fromLatin1(raw[i]).trimmed();
        if (!line.isEmpty()) lines.append(line.section(u' ', 2)); // drop the date and the time
    }
    return lines;
}

} // namespace tonaq::test
