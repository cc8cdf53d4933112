#include "CapNegotiation.h"

#include <QByteArray>

namespace {
const QString Sasl = QStringLiteral("sasl");

struct TParsedLine {
    QString Command;
    QStringList Params;
};

// A server line as the capability talk needs it: tags and prefix dropped, the command upper-case.
TParsedLine Parse(const QString &Line)
{
    QStringView rest(Line);
    auto skipWord = [&rest] {
        const qsizetype blank = rest.indexOf(u' ');
        rest = blank < 0 ? QStringView() : rest.mid(blank + 1).trimmed();
    };
    if (rest.startsWith(u'@'))
        skipWord();
    if (rest.startsWith(u':'))
        skipWord();
    TParsedLine parsed;
    while (!rest.isEmpty()) {
        if (!parsed.Command.isEmpty() && rest.startsWith(u':')) {
            parsed.Params << rest.mid(1).toString();
            break;
        }
        const qsizetype blank = rest.indexOf(u' ');
        const QStringView word = blank < 0 ? rest : rest.left(blank);
        if (parsed.Command.isEmpty())
            parsed.Command = word.toString().toUpper();
        else
            parsed.Params << word.toString();
        rest = blank < 0 ? QStringView() : rest.mid(blank + 1).trimmed();
    }
    return parsed;
}

// The offered SASL mechanisms allow PLAIN: no value at all, or PLAIN among its values.
bool OffersPlain(const QStringList &Offered)
{
    for (const QString &cap : Offered) {
        if (cap.compare(Sasl, Qt::CaseInsensitive) == 0)
            return true;
        if (cap.startsWith(Sasl + u'=', Qt::CaseInsensitive))
            return cap.mid(Sasl.size() + 1).split(u',').contains(QStringLiteral("PLAIN"), Qt::CaseInsensitive);
    }
    return false;
}
} // namespace

QString TCapNegotiation::Start(const QString &Nick, const QString &Password, bool SaslAllowed)
{
    FNick = Nick;
    FPassword = Password;
    FSaslAllowed = SaslAllowed;
    FOffered.clear();
    FRequested = false;
    FOutcome = TOutcome::Going;
    FRefusalCode = 0;
    return QStringLiteral("CAP LS 302");
}

TCapNegotiation::TStep TCapNegotiation::Feed(const QString &Line)
{
    const TParsedLine line = Parse(Line);
    if (line.Command == u"CAP")
        return OnCap(line.Params);
    if (line.Command == u"AUTHENTICATE") {
        TStep step;
        step.Consumed = true;
        if (FRequested && line.Params.value(0) == u"+")
            step.Send = PlainLogin(QString(), FNick, FPassword);
        return step;
    }
    bool numeric = false;
    const int code = line.Command.toInt(&numeric);
    if (!numeric)
        return {};
    // A server that does not know CAP says so, or registers us all the same.
    if (code == 1 || ((code == 421 || code == 451) && line.Params.value(1).compare(u"CAP", Qt::CaseInsensitive) == 0)) {
        FOutcome = TOutcome::Done;
        return {};
    }
    return OnNumeric(code);
}

TCapNegotiation::TStep TCapNegotiation::OnCap(const QStringList &Params)
{
    // "<target> <subcommand> [*] :<list>"
    const QString subcommand = Params.value(1).toUpper();
    TStep step;
    step.Consumed = true;
    if (subcommand == u"LS") {
        FOffered << Params.value(Params.size() - 1).split(u' ', Qt::SkipEmptyParts);
        if (Params.size() > 3 && Params.at(2) == u"*")
            return step; // more lines of the list follow
        if (FRequested || FPassword.isEmpty() || !FSaslAllowed || !OffersPlain(FOffered))
            return End();
        FRequested = true;
        step.Send << QStringLiteral("CAP REQ :sasl");
    } else if (subcommand == u"ACK") {
        if (FRequested && Params.value(Params.size() - 1).split(u' ', Qt::SkipEmptyParts).contains(Sasl, Qt::CaseInsensitive))
            step.Send << QStringLiteral("AUTHENTICATE PLAIN");
        else
            return End();
    } else if (subcommand == u"NAK") {
        return End();
    }
    return step;
}

TCapNegotiation::TStep TCapNegotiation::OnNumeric(int Code)
{
    switch (Code) {
    case 903: // logged in
    case 907: // already logged in
    case 410: { // the server did not understand our CAP command
        TStep step = End();
        step.Consumed = false; // the console still shows it
        return step;
    }
    case 902: // the nick is locked
    case 904: // wrong password or mechanism
    case 905: // the login was too long
    case 906: // the login was aborted
        FOutcome = TOutcome::Refused;
        FRefusalCode = Code;
        return {};
    default:
        return {};
    }
}

TCapNegotiation::TStep TCapNegotiation::End()
{
    FOutcome = TOutcome::Done;
    TStep step;
    step.Consumed = true;
    step.Send << QStringLiteral("CAP END");
    return step;
}

QStringList TCapNegotiation::PlainLogin(const QString &AuthzId, const QString &AuthcId, const QString &Password)
{
    const QByteArray payload = (AuthzId.toUtf8() + '\0' + AuthcId.toUtf8() + '\0' + Password.toUtf8()).toBase64();
    QStringList lines;
    for (qsizetype at = 0; at < payload.size(); at += ChunkSize)
        lines << QStringLiteral("AUTHENTICATE ") + QString::fromLatin1(payload.mid(at, ChunkSize));
    // A payload that ends on a full chunk (or is empty) is closed by a lone "+".
    if (payload.size() % ChunkSize == 0)
        lines << QStringLiteral("AUTHENTICATE +");
    return lines;
}
