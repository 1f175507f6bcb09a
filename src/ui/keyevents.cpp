#include "ui/keyevents.h"

#include <QKeyEvent>

namespace tonaq {

namespace {
constexpr char16_t kDelete = 0x7F;
} // namespace

int keyAsciiOf(const QKeyEvent &event) {
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return -1;
    const QString text = event.text();
    if (text.isEmpty() || text.front().unicode() == kDelete) return -1;
    return text.front().unicode();
}

} // namespace tonaq
