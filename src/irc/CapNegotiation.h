#pragma once
// The capability talk at the start of registration: "CAP LS 302" goes out with NICK and USER, and
// when the server offers SASL and a password may go to it, the password logs in with SASL PLAIN
// before "CAP END" lets registration finish. A server that knows no CAP simply registers: its
// welcome (001) or its "unknown command" (421) ends the talk. Widget-free and socket-free: the
// client feeds it the server's lines and sends what it answers.
#include <QString>
#include <QStringList>

class TCapNegotiation {
public:
    enum class TOutcome {
        Going,    // still talking
        Done,     // registration goes on as usual
        Refused,  // the server refused the SASL login: the connection should end
    };
    struct TStep {
        QStringList Send;       // lines to send, in order
        bool Consumed = false;  // the line belonged to the talk and needs no further dispatch
    };

    // Begins anew. The password goes to SASL only when it is not empty and SaslAllowed (the
    // connection is secure, or the user allowed a password without TLS).
    QString Start(const QString &Nick, const QString &Password, bool SaslAllowed);
    // Feeds one server line (without CR LF) while Active().
    TStep Feed(const QString &Line);
    bool Active() const { return FOutcome == TOutcome::Going; }
    TOutcome Outcome() const { return FOutcome; }
    // The numeric that refused the login (902, 904, 905 or 906), 0 while none did.
    int RefusalCode() const { return FRefusalCode; }

    // AUTHENTICATE carries at most this many bytes of base64 per line.
    static constexpr qsizetype ChunkSize = 400;
    // The AUTHENTICATE lines that carry a PLAIN login.
    static QStringList PlainLogin(const QString &AuthzId, const QString &AuthcId, const QString &Password);

private:
    TStep OnCap(const QStringList &Params);
    TStep OnNumeric(int Code);
    TStep End();

    QString FNick;
    QString FPassword;
    bool FSaslAllowed = false;
    QStringList FOffered; // the capabilities listed so far
    bool FRequested = false;
    TOutcome FOutcome = TOutcome::Done;
    int FRefusalCode = 0;
};
