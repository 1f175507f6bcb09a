#include "tones/memoryplayframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tonaq {

MemoryPlayFrame::MemoryPlayFrame(FrmTonaq &main, QWidget *parent)
    : Frame(2, QStringLiteral("Memory Play"), parent)
    , m_main(main) {
    const QString caption = QStringLiteral("Memory Locations:");
    auto *label = named(new QLabel(caption, holder()), element("lblDisp", 1), caption);
    m_txtLoc = named(new QLineEdit(holder()), QStringLiteral("txtLoc"),
                     QStringLiteral("Memory Locations"));
    label->setBuddy(m_txtLoc);
    m_play = named(new QPushButton(QStringLiteral("Play"), holder()), QStringLiteral("cmdMemPlay"),
                   QStringLiteral("Play"),
                   QStringLiteral("Play tones from memory location(s).  Locations 1-8 allowed.  "
                                  "For multiple locations, do not use seperating characters."));

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(label);
    row->addWidget(m_txtLoc, 1);
    row->addWidget(m_play);
}

} // namespace tonaq
