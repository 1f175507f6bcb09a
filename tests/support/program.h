#pragma once

#include "app/mainwindow.h"
#include "multiplay/sequencewindow.h"
#include "scriptedfiledialogs.h"
#include "scriptedprompter.h"
#include "testports.h"

#include <QTemporaryDir>
#include <memory>

namespace tonaq::sim {
class PtyUnit;
class SimulatedUnit;
} // namespace tonaq::sim

namespace tonaq::test {

// The real main window with scripted dialogs, its own COM map and its own log folder. Units
// added with addUnit() run in the test's process under a COM number, those added with
// addTtyUnit() on pseudo-terminals linked as COM numbers (none for 0); both unpaced, so tests
// run at full speed. Widgets are found by their program names, in either window.
class Program {
public:
    explicit Program(TestPorts::Devices devices = TestPorts::Devices::Own);
    ~Program();

    sim::SimulatedUnit &addUnit(int number);
#ifdef Q_OS_UNIX
    sim::PtyUnit &addTtyUnit(int number);
#endif
    MainWindow &start(const QString &commandLine = {});
    // Starts with one unit on COM<number>, connects to it and forgets what the unit received.
    sim::SimulatedUnit &startConnected(int number = 3);
    void connectTo(int number);

    MainWindow &window() {
        return *m_window;
    }
    template <class T = QWidget> T *find(const QString &name) const;
    void click(const QString &name);                     // a mouse click on the named control
    void trigger(const QString &name);                   // a menu item
    void type(const QString &name, const QString &text); // replaces the box's text
    QString status() const;
    QStringList logLines() const; // the error lines, without header and stamp
    QString folder() const {
        return m_programFolder.path();
    }
    QString logFolder() const {
        return m_logFolder.path();
    }
    // What the unit received before a fence byte the test writes through the program's link:
    // bytes arrive in order, so "nothing more came" needs no sleep.
    QByteArray received(sim::SimulatedUnit &unit);

    ScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs;
    TestPorts ports;
    bool followPorts = false; // units that come and go while the window runs

private:
    QTemporaryDir m_logFolder;
    QTemporaryDir m_programFolder;
    std::vector<std::unique_ptr<sim::SimulatedUnit>> m_units;
    std::unique_ptr<MainWindow> m_window;
};

// The table row by row as "length,space,tones": the model's, or as a download of the unit's
// first `filled` locations leaves it.
QStringList tableOf(const MemoryModel &memory);
QStringList tableOf(const sim::SimulatedUnit &unit, int filled = kLocationCount);
// The Connect menu as the operator sees it: "COM1 COM3*" (the ticked one starred), or "off"
// and its caption while it cannot be opened.
QString menuShown(MainWindow &window);
// What a download of the first `locations` locations sends.
QByteArray downloadTraffic(int locations = kLocationCount);

template <class T> T *Program::find(const QString &name) const {
    if (T *found = m_window->findChild<T *>(name)) return found;
    return m_window->sequenceWindowLoaded() ? m_window->sequenceWindow().findChild<T *>(name)
                                            : nullptr;
}

} // namespace tonaq::test
