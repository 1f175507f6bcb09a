#pragma once

#include "base/prompter.h"

#include <QList>
#include <QQueue>
#include <functional>

namespace tonaq::test {

// Answers message boxes from a script and remembers every one it was shown. With nothing
// scripted it gives the box's default button, as an operator pressing Enter would.
class ScriptedPrompter : public Prompter {
public:
    Button ask(QWidget *, const Message &message) override {
        shown.append(message);
        if (onShow) onShow(message);
        return answers.isEmpty() ? message.defaultButton : answers.dequeue();
    }
    QStringList texts() const {
        QStringList result;
        for (const Message &m : shown)
            result.append(m.text);
        return result;
    }

    QQueue<Button> answers;
    QList<Message> shown;
    std::function<void(const Message &)> onShow;
};

} // namespace tonaq::test
