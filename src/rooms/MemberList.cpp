#include "MemberList.h"

#include <QListWidget>

namespace {
const QString Marks = QStringLiteral("@+");

class TMemberItem : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &other) const override
    {
        const int order = text().compare(other.text(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text() < other.text();
    }
};

QListWidgetItem *FindExact(const QListWidget &list, const QString &entry)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->text().compare(entry, Qt::CaseInsensitive) == 0)
            return list.item(i);
    return nullptr;
}
} // namespace

void PrepareMemberList(QListWidget &list) { list.setSortingEnabled(true); }

void AddMemberEntry(QListWidget &list, const QString &entry)
{
    list.addItem(new TMemberItem(entry));
    list.sortItems();
}

QListWidgetItem *FindMemberEntry(const QListWidget &list, const QString &nick)
{
    if (QListWidgetItem *item = FindExact(list, nick))
        return item;
    for (const QChar mark : Marks)
        if (QListWidgetItem *item = FindExact(list, mark + nick))
            return item;
    return nullptr;
}

bool RemoveMemberEntry(QListWidget &list, const QString &nick)
{
    QListWidgetItem *item = FindMemberEntry(list, nick);
    delete item;
    return item != nullptr;
}

bool RenameMemberEntry(QListWidget &list, const QString &oldNick, const QString &newNick)
{
    QListWidgetItem *item = FindMemberEntry(list, oldNick);
    if (!item)
        return false;
    const QString text = item->text();
    const QString mark = !text.isEmpty() && Marks.contains(text.front()) && text.size() == oldNick.size() + 1
                             ? text.left(1)
                             : QString();
    item->setText(mark + newNick);
    list.sortItems();
    return true;
}

bool MarkMemberEntry(QListWidget &list, const QString &nick, const QString &mark)
{
    QListWidgetItem *item = FindMemberEntry(list, nick);
    if (!item)
        return false;
    const QString text = mark + WithoutMemberMark(item->text());
    if (text == item->text())
        return false;
    item->setText(text);
    list.sortItems();
    return true;
}

QString WithoutMemberMark(const QString &entry)
{
    return !entry.isEmpty() && Marks.contains(entry.front()) ? entry.mid(1) : entry;
}
