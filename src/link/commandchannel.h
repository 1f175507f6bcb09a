#pragma once

#include <QString>
#include <memory>

namespace tonaq {

class DeviceLink;
class PortMap;

// The program's way to the unit: the one DeviceLink, the Connected flag that every command
// tests first, and Transact, which sends a command and returns the reply at once.
class CommandChannel {
public:
    explicit CommandChannel(const PortMap &ports);
    ~CommandChannel();

    // Creates the link with its line settings (start-up) and releases it (shutdown).
    void createLink(const QString &settings);
    void releaseLink();
    bool hasLink() const { return m_link != nullptr; }
    // The link; raises TonaqError (PortNotOpen) once it has been released.
    DeviceLink &link() const;

    bool Connected() const { return m_connected; }
    void setConnected(bool connected) { m_connected = connected; }

    // Sends the command and returns what the unit answered; empty when nothing came.
    // Texts cross the line as single bytes (Latin-1), as the unit's firmware expects.
    QString Transact(const QString &command);
    void SendCommand(const QString &command);
    QString ReadReply();

private:
    const PortMap &m_ports;
    std::unique_ptr<DeviceLink> m_link;
    bool m_connected = false;
};

} // namespace tonaq
