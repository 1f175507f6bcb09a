#include "multiplay/keypreview.h"

#include "base/keyascii.h"
#include "ui/keyevents.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QWidget>

namespace tonaq {

KeyPreview::KeyPreview(QWidget &window, Handler handler)
    : QObject(&window)
    , m_handler(std::move(handler)) {
    window.installEventFilter(this);
    for (QWidget *control : window.findChildren<QWidget *>())
        control->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || m_forwarding) return false;
    const int keyAscii = keyAsciiOf(static_cast<const QKeyEvent &>(*event));
    if (keyAscii < 0) return false;
    m_handler(keyAscii);
    // The key goes on to the control now, as one delivery that may climb to the parents,
    // while this filter stands aside; the original delivery then stops here, accepted so
    // that it does not climb to a parent and come through this filter a second time.
    const QPointer<QObject> receiver = watched;
    if (receiver) {
        const QScopedValueRollback<bool> forwarding(m_forwarding, true);
        QCoreApplication::sendEvent(receiver, event);
    }
    event->accept();
    return true;
}

} // namespace tonaq
