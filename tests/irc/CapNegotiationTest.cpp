// Registration's capability talk and SASL PLAIN login, played line by line against a fake socket:
// what the client answers to each server line, and how the talk ends.
#include <gtest/gtest.h>

#include "EventRecorder.h"
#include "FakeSocket.h"
#include "IRCClient.h"
#include "printers.h"

namespace {
struct TExchange {
    QString Server;
    QStringList Answer;
};

QString Login(const QByteArray &Payload) { return "AUTHENTICATE " + QString::fromLatin1(Payload.toBase64()); }
const QString LoginBob = Login(QByteArray("\0bob\0pw", 7));
const QString LsSasl = ":srv CAP * LS :multi-prefix sasl";
const QString Welcome = ":srv 001 bob :Welcome";
// The login of a password that makes exactly one full AUTHENTICATE line, and of one that needs two.
const QString Password295(295, u'p');
const QString Password400(400, u'p');
const QByteArray Base64Of295 = (QByteArray("\0bob\0", 5) + Password295.toLatin1()).toBase64();
const QByteArray Base64Of400 = (QByteArray("\0bob\0", 5) + Password400.toLatin1()).toBase64();
} // namespace

TEST(CapNegotiation, each_exchange_gets_its_answers_and_ends_as_it_should)
{
    const struct {
        const char *Name;
        QString Password;
        bool Secure;
        bool PasswordWithoutTls;
        QList<TExchange> Script;
        bool Registered; // still connected at the end, else the login was refused and the connection closed
    } cases[] = {
        {"success", "pw", true, false,
         {{LsSasl, {"CAP REQ :sasl"}},
          {":srv CAP bob ACK :sasl", {"AUTHENTICATE PLAIN"}},
          {"AUTHENTICATE +", {LoginBob}},
          {":srv 900 bob bob!u@h bob :You are now logged in as bob", {}},
          {":srv 903 bob :SASL authentication successful", {"CAP END"}},
          {Welcome, {}}},
         true},
        {"wrong password (904)", "pw", true, false,
         {{LsSasl, {"CAP REQ :sasl"}},
          {":srv CAP bob ACK :sasl", {"AUTHENTICATE PLAIN"}},
          {"AUTHENTICATE +", {LoginBob}},
          {":srv 904 bob :SASL authentication failed", {}}},
         false},
        {"login too long (905)", "pw", true, false,
         {{LsSasl, {"CAP REQ :sasl"}}, {":srv CAP bob ACK :sasl", {"AUTHENTICATE PLAIN"}}, {":srv 905 bob :too long", {}}},
         false},
        {"NAK", "pw", true, false, {{LsSasl, {"CAP REQ :sasl"}}, {":srv CAP bob NAK :sasl", {"CAP END"}}, {Welcome, {}}},
         true},
        {"no CAP support: 421", "pw", true, false,
         {{":srv 421 bob CAP :Unknown command", {}}, {Welcome, {}}, {LsSasl, {}}}, true},
        {"no CAP support: straight to 001, a late LS is ignored", "pw", true, false, {{Welcome, {}}, {LsSasl, {}}}, true},
        {"multi-line LS with a mechanism list", "pw", true, false,
         {{":srv CAP * LS * :multi-prefix away-notify", {}},
          {":srv CAP * LS :sasl=EXTERNAL,PLAIN", {"CAP REQ :sasl"}},
          {"@time=x :srv CAP bob ACK :sasl", {"AUTHENTICATE PLAIN"}}},
         true},
        {"no PLAIN among the mechanisms", "pw", true, false, {{":srv CAP * LS :sasl=EXTERNAL", {"CAP END"}}}, true},
        {"no password", "", true, false, {{LsSasl, {"CAP END"}}, {Welcome, {}}}, true},
        {"no TLS", "pw", false, false, {{LsSasl, {"CAP END"}}}, true},
        {"no TLS, password allowed without it", "pw", false, true, {{LsSasl, {"CAP REQ :sasl"}}}, true},
        {"a login of one full line ends with a lone +", Password295, true, false,
         {{LsSasl, {"CAP REQ :sasl"}},
          {":srv CAP bob ACK :sasl", {"AUTHENTICATE PLAIN"}},
          {"AUTHENTICATE +", {"AUTHENTICATE " + QString::fromLatin1(Base64Of295), "AUTHENTICATE +"}}},
         true},
        {"a longer login goes in 400-byte lines", Password400, true, false,
         {{LsSasl, {"CAP REQ :sasl"}},
          {":srv CAP bob ACK :sasl", {"AUTHENTICATE PLAIN"}},
          {"AUTHENTICATE +",
           {"AUTHENTICATE " + QString::fromLatin1(Base64Of400.left(400)),
            "AUTHENTICATE " + QString::fromLatin1(Base64Of400.mid(400))}}},
         true},
    };
    for (const auto &c : cases) {
        auto *socket = new TFakeSocket;
        TIRCClient client(nullptr, socket);
        TEventRecorder events(client);
        client.SetOwnNick("bob");
        client.Password = c.Password;
        client.Secure = c.Secure;
        client.PasswordWithoutTls = c.PasswordWithoutTls;
        client.Connect();
        socket->AcceptConnection();
        const QStringList registration = socket->TakeLines();
        EXPECT_EQ(registration.value(0), "CAP LS 302") << c.Name;
        EXPECT_EQ(registration.filter("NICK bob").size(), 1) << c.Name << ": NICK goes out at once";
        for (const TExchange &exchange : c.Script) {
            socket->Receive(exchange.Server.toUtf8() + "\r\n");
            while (!client.LineQueue().isEmpty())
                client.ProcessNextLine();
            EXPECT_EQ(socket->TakeLines(), exchange.Answer) << c.Name << ": " << exchange.Server.toStdString();
        }
        EXPECT_EQ(client.Connected(), c.Registered) << c.Name;
        const QString refusal = c.Registered ? QString() : "OnLoginRefused(" + c.Script.last().Server.mid(5, 3) + ")";
        EXPECT_EQ(events.Log.filter("OnLoginRefused"), c.Registered ? QStringList() : QStringList{refusal}) << c.Name;
    }
}
