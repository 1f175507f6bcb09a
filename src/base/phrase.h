#pragma once

#include <QCoreApplication>
#include <QString>

namespace tonaq {

// A text a person reads that is also kept where it stays English: said on the screen in the
// operator's language, written to tonaqctl's results and --json in its English source.
struct Phrase {
    QString english;
    QString local;
};

// "what: why", where why stays English in every language (an error log's line or description).
inline Phrase operator+(const Phrase &what, const QString &why) {
    return {what.english + QStringLiteral(": ") + why, what.local + QStringLiteral(": ") + why};
}

// The source is marked where it is written, QT_TRANSLATE_NOOP(context, "..."), for lupdate;
// the arguments fill %1, %2, ... of both in one pass.
template <class... Args>
Phrase phrase(const char *context, const char *source, const Args &...args) {
    QString english = QString::fromUtf8(source);
    QString local = QCoreApplication::translate(context, source);
    if constexpr (sizeof...(Args) > 0)
        return {english.arg(args...), local.arg(args...)};
    else
        return {english, local};
}

} // namespace tonaq
