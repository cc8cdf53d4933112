#include "MemberList.h"

#include <QListWidget>

namespace {
const QString Marks = QStringLiteral("@+");

// The lists' order: ignoring letter case, then counting it.
bool EntryBefore(const QString &a, const QString &b)
{
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

// Keeps its text beside the item's data, so the list's sorted insertion compares without a variant
// conversion per comparison.
class TMemberItem : public QListWidgetItem {
public:
    explicit TMemberItem(const QString &text) : QListWidgetItem(text), FText(text) {}
    void setData(int role, const QVariant &value) override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            FText = value.toString();
        QListWidgetItem::setData(role, value);
    }
    bool operator<(const QListWidgetItem &other) const override
    {
        const auto *member = dynamic_cast<const TMemberItem *>(&other);
        return EntryBefore(FText, member ? member->FText : other.text());
    }

private:
    QString FText;
};

// The first entry equal to entry ignoring letter case: such entries stand together in the sorted list,
// the first of them where a binary search for entry lands.
QListWidgetItem *FindExact(const QListWidget &list, const QString &entry)
{
    int first = 0, count = list.count();
    while (count > 0) {
        const int half = count / 2;
        if (list.item(first + half)->text().compare(entry, Qt::CaseInsensitive) < 0) {
            first += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    QListWidgetItem *item = list.item(first);
    return item && item->text().compare(entry, Qt::CaseInsensitive) == 0 ? item : nullptr;
}
} // namespace

// With sorting on, the list inserts each new entry at its sorted place and moves a renamed one to its
// new place; the view lays itself out once the burst of additions is over.
void PrepareMemberList(QListWidget &list) { list.setSortingEnabled(true); }

void AddMemberEntry(QListWidget &list, const QString &entry) { list.addItem(new TMemberItem(entry)); }

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
    return true;
}

QString WithoutMemberMark(const QString &entry)
{
    return !entry.isEmpty() && Marks.contains(entry.front()) ? entry.mid(1) : entry;
}
