#pragma once

#include "app/prompter.h"

#include <QList>
#include <QQueue>

namespace tonaq::test {

// Answers message boxes from a script and remembers every one it was shown. With nothing
// scripted it gives the box's default answer, as an operator pressing Enter would.
class ScriptedPrompter : public Prompter {
public:
    MsgAnswer ask(QWidget *, const Message &message) override {
        shown.append(message);
        if (onShow) onShow(message);
        return answers.isEmpty() ? message.defaultAnswer : answers.dequeue();
    }
    QStringList texts() const {
        QStringList result;
        for (const Message &m : shown)
            result.append(m.text);
        return result;
    }

    QQueue<MsgAnswer> answers;
    QList<Message> shown;
    std::function<void(const Message &)> onShow;
};

} // namespace tonaq::test
