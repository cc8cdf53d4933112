#pragma once
// The content of every room and private chat window: the room surface with the characters, the
// conversation with its input line, the two member lists and the interaction bar. It shows incoming
// text, keeps the member lists and the characters in step with what the connection manager passes
// on, and carries out what its room session (the window's side of the avatar protocol) decides.
// Everything it sends goes out through OnSendMessage and OnSendCommand; an unset event skips the sending.
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "RoomSession.h"
#include "SlashCommands.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;
class TConversationWriter;
class TFrameComforts;
class TMemberPanel;
class TPersonaInst;
class TPersonaLib;
class TPersonaSpace;
class TframeText;
class TfrmRequest;

class TframeChatFrame : public QWidget {
    Q_OBJECT
    // The window's side of the avatar protocol; declared first, since PersonaLib and the sending
    // events below are its own.
    TRoomSession FSession;

public:
    static constexpr int TimerInterval = 75;
    // The floor line of a bound room: nobody stands above FloorY - 54.
    static constexpr int RoomFloorY = TRoomSession::RoomFloorY;

    explicit TframeChatFrame(QWidget *parent = nullptr);
    ~TframeChatFrame() override;

    // Controls (objectName = member name).
    QWidget *pnlChat;
    TframeText *frameChatText;
    QWidget *Panel1;
    QLabel *lblMembers;
    QListWidget *lstUsers;
    QLabel *lblVisualMembers;
    QListWidget *lstVisualUsers;
    QMenu *mnuUserAction;
    QAction *PrivateChat1;
    QAction *Ignore1;
    QAction *Kick1;
    QWidget *Panel2;
    QPushButton *btnExit;
    QLabel *lblInteraction;
    QComboBox *cboInteraction;
    QPushButton *btnPerform;
    QPushButton *btnNames;
    QToolButton *sbutTurnClockwise;
    QToolButton *sbutTurnCounterClockwise;
    QTimer *timeTimer;

    // The session's library and sending events, set on the frame.
    TPersonaLib *&PersonaLib = FSession.PersonaLib; // remote characters are built with it; not owned
    std::function<void(QString Target, QString Text)> &OnSendMessage = FSession.OnSendMessage;
    std::function<void(QString Line)> &OnSendCommand = FSession.OnSendCommand;

    std::function<void(QString Name)> OnRoomClosed;
    std::function<void(QString Nick)> OnOpenPrivate;
    // Closes the window holding the frame (set by that window); raised by the exit button.
    std::function<void()> OnCloseWindow;
    // Completion, history, links, mentions, timestamps, logs and notifications; its Shared options
    // are set by whoever hosts the window.
    TFrameComforts *Comforts() const { return FComforts; }

    QString RoomName() const { return FSession.RoomName(); }
    // The room surface, from Init on; null before.
    TPersonaSpace *Space() const { return FSpace; }
    // The own character, held by the room surface from Init on; null without one.
    TPersonaInst *OwnCharacter() const;
    // The own character's name, empty without one.
    QString OwnName() const { return FSession.OwnName(); }
    // The own character block for Announce and Present; empty without an own character.
    QString OwnCharacterBlock() const { return FSession.OwnCharacterBlock(); }
    QString PendingRequest() const { return FSession.PendingRequest(); }
    const QStringList &IgnoreList() const { return FSession.IgnoreList(); }
    bool IsIgnored(const QString &Nick) const { return FSession.IsIgnored(Nick); }
    // The open request dialog of a requester, or null.
    TfrmRequest *RequestDialogOf(const QString &Requester) const;

    // Called by the window on its first activation.
    void Init(std::unique_ptr<TPersonaInst> Own);
    void SetRoom(const QString &Name);

    // Called by the connection manager.
    void ShowText(const QString &Sender, const QString &Text);
    // A notice, "-sender- text"; nothing from an ignored nick.
    void ShowNotice(const QString &Sender, const QString &Text);
    // "*** nick changes the topic to: topic"; an empty ChangedBy shows the topic found on joining.
    void ShowTopic(const QString &ChangedBy, const QString &Topic);
    // The other party of a private chat changed nick: the window now belongs to the new one.
    void RenameRoom(const QString &Name) { FSession.SetRoom(Name); }
    void HandleAvatarMessage(const QString &Sender, const QString &Text) { FSession.HandleAvatarMessage(Sender, Text); }
    void HandlePrivateMessage(const QString &Sender, const QString &Text) { FSession.HandlePrivateMessage(Sender, Text); }
    void AddMember(const QString &Nick, const QString &Channel);
    void RemoveMember(const QString &Nick, const QString &Channel);
    void NickChanged(const QString &OldNick, const QString &NewNick);
    // An operator or voice mode changed Nick's mark ("@", "+" or none) in Channel.
    void MemberMarkChanged(const QString &Nick, const QString &Channel, const QString &Mark);
    void UserKicked(const QString &Channel, const QString &Kicker, const QString &Victim, const QString &Message);
    void Kicked(const QString &Channel, const QString &Kicker, const QString &Message);
    // Whether nick, with or without an "@" or "+" mark, is in either member list.
    bool HasMember(const QString &Nick) const;

    void HandlePrivateCtcp(const QString &Sender, const QString &Body) { FSession.HandlePrivateCtcp(Sender, Body); }
    void RequestInteraction(const QString &Kind);
    void AnswerRequest(TfrmRequest *Dialog, const QString &Requester, const QString &Kind);

    // The room surface's mouse-down: the surface's Click first, then a move or a request.
    void SurfaceMouseDown(Qt::MouseButton Button, int X, int Y);
    void frameChatTextButton1Click();
    void btnExitClick();
    void btnPerformClick();
    void sbutTurnClockwiseClick();
    void sbutTurnCounterClockwiseClick();
    void btnNamesClick();
    void PrivateChat1Click();
    void Kick1Click();
    void Ignore1Click();
    void lstUsersClick();
    void lstVisualUsersClick();
    void lstUsersContextPopup(const QPoint &Pos);
    void lstVisualUsersContextPopup(const QPoint &Pos);
    void timeTimerTimer();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void BuildPanels();
    void BindControls();
    void BindSession();
    void FitSpaceToPanel();
    bool Bound() const { return FSession.Bound(); }
    void Turn(bool Clockwise);
    void OpenRequestDialog(const QString &Sender, const QString &Kind);
    TPersonaInst *CharacterNamed(const QString &Name) const;
    TSlashActions SlashActions();
    // A writer into the conversation, which keeps it within its line limit.
    TConversationWriter Conversation() const;
    // One line of lead and formatted text, with what the window adds to every line from Sender.
    void ShowLine(const QString &Lead, const QString &Text, const QString &Sender);

    TMemberPanel *FMembers;
    TFrameComforts *FComforts;
    TPersonaSpace *FSpace = nullptr;
    QHash<QString, QPointer<TfrmRequest>> FRequestDialogs; // by requester, lower case
};
