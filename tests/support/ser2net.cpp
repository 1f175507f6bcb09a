#include "ser2net.h"

#include "base/tonaqerror.h"
#include "testports.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace tonaq::test {

namespace {

// Runs a program in a folder to its end; false with its output otherwise.
bool run(const QString &program, const QStringList &arguments, const QString &folder,
         QString *why) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return true;
    if (why)
        *why = QStringLiteral("%1 %2: %3")
                   .arg(program, arguments.join(u' '),
                        QString::fromLocal8Bit(process.readAll()) + process.errorString());
    return false;
}

} // namespace

Ser2net::Ser2net(QString folder)
    : m_folder(std::move(folder))
    , m_config(QStringLiteral("%YAML 1.1\n---\n")) {
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

Ser2net::~Ser2net() {
    kill();
}

QString Ser2net::program() {
    const QString found = QStandardPaths::findExecutable("ser2net");
    return found.isEmpty() ? QStandardPaths::findExecutable("ser2net", {"/usr/sbin", "/sbin"})
                           : found;
}

quint16 Ser2net::serve(const QString &layers, const QString &device, const QStringList &options) {
    const quint16 port = freePort();
    m_ports.append(port);
    m_config += QStringLiteral("connection: &port%1\n"
                               "    accepter: %2tcp,127.0.0.1,%1\n"
                               "    connector: serialdev,%3,9600n81,local\n")
                    .arg(port)
                    .arg(layers.isEmpty() ? QString() : layers + u',', device);
    if (!options.isEmpty()) m_config += "    options:\n      " + options.join("\n      ") + u'\n';
    return port;
}

bool Ser2net::start(QString *why) {
    const QString config = m_folder + "/ser2net.yaml";
    if (!writeFile(config, m_config.toUtf8())) {
        *why = "cannot write " + config;
        return false;
    }
    // -n: foreground, so the test owns the process; -u: no UUCP lock files, which an
    // ordinary user may not write.
    m_process.start(program(), {"-n", "-u", "-c", config, "-P", m_folder + "/pid"});
    // Listening once a connect succeeds: each port polled until then, within a bound.
    const QDeadlineTimer deadline(10000);
    for (const quint16 port : m_ports) {
        for (;;) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), port);
            if (probe.waitForConnected(1000)) break;
            if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) {
                *why =
                    QStringLiteral("ser2net does not listen on %1: %2 %3")
                        .arg(port)
                        .arg(m_process.errorString(), QString::fromLocal8Bit(m_process.readAll()));
                return false;
            }
            QTest::qWait(5);
        }
    }
    // A port another program took first answers all the same: ser2net says so.
    const QString said = QString::fromLocal8Bit(m_process.readAll());
    if (said.contains(QLatin1String("Unable to startup network port"))) {
        *why = QStringLiteral("ser2net could not listen: ") + said;
        return false;
    }
    return true;
}

void Ser2net::kill() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished();
}

// From a block of ports of this process's own, below the range the system hands out for
// outgoing connections and for listening on port 0: tests that run at the same time then do
// not pick the same free port before their servers take it.
quint16 freePort() {
    constexpr int kFirst = 20000, kBlocks = 400, kBlockSize = 25;
    static int next = 0;
    const int block = kFirst + int(QCoreApplication::applicationPid() % kBlocks) * kBlockSize;
    for (int tries = 0; tries < kBlockSize; ++tries) {
        const auto port = quint16(block + next++ % kBlockSize);
        QTcpServer server;
        if (server.listen(QHostAddress::LocalHost, port)) return port;
    }
    QTcpServer server; // the whole block taken: any port the system gives
    server.listen(QHostAddress::LocalHost);
    return server.serverPort();
}

std::unique_ptr<NetworkTransport> transportTo(const QString &url) {
    QString why;
    const std::optional<NetworkAddress> address = parseNetworkAddress(url, &why);
    if (!address) qFatal("%s: %s", qPrintable(url), qPrintable(why));
    return std::make_unique<NetworkTransport>(*address);
}

QString openFailure(NetworkTransport &transport, std::chrono::milliseconds deadline) {
    try {
        transport.open(LineSettings{}, deadline);
    } catch (const TonaqError &error) {
        return QStringLiteral("%1 %2").arg(error.number()).arg(error.description());
    }
    return QStringLiteral("opened");
}

std::optional<TestCertificates> makeCertificates(const QString &folder, const QString &user,
                                                 QString *why) {
    const QString openssl = QStandardPaths::findExecutable("openssl");
    const QString allowed = QStringLiteral("auth/%1/allowed_certs").arg(user);
    // A configuration of our own: nothing of the system's (CA:TRUE on every certificate) slips in.
    if (openssl.isEmpty() || !QDir(folder).mkpath(allowed) ||
        !writeFile(folder + "/openssl.cnf",
                   "[req]\ndistinguished_name = dn\nprompt = no\n[dn]\n")) {
        *why = QStringLiteral("openssl is not installed or %1 cannot be written").arg(folder);
        return std::nullopt;
    }
    // Each: NAME.key (P-256) and NAME.crt, self-signed or signed by a CA, with its extensions.
    const QString make = QStringLiteral(
        "req -config openssl.cnf -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
        "-days 2 -keyout %1.key -out %1.crt -subj /CN=%2 -addext basicConstraints=critical,CA:%3 ");
    const QString server = make + "-addext subjectAltName=IP:127.0.0.1,DNS:localhost "
                                  "-addext extendedKeyUsage=serverAuth -CA %4.crt -CAkey %4.key";
    const QString ca = make + "-addext keyUsage=critical,keyCertSign,cRLSign";
    for (const QString &command :
         {ca.arg("ca", "tonaq-test-ca", "TRUE"), server.arg("server", "localhost", "FALSE", "ca"),
          ca.arg("otherca", "another-ca", "TRUE"),
          server.arg("other", "localhost", "FALSE", "otherca"),
          make.arg("client", user, "FALSE") + "-addext extendedKeyUsage=clientAuth",
          // ser2net looks a client's certificate up by its hash in the user's folder.
          "x509 -in client.crt -out " + allowed + "/client.crt", "rehash " + allowed})
        if (!run(openssl, QProcess::splitCommand(command), folder, why)) return std::nullopt;
    const auto file = [&](const char *name) { return folder + u'/' + QLatin1String(name); };
    return TestCertificates{file("ca.crt"),     file("server.crt"), file("server.key"),
                            file("other.crt"),  file("other.key"),  file("client.crt"),
                            file("client.key"), file("auth")};
}

} // namespace tonaq::test
