#pragma once

#include "base/filedialogs.h"

#include <QList>
#include <QQueue>

namespace tonaq::test {

// Plays the operator at the file dialogs: each request is remembered and answered with the
// next scripted answer, or cancelled when none is left.
class ScriptedFileDialogs : public FileDialogs {
public:
    FileDialogAnswer run(QWidget *, const FileDialogRequest &request) override {
        requests.append(request);
        return answers.isEmpty() ? FileDialogAnswer{} : answers.dequeue();
    }
    void choose(const QString &path) {
        FileDialogAnswer answer;
        answer.accepted = true;
        answer.files = {path};
        answer.filterIndex = 1;
        answers.enqueue(answer);
    }

    QQueue<FileDialogAnswer> answers;
    QList<FileDialogRequest> requests;
};

} // namespace tonaq::test
