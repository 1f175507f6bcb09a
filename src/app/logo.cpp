#include "app/logo.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tonaq {

QPixmap tonaqLogo() {
    QPixmap logo(183, 51);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, 51);
    background.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    background.setColorAt(1, QColor(0x0b, 0x25, 0x3d));
    p.setPen(Qt::NoPen);
    p.setBrush(background);
    p.drawRoundedRect(QRectF(0.5, 0.5, 182, 50), 6, 6);

    // Two summed sines: the row and column tone of a DTMF key.
    QPainterPath wave;
    for (int x = 0; x <= 56; ++x) {
        const double y = 25.5 + 8 * std::sin(x * 0.42) + 6 * std::sin(x * 0.73);
        x == 0 ? wave.moveTo(8 + x, y) : wave.lineTo(8 + x, y);
    }
    p.setPen(QPen(QColor(0xff, 0xc0, 0x40), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);

    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(22);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(70, 5, 108, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TONAQ"));
    font.setPixelSize(9);
    font.setBold(false);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    p.setFont(font);
    p.setPen(QColor(0xc8, 0xd8, 0xe8));
    p.drawText(QRect(71, 33, 108, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QCoreApplication::translate("Logo", "DTMF tone generator"));
    return logo;
}

} // namespace tonaq
