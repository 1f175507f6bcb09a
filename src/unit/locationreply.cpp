#include "unit/locationreply.h"

#include <QStringList>

namespace tonaq {

namespace {

// BASIC's Split: an empty text has no parts at all, not one empty part.
QStringList splitLikeBasic(const QString &text, const QString &separator) {
    if (text.isEmpty()) return {};
    return text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

// Only the space counts as a blank here; tabs and line breaks stay.
QString trimBlanks(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

QString cleaned(QString text, const QString &label) {
    return trimBlanks(text.remove(QStringLiteral("ms")).remove(label));
}

} // namespace

LocationReply parseLocationReply(const QString &reply) {
    LocationReply result;
    const QStringList lines = splitLikeBasic(reply, QStringLiteral("\r\n"));
    if (lines.size() <= 2) {
        result.failedStep = LocationReplyStep::SplitLineTwo;
        return result;
    }
    const QStringList fields = splitLikeBasic(lines[2], QStringLiteral(":"));
    if (fields.isEmpty()) {
        result.failedStep = LocationReplyStep::Length;
        return result;
    }
    result.texts.length = cleaned(fields[0], QStringLiteral("Length = "));
    if (fields.size() < 2) {
        result.failedStep = LocationReplyStep::Space;
        return result;
    }
    result.texts.space = cleaned(fields[1], QStringLiteral("Space = "));
    if (lines.size() < 4) {
        result.failedStep = LocationReplyStep::String;
        return result;
    }
    QString string = lines[3];
    result.texts.string = trimBlanks(string.remove(QStringLiteral("String = ")));
    return result;
}

} // namespace tonaq
