#pragma once

namespace tonaq {

class Download;
class FrmTonaq;
class Trap;

// "Upload": writes the marked rows of the table into the unit's memory locations, then reads
// the whole memory back so that the table shows what the unit now holds.
class Upload {
public:
    Upload(FrmTonaq &main, Download &readBack);

    void cmdProgram_Click();

private:
    void writeRow(int i, Trap &at);
    void correctRange(int i);

    FrmTonaq &m_main;
    Download &m_readBack;
};

} // namespace tonaq
