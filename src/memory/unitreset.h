#pragma once

namespace tonaq {

class Download;
class FrmTonaq;

// "Reset Unit": after the operator confirms, the unit erases its settings and restores its
// defaults, which are then read back into the table.
class UnitReset {
public:
    UnitReset(FrmTonaq &main, Download &readBack);

    void mnuReset_Click();

private:
    FrmTonaq &m_main;
    Download &m_readBack;
};

} // namespace tonaq
