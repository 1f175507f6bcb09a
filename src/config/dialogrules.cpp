#include "config/dialogrules.h"

namespace tonaq {

namespace {

constexpr QChar kNul(u'\0');
constexpr DialogFlags kNeverUsed = DialogFlag::EnableHook | DialogFlag::EnableTemplate;

// Qt's name filters take space-separated patterns where the list writes "a;b".
QString qtPatterns(const QString &pattern) {
    QStringList parts = pattern.split(u';', Qt::SkipEmptyParts);
    for (QString &part : parts)
        part = part.trimmed();
    parts.removeAll(QString());
    return parts.join(u' ');
}

QString nameFilter(const QString &description, const QString &pattern) {
    const QString shown = QStringLiteral("(%1)").arg(pattern);
    const QString wanted = QStringLiteral("(%1)").arg(qtPatterns(pattern));
    QString trimmed = description.trimmed();
    if (trimmed.endsWith(shown)) return trimmed.chopped(shown.size()) + wanted;
    if (trimmed.endsWith(wanted)) return trimmed;
    return trimmed.isEmpty() ? wanted : trimmed + u' ' + wanted;
}

} // namespace

QString convertFilterList(const QString &filter) {
    QString converted = filter;
    converted.replace(u'|', kNul).replace(u':', kNul);
    return converted + kNul + kNul;
}

QString filterLookup(const QString &converted, int index) {
    qsizetype start = 0;
    for (int pair = 1; pair <= index && start < converted.size(); ++pair) {
        const qsizetype firstNul = converted.indexOf(kNul, start);
        if (firstNul < 0) return {};
        const qsizetype secondNul = converted.indexOf(kNul, firstNul + 1);
        if (pair == index) return converted.mid(start, secondNul < 0 ? -1 : secondNul - start);
        if (secondNul < 0) return {}; // nothing follows the last pair
        start = secondNul + 1;
    }
    return {};
}

QString trimAtNull(const QString &buffer) {
    const qsizetype nul = buffer.indexOf(kNul);
    return nul < 0 ? buffer : buffer.left(nul);
}

QStringList qtNameFilters(const QString &converted) {
    QStringList filters;
    const QStringList items = converted.split(kNul);
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        if (items[i].isEmpty() || items[i + 1].isEmpty()) break;
        filters.append(nameFilter(items[i], items[i + 1]));
    }
    return filters;
}

DialogFlags openDialogFlags(bool fileMustExist, bool multiSelect, bool readOnly, bool hideReadOnly,
                            DialogFlags flags) {
    DialogFlags result = flags & ~kNeverUsed;
    if (fileMustExist) result |= DialogFlag::FileMustExist;
    if (multiSelect) result |= DialogFlag::AllowMultiSelect;
    if (readOnly) result |= DialogFlag::ReadOnly;
    if (hideReadOnly) result |= DialogFlag::HideReadOnly;
    return result;
}

DialogFlags saveDialogFlags(bool overwritePrompt, DialogFlags flags) {
    DialogFlags result = (flags & ~kNeverUsed) | DialogFlag::HideReadOnly;
    if (overwritePrompt) result |= DialogFlag::OverwritePrompt;
    return result;
}

int dialogBufferLength(DialogFlags flags) {
    return flags.testFlag(DialogFlag::AllowMultiSelect) ? 8192 : 260;
}

bool fitsDialogBuffer(const QString &text, DialogFlags flags) {
    return text.size() <= dialogBufferLength(flags);
}

} // namespace tonaq
