#include "TextDecoding.h"

#include <QStringDecoder>

QString DecodeUtf8OrLatin1(const QByteArray &Bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(Bytes);
    return utf8.hasError() ? QString::fromLatin1(Bytes) : text;
}
