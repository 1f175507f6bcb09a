#include "tones/singleplayframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tonaq {

SinglePlayFrame::SinglePlayFrame(FrmTonaq &main, QWidget *parent)
    : Frame(3, QStringLiteral("Single Play"), parent)
    , m_main(main) {
    auto *toneLabel = named(new QLabel(QStringLiteral("Tone:"), holder()), element("lblDisp", 2),
                            QStringLiteral("Tone:"));
    m_tone = named(new QLineEdit(holder()), QStringLiteral("Tone"), QStringLiteral("Tone"));
    m_tone->setMaxLength(1);
    m_tone->setFixedWidth(26);
    toneLabel->setBuddy(m_tone);
    auto *durationLabel = named(new QLabel(QStringLiteral("Duration:"), holder()),
                                element("lblDisp", 3), QStringLiteral("Duration:"));
    m_duration =
        named(new QLineEdit(holder()), QStringLiteral("Duration"), QStringLiteral("Duration"));
    m_duration->setMaxLength(5);
    m_duration->setFixedWidth(52);
    durationLabel->setBuddy(m_duration);
    m_play =
        named(new QPushButton(QStringLiteral("Play"), holder()), QStringLiteral("cmdSinglePlay"),
              QStringLiteral("Play"), QStringLiteral("Play single tone for specified duration"));

    auto *row = new QHBoxLayout(holder());
    row->setContentsMargins(6, 0, 6, 2);
    row->addWidget(toneLabel);
    row->addWidget(m_tone);
    row->addSpacing(6);
    row->addWidget(durationLabel);
    row->addWidget(m_duration);
    row->addStretch();
    row->addWidget(m_play);
}

} // namespace tonaq
