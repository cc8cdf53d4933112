#include "IRCModes.h"

namespace {
// Channel modes that always take a parameter (lists, key, member prefixes), and those that take one
// only when set, as common servers announce them.
const QString AlwaysTakeParam = QStringLiteral("beIgXkqaohv");
const QString TakeParamWhenSet = QStringLiteral("lfjFHJL");
} // namespace

QList<TMemberModeChange> MemberModeChanges(const QString &Modes, const QStringList &Args)
{
    QList<TMemberModeChange> changes;
    bool on = true;
    qsizetype next = 0;
    for (const QChar mode : Modes) {
        if (mode == u'+' || mode == u'-') {
            on = mode == u'+';
            continue;
        }
        if (!AlwaysTakeParam.contains(mode) && !(on && TakeParamWhenSet.contains(mode)))
            continue;
        if (next >= Args.size())
            break;
        const QString &param = Args.at(next++);
        if (mode == u'o' || mode == u'v')
            changes.append({param, mode, on});
    }
    return changes;
}
