#pragma once

#include "memory/download.h"
#include "memory/unitreset.h"
#include "memory/upload.h"

#include <QObject>

namespace tonaq {

class FrmTonaq;

// The traffic between the table and the unit's memory: "Download", "Upload" and "Reset Unit",
// wired to their button and menu item.
class MemoryTransfer : public QObject {
    Q_OBJECT
public:
    explicit MemoryTransfer(FrmTonaq &main);

    void cmdLoad_Click() { m_download.cmdLoad_Click(); }
    void cmdProgram_Click() { m_upload.cmdProgram_Click(); }
    void mnuReset_Click() { m_reset.mnuReset_Click(); }

private:
    Download m_download;
    Upload m_upload;
    UnitReset m_reset;
};

} // namespace tonaq
