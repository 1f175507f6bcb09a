#pragma once

#include "link/inprocesstransport.h"
#include "sim/simulatedunit.h"

namespace tonaq::sim {

// Plugs a simulated unit into the map under a COM number, in this process, the lowest that
// nothing takes when number is 0, with the tool tip "simulated unit"; returns the number, 0
// when none is free. The unit must outlive the map's use of it. Only the programs, the tests,
// the benchmarks and the tools attach a simulated unit; the link knows it only as a unit in
// this process.
inline int attachSimulatedUnit(PortMap &ports, SimulatedUnit &unit, const QString &name,
                               int number = 0) {
    const InProcessUnit inProcess{
        [&unit](const QByteArray &bytes) { unit.receive(bytes); },
        [&unit](InProcessUnit::Output output) { unit.setLineOutput(std::move(output)); }};
    return attachInProcessUnit(ports, inProcess, name, QStringLiteral("simulated unit"), number);
}

} // namespace tonaq::sim
