#include "multiplay/multiplay.h"

#include "app/frmtonaq.h"
#include "app/layouthelpers.h"
#include "link/commandchannel.h"
#include "multiplay/tonegrid.h"

#include <QPushButton>

namespace tonaq {

MultiPlay::MultiPlay(FrmTonaq &main)
    : m_main(main) {
    setObjectName(QStringLiteral("MultiPlay"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Multi Play "));
    setFixedSize(twips(0, 0, 5490, 5940).size());
    m_cmdSend =
        named(new QPushButton(QStringLiteral("Send matrix"), this), QStringLiteral("cmdSend"),
              QStringLiteral("Send matrix"), QStringLiteral("Upload entire grid to the device"));
    m_cmdSend->setGeometry(twips(4200, 120, 1215, 375));
    m_grid = new ToneGrid(this);
    m_grid->setGeometry(twips(60, 60, 3975, 5175));
}

void MultiPlay::Form_Load() {
    m_cmdSend->setEnabled(m_main.channel().Connected());
}

} // namespace tonaq
