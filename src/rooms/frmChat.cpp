#include "frmChat.h"

#include <QAction>
#include <QCloseEvent>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "AvatarProtocol.h"
#include "ChattleError.h"
#include "CursorTable.h"
#include "ErrorHook.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "frameChatFrame.h"

TfrmChat::TfrmChat(QWidget *owner) : QMdiSubWindow(owner), frameChatFrame(new TframeChatFrame)
{
    setObjectName(QStringLiteral("frmChat"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Channel"));
    setWidget(frameChatFrame);
    resize(DefaultWidth, DefaultHeight);

    // In this window the visual member list is as tall as the other one.
    if (auto *panel = qobject_cast<QVBoxLayout *>(frameChatFrame->Panel1->layout())) {
        panel->setStretchFactor(frameChatFrame->lstUsers, 1);
        panel->setStretchFactor(frameChatFrame->lstVisualUsers, 1);
    }
    frameChatFrame->PrivateChat1->disconnect(frameChatFrame);
    connect(frameChatFrame->PrivateChat1, &QAction::triggered, this,
            [this] { RunGuarded([this] { frameChatFramePrivateChat1Click(); }); });
    frameChatFrame->OnCloseWindow = [this] { CloseAfterLeaving(); };
}

TfrmChat::~TfrmChat() = default;

void TfrmChat::SetOwnCharacter(std::unique_ptr<TPersonaInst> own) { FOwnCharacter = std::move(own); }

TPersonaInst *TfrmChat::OwnCharacter() const
{
    return FOwnCharacter ? FOwnCharacter.get() : frameChatFrame->OwnCharacter();
}

void TfrmChat::FormActivate()
{
    if (FActivated)
        return;
    FActivated = true;
    frameChatFrame->Init(std::move(FOwnCharacter));
    try {
        frameChatFrame->Space()->LoadBackground(BackgroundPath);
    } catch (const EChattleError &) {
        // A missing or broken room picture leaves the room blank; the room still works.
    }
    frameChatFrame->SetRoom(RoomName);
    if (IsRoomName(RoomName))
        setWindowTitle(windowTitle() + QStringLiteral("   ") + RoomName);
    else
        setWindowTitle(QStringLiteral("Private Chat with ") + RoomName);
}

void TfrmChat::RenameParty(const QString &Nick)
{
    RoomName = Nick;
    frameChatFrame->RenameRoom(Nick);
    if (FActivated)
        setWindowTitle(QStringLiteral("Private Chat with ") + Nick);
}

void TfrmChat::frameChatFramePrivateChat1Click() { frameChatFrame->PrivateChat1Click(); }

void TfrmChat::CloseQuietly()
{
    FClosingQuietly = true;
    close();
}

void TfrmChat::CloseAfterLeaving() { CloseQuietly(); }

void TfrmChat::showEvent(QShowEvent *event)
{
    QMdiSubWindow::showEvent(event);
    RunGuarded([this] { FormActivate(); });
}

void TfrmChat::closeEvent(QCloseEvent *event)
{
    if (!FClosingQuietly) {
        // Closed with the window's close box: a room is left as the exit button leaves it; a private
        // chat only leaves the registry.
        FClosingQuietly = true;
        RunGuarded([this] {
            TframeChatFrame *frame = frameChatFrame;
            frame->timeTimer->stop();
            if (IsRoomName(RoomName) && frame->OnSendCommand)
                for (const QString &line : LeaveLines(RoomName))
                    frame->OnSendCommand(line);
            if (frame->OnRoomClosed)
                frame->OnRoomClosed(RoomName);
        });
    }
    frameChatFrame->timeTimer->stop();
    FActivated = false;
    ResetScreenCursor();
    QMdiSubWindow::closeEvent(event);
}
