#include "MemberPanel.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

#include "MemberList.h"

namespace {
QLabel *MakeLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QListWidget *MakeMemberList(const char *name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    PrepareMemberList(*list);
    return list;
}

QAction *MakeAction(const char *name, const QString &caption, QMenu *menu)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}
} // namespace

TMemberPanel::TMemberPanel(QWidget *parent)
    : QWidget(parent), lblMembers(MakeLabel("lblMembers", QStringLiteral("Members"), this)),
      lstUsers(MakeMemberList("lstUsers", this)),
      lblVisualMembers(MakeLabel("lblVisualMembers", QStringLiteral("Visual  Members"), this)),
      lstVisualUsers(MakeMemberList("lstVisualUsers", this)), mnuUserAction(new QMenu(this)),
      PrivateChat1(MakeAction("PrivateChat1", QStringLiteral("&Private Chat..."), mnuUserAction)),
      Ignore1(MakeAction("Ignore1", QStringLiteral("&Ignore..."), mnuUserAction)),
      Kick1(MakeAction("Kick1", QStringLiteral("&Kick Out"), mnuUserAction))
{
    setObjectName(QStringLiteral("Panel1"));
    setFixedWidth(PanelWidth);
    lblVisualMembers->setWordWrap(true); // wider than the panel in most fonts
    mnuUserAction->setObjectName(QStringLiteral("mnuUserAction"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(lblMembers);
    layout->addWidget(lstUsers, 3);
    layout->addWidget(lblVisualMembers);
    layout->addWidget(lstVisualUsers, 2);
}

bool TMemberPanel::HasMember(const QString &nick) const
{
    return FindMemberEntry(*lstUsers, nick) || FindMemberEntry(*lstVisualUsers, nick);
}

QString TMemberPanel::SelectedMember() const
{
    QList<QListWidgetItem *> selected = lstUsers->selectedItems();
    if (selected.isEmpty())
        selected = lstVisualUsers->selectedItems();
    return selected.isEmpty() ? QString() : WithoutMemberMark(selected.first()->text());
}

void TMemberPanel::ShowPopup(QListWidget *list, const QPoint &pos)
{
    if (!list->selectedItems().isEmpty())
        mnuUserAction->popup(list->viewport()->mapToGlobal(pos));
}
