#pragma once
// A room window or a private chat window: a child window of the main window's document area holding
// one room frame. A name beginning with "#" is a room; any other name is the other party's nick.
#include <QMdiSubWindow>
#include <QString>
#include <memory>

class TPersonaInst;
class TframeChatFrame;

class TfrmChat : public QMdiSubWindow {
    Q_OBJECT
public:
    static constexpr int DefaultWidth = 619;
    static constexpr int DefaultHeight = 413;

    explicit TfrmChat(QWidget *owner = nullptr);
    ~TfrmChat() override;

    TframeChatFrame *frameChatFrame;
    // Set by the connection manager before the window is shown.
    QString RoomName;
    QString BackgroundPath;
    // The own character until the first activation hands it to the room surface.
    void SetOwnCharacter(std::unique_ptr<TPersonaInst> own);
    TPersonaInst *OwnCharacter() const;

    bool Activated() const { return FActivated; }
    // The first activation binds the frame to its room; later ones do nothing.
    void FormActivate();
    void frameChatFramePrivateChat1Click();
    // A private chat follows its party's nick change: its name, its room and its caption.
    void RenameParty(const QString &Nick);
    // Closes the window because the connection is gone: nothing is sent and nobody is told.
    void CloseQuietly();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Closed by the exit button: the frame has already left the room and told the manager.
    void CloseAfterLeaving();

    std::unique_ptr<TPersonaInst> FOwnCharacter;
    bool FActivated = false;
    bool FClosingQuietly = false;
};
