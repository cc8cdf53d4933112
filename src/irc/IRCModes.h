#pragma once
// The operator and voice changes in a channel MODE line.
#include <QList>
#include <QString>
#include <QStringList>

struct TMemberModeChange {
    QString Nick;
    QChar Mode; // 'o' or 'v'
    bool On = true;
    bool operator==(const TMemberModeChange &) const = default;
};

// Modes is the mode text ("+o", "+ov-v"), Args the parameters after it in order. Modes of other kinds
// are skipped along with the parameter they take; a change without its parameter ends the walk.
QList<TMemberModeChange> MemberModeChanges(const QString &Modes, const QStringList &Args);
