#include "link/networkaddress.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace tonaq {

namespace {

std::optional<NetworkAddress> refuse(QString *why, const QString &reason) {
    if (why) *why = reason;
    return std::nullopt;
}

} // namespace

QString NetworkAddress::place() const {
    QString scheme = protocol == Protocol::Raw ? QStringLiteral("tcp") : QStringLiteral("rfc2217");
    if (tls) scheme += QStringLiteral("+tls");
    const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
    return QStringLiteral("%1://%2:%3").arg(scheme, shownHost).arg(port);
}

bool isNetworkPortName(const QString &name) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(name.trimmed()).hasMatch();
}

std::optional<NetworkAddress> parseNetworkAddress(const QString &text, QString *why) {
    if (!isNetworkPortName(text)) return refuse(why, QStringLiteral("not a network address"));
    // QUrl only says that a port out of range makes the whole address invalid.
    static const QRegularExpression portPart(
        QStringLiteral("^[^:]+://(?:\\[[^\\]]*\\]|[^/?#:\\[]*):([0-9]+)(?:[/?#]|$)"));
    const QRegularExpressionMatch port = portPart.match(text.trimmed());
    if (port.hasMatch() && (port.captured(1).toULongLong() == 0 || port.capturedLength(1) > 5 ||
                            port.captured(1).toULongLong() > 65535))
        return refuse(why, QStringLiteral("port %1 is out of range").arg(port.captured(1)));
    // Tolerant: a file name with a space in the query should not need percent signs.
    const QUrl url(text.trimmed(), QUrl::TolerantMode);
    if (!url.isValid()) return refuse(why, url.errorString());
    NetworkAddress address;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"tcp" || scheme == u"tcp+tls") {
        address.protocol = NetworkAddress::Protocol::Raw;
    } else if (scheme == u"rfc2217" || scheme == u"rfc2217+tls") {
        address.protocol = NetworkAddress::Protocol::Rfc2217;
    } else {
        return refuse(why, QStringLiteral("unknown scheme %1 (tcp, rfc2217, tcp+tls or "
                                          "rfc2217+tls)")
                               .arg(scheme));
    }
    address.tls = scheme.endsWith(u"+tls");
    address.host = url.host();
    if (address.host.isEmpty()) return refuse(why, QStringLiteral("no host"));
    if (url.port() <= 0) return refuse(why, QStringLiteral("no port"));
    address.port = static_cast<quint16>(url.port());
    if (!url.userInfo().isEmpty() || !(url.path().isEmpty() || url.path() == u"/") ||
        url.hasFragment())
        return refuse(why, QStringLiteral("only HOST:PORT and ?ca=, cert=, key= may follow the "
                                          "scheme"));
    const QUrlQuery query(url);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        QString *file = key == u"ca"     ? &address.caFile
                        : key == u"cert" ? &address.certFile
                        : key == u"key"  ? &address.keyFile
                                         : nullptr;
        if (!file) return refuse(why, QStringLiteral("unknown option %1").arg(key));
        if (!file->isEmpty()) return refuse(why, QStringLiteral("%1 given twice").arg(key));
        if (value.isEmpty()) return refuse(why, QStringLiteral("%1 names no file").arg(key));
        *file = value;
    }
    const bool files =
        !address.caFile.isEmpty() || !address.certFile.isEmpty() || !address.keyFile.isEmpty();
    if (files && !address.tls)
        return refuse(why, QStringLiteral("ca, cert and key need tcp+tls:// or rfc2217+tls://"));
    if (address.certFile.isEmpty() != address.keyFile.isEmpty())
        return refuse(why, QStringLiteral("a client certificate needs both cert and key"));
    return address;
}

} // namespace tonaq
