#include "memory/memorytransfer.h"

#include "app/frmtonaq.h"

#include <QAction>
#include <QPushButton>

namespace tonaq {

MemoryTransfer::MemoryTransfer(FrmTonaq &main)
    : QObject(&main)
    , m_download(main)
    , m_upload(main, m_download)
    , m_reset(main, m_download) {
    setObjectName(QStringLiteral("MemoryTransfer"));
    connect(main.cmdLoad(), &QPushButton::clicked, this, &MemoryTransfer::cmdLoad_Click);
    connect(main.cmdProgram(), &QPushButton::clicked, this, &MemoryTransfer::cmdProgram_Click);
    connect(main.mnuReset(), &QAction::triggered, this, &MemoryTransfer::mnuReset_Click);
}

} // namespace tonaq
