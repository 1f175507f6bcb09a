#include "ui/layouthelpers.h"

#include <QApplication>
#include <QFontMetrics>

namespace tonaq {

void fitTextToBox(QLabel *label) {
    constexpr double kSmallestPoints = 6;
    constexpr double kStep = 0.5;
    const QRect box = label->contentsRect();
    const int flags = static_cast<int>(label->alignment()) | Qt::TextWordWrap;
    QFont font = label->font();
    const auto fits = [&] {
        const QRect needed = QFontMetrics(font).boundingRect(box, flags, label->text());
        return needed.width() <= box.width() && needed.height() <= box.height();
    };
    while (!fits() && font.pointSizeF() - kStep >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - kStep);
    label->setFont(font);
}

QFont dialogFont() {
    QFont font = QApplication::font();
    font.setPointSizeF(8);
    return font;
}

void showCaption(QWidget &window, const QString &caption) {
    QString title = caption;
    window.setWindowTitle(title.replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
}

} // namespace tonaq
