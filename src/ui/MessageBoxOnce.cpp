#include "MessageBoxOnce.h"

#include <QSet>

#include "Dialogs.h"

bool ShowMessageOnce(QWidget *parent, const QString &kind, const QString &nick, const QString &text)
{
    static QSet<QString> up;
    const QString key = kind + QLatin1Char(' ') + nick.toLower();
    if (up.contains(key))
        return false;
    up.insert(key);
    OpenMessage(parent, text, [key] { up.remove(key); });
    return true;
}
