#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

namespace tonaq {

// The window layouts are drawn in twips; 15 twips make a pixel at 96 dpi.
constexpr QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// Gives a widget its program name and tool tip. A screen reader takes a control's name from its
// own text (labels, buttons, check boxes) or its label and its description from the tool tip,
// so both follow when the program changes them; only a box with neither gets a fixed name.
template <class W>
W *named(W *widget, const QString &objectName, const QString &toolTip = {},
         const QString &fixedAccessibleName = {}) {
    widget->setObjectName(objectName);
    if (!toolTip.isEmpty()) widget->setToolTip(toolTip);
    if (!fixedAccessibleName.isEmpty()) widget->setAccessibleName(fixedAccessibleName);
    return widget;
}

// The width of the Play buttons of the tone frames: the frames are too narrow for the style's
// default, and the boxes beside them get the room.
inline constexpr int kPlayButtonWidth = 50;

// The font the window layouts are measured for: the desktop's, at a classic 8 points.
QFont dialogFont();

// Shows a caption in a window's title bar exactly: Qt reads "[*]" in a title as its own mark
// for unsaved changes and would drop it.
void showCaption(QWidget &window, const QString &caption);

// Shrinks a word-wrapped label's font until its whole text fits the label's box: the windows are
// laid out for a classic font, and a wider desktop font must not cut off the last words.
void fitTextToBox(QLabel *label);

// "Length(3)": the object name of an element of a control array.
inline QString element(const char *array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// A frame of the main window, "fraMain(n)", whose controls sit on an inner borderless panel
// "XPHolder" so that they draw the same under every style.
class Frame : public QGroupBox {
public:
    Frame(int index, const QString &caption, QWidget *parent)
        : QGroupBox(caption, parent)
        , m_holder(new QWidget(this)) {
        named(this, element("fraMain", index));
        m_holder->setObjectName(QStringLiteral("XPHolder"));
    }
    QWidget *holder() const { return m_holder; }

protected:
    void resizeEvent(QResizeEvent *event) override {
        QGroupBox::resizeEvent(event);
        m_holder->setGeometry(contentsRect());
    }

private:
    QWidget *m_holder;
};

} // namespace tonaq
