#pragma once
// The member lists of a room: sorted ignoring letter case, looked up ignoring letter case, with the
// operator "@" and voice "+" marks that names replies put in front of a nick.
#include <QString>

class QListWidget;
class QListWidgetItem;

// Keeps list sorted ignoring letter case (QListWidget's own sort counts case).
void PrepareMemberList(QListWidget &list);
void AddMemberEntry(QListWidget &list, const QString &entry);
// The entry nick, or failing that "@" + nick, or "+" + nick; null when none.
QListWidgetItem *FindMemberEntry(const QListWidget &list, const QString &nick);
// Removes the entry FindMemberEntry finds; tells whether one went.
bool RemoveMemberEntry(QListWidget &list, const QString &nick);
// Renames the entry of old nick, keeping its mark; tells whether one was renamed.
bool RenameMemberEntry(QListWidget &list, const QString &oldNick, const QString &newNick);
// Gives the entry of nick the mark ("@", "+" or none) instead of its own; tells whether one changed.
bool MarkMemberEntry(QListWidget &list, const QString &nick, const QString &mark);
// The nick of an entry without its leading "@" or "+".
QString WithoutMemberMark(const QString &entry);
