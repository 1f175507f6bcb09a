#pragma once

#include "link/networktransport.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace tonaq::test {

// Debian's ser2net, run by a test in the foreground on 127.0.0.1 with a configuration the test
// writes into its own folder. Each connection serves one device (a simulated unit's
// pseudo-terminal) on a free port; ser2net is killed when this goes.
class Ser2net {
public:
    explicit Ser2net(QString folder);
    ~Ser2net();
    Ser2net(const Ser2net &) = delete;
    Ser2net &operator=(const Ser2net &) = delete;

    // The program, or empty when it is not installed.
    static QString program();

    // A connection whose accepter stacks `layers` ("", "telnet(rfc2217)", "ssl(key=K,cert=C)",
    // "telnet(rfc2217),ssl(...)") over tcp; `options` are extra lines of its options block,
    // e.g. "authdir: /x". Returns its port. Takes effect at start().
    quint16 serve(const QString &layers, const QString &device, const QStringList &options = {});
    // Runs ser2net and returns once every port listens; false with the reason otherwise.
    bool start(QString *why);
    void kill();

private:
    QString m_folder;
    QString m_config;
    QList<quint16> m_ports;
    QProcess m_process;
};

// A free TCP port on 127.0.0.1, as the system hands them out.
quint16 freePort();

// A transport to a network unit (the URL must parse), and what opening it with the unit's
// settings said: "opened", or the error's number and description.
std::unique_ptr<NetworkTransport> transportTo(const QString &url);
QString openFailure(NetworkTransport &transport,
                    std::chrono::milliseconds deadline = std::chrono::seconds(3));

// Certificates made with openssl for the TLS tests: a CA and a server certificate it signed
// for 127.0.0.1 and localhost; another CA's server certificate for the same names; and a
// self-signed client certificate whose common name is `user`, filed as ser2net's clientauth
// wants it (authDir/user/allowed_certs, hashed).
struct TestCertificates {
    QString ca;
    QString serverCert, serverKey;
    QString otherCert, otherKey;
    QString clientCert, clientKey;
    QString authDir;
};
std::optional<TestCertificates> makeCertificates(const QString &folder, const QString &user,
                                                 QString *why);

} // namespace tonaq::test
