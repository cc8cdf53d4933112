#pragma once
// Bytes from the network or from files people edit: UTF-8 when they are valid UTF-8, Latin-1 otherwise.
#include <QByteArray>
#include <QString>

QString DecodeUtf8OrLatin1(const QByteArray &Bytes);
