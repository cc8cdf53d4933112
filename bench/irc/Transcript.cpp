#include "Transcript.h"

#include <QString>

QByteArray BusyRoomTranscript(int Rounds)
{
    QString text;
    for (int round = 0; round < Rounds; ++round) {
        const QString user = QString("guest%1").arg(round % 40);
        const QString prefix = ":" + user + "!~" + user + "@host" + QString::number(round % 7) + ".example.net";
        text += prefix + " JOIN :#room\r\n";
        text += prefix + " JOIN :#room.av\r\n";
        text += prefix + " PRIVMSG #room.av :AV_IAMHERE ABCDEF     00FF0000FF0000FF00000000FF00FF00FF00FF00FF00FF00FF00FF00 120 200 S \r\n";
        text += prefix + " PRIVMSG #room :hello everyone, how is the weather in the manor today?\r\n";
        text += prefix + " PRIVMSG #room.av :AV_MOVE 0320 0180 SW\r\n";
        text += prefix + " PRIVMSG me :\x01" "AVP_HELLO ABCDEF 120 200 S \x01\r\n";
        text += ":irc.example.net 353 me = #room :@op +voice " + user + " alice bob carol dave erin frank\r\n";
        text += ":irc.example.net 366 me #room :End of NAMES list\r\n";
        text += ":irc.example.net 352 me #room ~" + user + " host.example.net irc.example.net " + user + " H :0 Chattle\r\n";
        text += ":op!~op@ops.example.net MODE #room +v " + user + "\r\n";
        text += prefix + " NICK :" + user + "_\r\n";
        text += ":" + user + "_!~" + user + "@host.example.net NICK :" + user + "\r\n";
        text += ":irc.example.net 322 me #lobby" + QString::number(round) + " 12 :A friendly room to chat in\r\n";
        text += ":irc.example.net NOTICE me :*** Server notice number " + QString::number(round) + "\r\n";
        text += "PING :irc.example.net\r\n";
        text += prefix + " PART #room.av :\r\n";
        text += prefix + " PART #room :see you\r\n";
    }
    return text.toUtf8();
}
