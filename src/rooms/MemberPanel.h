#pragma once
// The panel beside a room: everybody in the room channel over the members with characters, both
// lists sharing one pop-up menu that opens only over a list with a selected entry. The room frame
// binds what the menu's commands do.
#include <QWidget>

class QAction;
class QLabel;
class QListWidget;
class QMenu;

class TMemberPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 87;

    explicit TMemberPanel(QWidget *parent);

    // Controls (objectName = member name).
    QLabel *lblMembers;
    QListWidget *lstUsers;
    QLabel *lblVisualMembers;
    QListWidget *lstVisualUsers;
    QMenu *mnuUserAction;
    QAction *PrivateChat1;
    QAction *Ignore1;
    QAction *Kick1;

    // Whether nick, with or without an "@" or "+" mark, is in either list.
    bool HasMember(const QString &nick) const;
    // The selected entry of lstUsers, or else of lstVisualUsers, without its mark; empty when none.
    QString SelectedMember() const;
    void ShowPopup(QListWidget *list, const QPoint &pos);
};
