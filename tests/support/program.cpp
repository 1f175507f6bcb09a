#include "program.h"

#include "app/connectmenu.h"
#include "sim/simulatedunit.h"
#ifdef Q_OS_UNIX
#include "sim/ptyunit.h"
#endif

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace tonaq::test {

Program::Program(TestPorts::Devices devices)
    : ports(devices) {}

Program::~Program() {
    // A window the test has closed already has run its shutdown; closing it again would.
    if (m_window && m_window->isVisible()) m_window->close();
    m_window.reset();
}

sim::SimulatedUnit &Program::addUnit(int number) {
    m_units.push_back(
        std::make_unique<sim::SimulatedUnit>(sim::SimulatedUnit::Options{.pacing = false}));
    ports.attach(number, *m_units.back());
    return *m_units.back();
}

#ifdef Q_OS_UNIX
sim::PtyUnit &Program::addTtyUnit(int number) {
    auto unit = std::make_unique<sim::PtyUnit>(sim::SimulatedUnit::Options{.pacing = false});
    sim::PtyUnit &added = *unit;
    if (number > 0) ports.link(number, added.devicePath());
    m_units.push_back(std::move(unit));
    return added;
}
#endif

MainWindow &Program::start(const QString &commandLine) {
    m_window = std::make_unique<MainWindow>(Seams{.prompter = &prompter,
                                                  .fileDialogs = &fileDialogs,
                                                  .portMap = &ports.map(),
                                                  .logFolder = m_logFolder.path(),
                                                  .programFolder = m_programFolder.path(),
                                                  .followPorts = followPorts});
    m_window->load(commandLine);
    return *m_window;
}

sim::SimulatedUnit &Program::startConnected(int number) {
    sim::SimulatedUnit &unit = addUnit(number);
    start();
    connectTo(number);
    unit.clearRecords();
    return unit;
}

void Program::connectTo(int number) {
    const QList<QAction *> &entries = m_window->connectMenu().entries();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i]->text() == QStringLiteral("COM%1").arg(number))
            m_window->connectMenu().connectEntry(i);
    }
}

void Program::click(const QString &name) {
    QAbstractButton *button = find<QAbstractButton>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void Program::trigger(const QString &name) {
    QAction *action = m_window->findChild<QAction *>(name);
    QVERIFY2(action, qPrintable(name));
    action->trigger();
}

void Program::type(const QString &name, const QString &text) {
    QLineEdit *box = find<QLineEdit>(name);
    QVERIFY2(box, qPrintable(name));
    box->setText(text);
}

QString Program::status() const {
    return find<QLineEdit>(QStringLiteral("StatusBox"))->text();
}

QStringList Program::logLines() const {
    QStringList lines; // none while the log is not there ("unreadable" is its first line)
    const QList<QByteArray> raw = readFile(m_logFolder.path() + "/ErrorLog.txt").split('\n');
    for (qsizetype i = 2; i < raw.size(); ++i) {
        const QString line = QString::fromLatin1(raw[i]).trimmed();
        if (!line.isEmpty()) lines.append(line.section(u' ', 2)); // drop the date and the time
    }
    return lines;
}

QByteArray Program::received(sim::SimulatedUnit &unit) {
    constexpr char kFence = '~'; // a byte the unit ignores when idle
    m_window->unit().channel().send(QByteArray(1, kFence));
    if (!QTest::qWaitFor([&] { return unit.received().endsWith(kFence); }))
        return "no fence: " + unit.received();
    return unit.received().replace(kFence, QByteArray());
}

QStringList tableOf(const MemoryModel &memory) {
    QStringList rows;
    for (int i = 0; i < kLocationCount; ++i) {
        const MemoryLocation &l = memory.location(i);
        rows << l.length + u',' + l.space + u',' + l.tones;
    }
    return rows;
}

QStringList tableOf(const sim::SimulatedUnit &unit, int filled) {
    QStringList rows(kLocationCount, QStringLiteral(",,"));
    for (int i = 0; i < filled; ++i) {
        const sim::StoredLocation l = unit.location(i);
        rows[i] = QStringLiteral("%1,%2,%3")
                      .arg(l.lengthMs)
                      .arg(l.spaceMs)
                      .arg(QString::fromLatin1(l.tones));
    }
    return rows;
}

QByteArray downloadTraffic(int locations) {
    QByteArray bytes = "@\r\n";
    for (int i = 0; i < locations; ++i)
        bytes += "@V" + QByteArray::number(i);
    return bytes;
}

QString menuShown(MainWindow &window) {
    const ConnectMenu &menu = window.connectMenu();
    if (!menu.menu()->isEnabled()) return "off " + menu.menu()->title();
    QStringList entries;
    for (const QAction *entry : menu.entries())
        entries << entry->text() + (entry->isChecked() ? "*" : "");
    return entries.join(u' ');
}

} // namespace tonaq::test
