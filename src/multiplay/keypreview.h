#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace tonaq {

// Lets a window see every character typed into it before the control that has the focus,
// whichever control that is; the control still receives the key afterwards. Each key is seen
// once, although it may travel from the control up through its parents.
class KeyPreview : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int keyAscii)>;

    // Watches the window and every control it holds now.
    KeyPreview(QWidget &window, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
    bool m_forwarding = false;
};

} // namespace tonaq
