#pragma once

#include <QString>

namespace tonaq {

class FrmTonaq;
class Trap;

// "Download": reads the unit's eight memory locations into the table, replacing what it held.
// Upload and reset run it too, to show what the unit holds afterwards.
class Download {
public:
    explicit Download(FrmTonaq &main);

    void cmdLoad_Click();

private:
    void clearTable();
    void ReadDefaults();
    void fillRow(int i, const QString &reply, Trap &at);

    FrmTonaq &m_main;
};

} // namespace tonaq
