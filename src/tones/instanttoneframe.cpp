#include "tones/instanttoneframe.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tonaq {

InstantToneFrame::InstantToneFrame(FrmTonaq &main, QWidget *parent)
    : Frame(4, QStringLiteral("Instant Tone"), parent)
    , m_main(main) {
    const QString caption = QStringLiteral("Tone to send:");
    m_label = named(new QLabel(caption, holder()), element("lblDisp", 0), caption);
    m_txtKeys =
        named(new QLineEdit(holder()), QStringLiteral("txtKeys"), QStringLiteral("Tone to send"),
              QStringLiteral("Set focus here (click left mous button) and press a valid "
                             "DTMF corresponding key to send a pulsating tone or one "
                             "constant tone.  Defined by Key Lock check box."));
    m_txtKeys->setMaxLength(1);
    m_txtKeys->setAlignment(Qt::AlignCenter);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(13.5);
    m_txtKeys->setFont(arial);
    m_txtKeys->setFixedWidth(34);
    m_label->setBuddy(m_txtKeys);
    m_chkKeyLock =
        named(new QCheckBox(QStringLiteral("Key Lock"), holder()), QStringLiteral("chkKeyLock"),
              QStringLiteral("Key Lock"), QStringLiteral("Send a constant tone, don't pulsate it"));

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(m_label);
    row->addWidget(m_txtKeys);
    row->addStretch();
    row->addWidget(m_chkKeyLock);
}

} // namespace tonaq
