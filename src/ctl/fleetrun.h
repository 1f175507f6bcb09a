#pragma once

#include "ctl/ctloptions.h"

#include <QStringList>
#include <QTextStream>

namespace tonaq::ctl {

// One command on several units at once: each unit is a tonaqctl of its own, so that no unit's
// waits or failures touch another's. As each ends, a line says how ("COM3 done 4.21 s",
// "COM5 failed 4 2.50 s: reason"; with --json an object per line), then a summary line.
// exec() answers 0 when every unit is done, 5 when any failed.
class FleetRun {
public:
    // arguments: tonaqctl's own command line, its program first.
    FleetRun(const CtlOptions &options, const QStringList &arguments, QTextStream &out);

    int exec();

private:
    QStringList argumentsFor(const QString &port) const;

    CtlOptions m_options;
    QStringList m_arguments;
    QTextStream &m_out;
};

// "site.COM3.tnq": the file of one unit where a download reads several into one name.
QString fileForUnit(const QString &file, const QString &port);

} // namespace tonaq::ctl
