// A member list filled in a burst keeps the order a full sort gives, and finds and renames entries
// anywhere in it.
#include "MemberList.h"
#include "MemberPanel.h"

#include <QListWidget>
#include <gtest/gtest.h>
#include <algorithm>
#include <random>

namespace {

QStringList Entries(const QListWidget &list)
{
    QStringList entries;
    for (int i = 0; i < list.count(); ++i)
        entries << list.item(i)->text();
    return entries;
}

TEST(MemberListTest, a_burst_is_sorted_ignoring_case_then_by_case_and_every_entry_is_found)
{
    TMemberPanel panel(nullptr);
    std::mt19937 random(5);
    QStringList names;
    for (int i = 0; i < 400; ++i) {
        QString nick = QStringLiteral("nick%1").arg(random() % 150);
        if (random() % 2)
            nick = nick.toUpper();
        names << (i % 7 == 0 ? "@" : i % 5 == 0 ? "+" : "") + nick;
    }
    for (const QString &name : names)
        AddMemberEntry(*panel.lstUsers, name);
    const auto byCaseThenExact = [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    };
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(), byCaseThenExact);
    EXPECT_EQ(Entries(*panel.lstUsers), sorted);

    // The first entry equal to the nick ignoring case, else to "@" + nick, else to "+" + nick.
    const auto firstMatch = [&](const QString &nick) {
        for (const QString &candidate : {nick, "@" + nick, "+" + nick})
            for (const QString &entry : sorted)
                if (entry.compare(candidate, Qt::CaseInsensitive) == 0)
                    return entry;
        return QString();
    };
    for (int n = 0; n < 160; n += 3) {
        const QString nick = QStringLiteral("Nick%1").arg(n);
        const QListWidgetItem *found = FindMemberEntry(*panel.lstUsers, nick);
        EXPECT_EQ(found ? found->text() : QString(), firstMatch(nick)) << nick.toStdString();
    }

    ASSERT_TRUE(RenameMemberEntry(*panel.lstUsers, sorted.last(), QStringLiteral("AAA")));
    sorted.last() = QStringLiteral("AAA");
    std::stable_sort(sorted.begin(), sorted.end(), byCaseThenExact);
    EXPECT_EQ(Entries(*panel.lstUsers), sorted);
}

} // namespace
