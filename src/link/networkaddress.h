#pragma once

#include <QString>
#include <optional>

namespace tonaq {

// A unit behind a serial device server, as an operator writes it:
//   tcp://HOST:PORT          raw bytes
//   rfc2217://HOST:PORT      telnet with the COM-PORT-OPTION, which carries the line settings
//   tcp+tls://HOST:PORT, rfc2217+tls://HOST:PORT   the same inside TLS
// TLS entries may name files as query items: ?ca=FILE (trust this CA instead of the system's
// store), &cert=FILE&key=FILE (offer this client certificate). IPv6 hosts go in brackets.
struct NetworkAddress {
    enum class Protocol { Raw, Rfc2217 };

    Protocol protocol = Protocol::Raw;
    QString host;
    quint16 port = 0;
    bool tls = false;
    QString caFile;
    QString certFile;
    QString keyFile;

    // "rfc2217+tls://HOST:PORT", without the files: the place that error messages name.
    QString place() const;
    bool operator==(const NetworkAddress &) const = default;
};

// True for a port name that is a network address ("scheme://..."), false for a device path or
// a COM name. Says nothing of whether the rest of the address is well formed.
bool isNetworkPortName(const QString &name);

// Reads an address; on failure returns nothing and, when asked, why ("no port", "unknown
// scheme ftp", ...).
std::optional<NetworkAddress> parseNetworkAddress(const QString &text, QString *why = nullptr);

} // namespace tonaq
