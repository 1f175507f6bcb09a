#pragma once

#include <QCoreApplication>
#include <QString>

namespace tonaq {

class Desk;
class ErrorLog;
class MemoryModel;
class Trap;
class UnitDriver;
class UnitSession;

// The traffic between the memory table and the unit's memory: "Download" reads the eight
// locations into the table, "Upload" writes the marked rows and reads the memory back, "Reset
// Unit" restores the unit's defaults and reads them back.
class MemoryTransfer {
    Q_DECLARE_TR_FUNCTIONS(MemoryTransfer)

public:
    MemoryTransfer(UnitSession &session, MemoryModel &memory, Desk &desk, const ErrorLog &log);

    void download();
    void upload();
    void resetUnit();

private:
    void clearTable();
    void readLocations();
    void fillRow(int i, const QString &reply, Trap &at);
    void writeRow(int i, Trap &at);
    void correctRange(int i);

    UnitSession &m_session;
    UnitDriver &m_unit;
    MemoryModel &m_memory;
    Desk &m_desk;
    const ErrorLog &m_log;
};

// What the unit keeps of a length or space text that upload checks: below 20 ms becomes "20",
// above 65534 becomes "65534", anything else goes out as it stands.
QString storedTimeText(const QString &text);

} // namespace tonaq
