#pragma once
// Web addresses in conversation text: "http://", "https://" and "www." up to the next blank, without
// the punctuation that ends a sentence or closes a bracket the address did not open.
#include <QList>
#include <QString>
#include <QUrl>

struct TFoundLink {
    int Start = 0;
    int Length = 0;
    QUrl Url; // "www." addresses get "http://"
};

QList<TFoundLink> FindLinks(const QString &text);
