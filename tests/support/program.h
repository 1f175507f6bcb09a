#pragma once

#include "app/frmtonaq.h"
#include "scriptedfiledialogs.h"
#include "scriptedprompter.h"
#include "testports.h"

#include <QTemporaryDir>
#include <memory>

#include "sim/faults.h"

namespace tonaq::sim {
class SimulatedUnit;
}

namespace tonaq::test {

// A unit that runs every command and never answers, as one with its transmit line cut.
inline sim::Faults silentUnit() {
    sim::Faults faults;
    faults.silent = true;
    return faults;
}

// The real main window with scripted dialogs, its own COM map and its own log folder.
// Units added with addUnit() sit on pseudo-terminals linked as COM numbers.
class Program {
public:
    Program();
    ~Program();

    // A simulated unit, unpaced so tests run at full speed, linked as COM<number>.
    sim::SimulatedUnit &addUnit(int number);
    // Builds the window and runs its start-up with the given command line.
    FrmTonaq &start(const QString &commandLine = {});
    // Starts with one unit on COM<number> and connects to it.
    FrmTonaq &startConnected(int number = 3);
    void connectTo(int number);

    FrmTonaq &window() { return *m_window; }
    QString status() const;
    QStringList logLines() const; // the error lines, without header and stamp
    QString logPath() const;

    ScriptedPrompter prompter;
    ScriptedFileDialogs fileDialogs;
    TestPorts ports;

private:
    QTemporaryDir m_logFolder;
    QTemporaryDir m_programFolder;
    std::vector<std::unique_ptr<sim::SimulatedUnit>> m_units;
    std::unique_ptr<FrmTonaq> m_window;
};

} // namespace tonaq::test
