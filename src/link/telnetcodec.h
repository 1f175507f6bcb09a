#pragma once

#include "link/linesettings.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <array>

namespace tonaq {

// The telnet protocol (RFC 854, 855) as far as a client of an RFC 2217 server needs it. Pure:
// bytes in, bytes out, no socket.
namespace telnet {
inline constexpr quint8 kSe = 240;
inline constexpr quint8 kSb = 250;
inline constexpr quint8 kWill = 251;
inline constexpr quint8 kWont = 252;
inline constexpr quint8 kDo = 253;
inline constexpr quint8 kDont = 254;
inline constexpr quint8 kIac = 255;

inline constexpr quint8 kBinary = 0;
inline constexpr quint8 kSuppressGoAhead = 3;
inline constexpr quint8 kComPort = 44;
} // namespace telnet

// COM-PORT-OPTION commands as the client sends them; the server answers with the same
// command plus 100.
namespace comport {
inline constexpr quint8 kSignature = 0;
inline constexpr quint8 kSetBaudRate = 1;
inline constexpr quint8 kSetDataSize = 2;
inline constexpr quint8 kSetParity = 3;
inline constexpr quint8 kSetStopSize = 4;
inline constexpr quint8 kSetControl = 5;
inline constexpr quint8 kFlowControlSuspend = 8;
inline constexpr quint8 kFlowControlResume = 9;
inline constexpr quint8 kServerOffset = 100;
} // namespace comport

// One COM-PORT-OPTION subnegotiation from the server: its command code (100 and up) and value.
struct ComPortMessage {
    quint8 command = 0;
    QByteArray value;
    bool operator==(const ComPortMessage &) const = default;
};

// Splits the server's bytes into the unit's data, the answers our side owes to the server's
// option requests, and its COM-PORT-OPTION messages. Keeps its state across calls, so an IAC
// sequence may arrive cut anywhere.
//
// We ask for binary transmission both ways (so CR and 0xFF pass untranslated but for IAC
// doubling), suppress-go-ahead both ways and the COM-PORT-OPTION on our side, and refuse
// everything else, echo included. Answers follow RFC 1143's rule: an option already in the
// asked state is not answered again, so two sides never loop.
class TelnetCodec {
public:
    struct Decoded {
        QByteArray data;
        QByteArray answer; // to send to the server as it is
        QList<ComPortMessage> comPort;
    };
    enum class Offer { Pending, Accepted, Refused };

    // Our own requests, sent once the connection is up.
    QByteArray start();
    Decoded decode(QByteArrayView bytes);
    // Whether the server took our COM-PORT-OPTION.
    Offer comPort() const { return m_comPortOffer; }

    // The unit's bytes as they go on the wire: every 0xFF doubled.
    static QByteArray escape(QByteArrayView data);
    // IAC SB COM-PORT-OPTION command value IAC SE, the value escaped.
    static QByteArray comPortCommand(quint8 command, QByteArrayView value);

private:
    struct Side {
        bool enabled = false;
        bool asked = false;
    };
    void verb(quint8 verb, quint8 option, QByteArray &answer);
    void endSubnegotiation(Decoded &out);

    enum class State { Data, Iac, Verb, Sub, SubIac };
    State m_state = State::Data;
    quint8 m_verb = 0;
    QByteArray m_sub;
    std::array<Side, 256> m_ours{};   // options we perform (WILL/WONT from us)
    std::array<Side, 256> m_theirs{}; // options the server performs (DO/DONT from us)
    Offer m_comPortOffer = Offer::Pending;
};

// The line settings asked of an RFC 2217 server, and the check of what it acknowledges: baud
// rate, data size, parity and stop size must come back as asked. Flow control is asked for too
// but its acknowledgement is not awaited: a server in front of a line without modem controls
// (a pseudo-terminal, some adapters) may never send it.
class ComPortSetup {
public:
    explicit ComPortSetup(const LineSettings &settings);

    QByteArray requests() const;
    // Takes one server message; those that acknowledge no setting are passed over.
    void take(const ComPortMessage &message);
    bool complete() const;
    // What the server acknowledged otherwise than asked, e.g. "the server set 19200 baud
    // instead of 9600"; empty while nothing is wrong.
    QString fault() const { return m_fault; }
    // The settings not yet acknowledged, e.g. "baud rate, parity".
    QString missing() const;

private:
    enum Setting { Baud, DataSize, Parity, StopSize, SettingCount };
    std::array<quint32, SettingCount> m_asked{};
    std::array<bool, SettingCount> m_acknowledged{};
    QString m_fault;
};

} // namespace tonaq
