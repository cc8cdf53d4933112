#pragma once
// The login window: the strip of saved characters with nickname and password, creating, editing and
// removing characters, the five preset networks, and the user's own server list (servers.ini) with
// the server dialog. Connecting is the connection manager's work; this window hands it the nickname,
// the password, the host and the port, and shows the busy cursor until the manager is done.
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "LoginWindow.h"
#include "ServerList.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class TAppShell;
class TPersonaInst;
class TPersonaProfiles;

class TfrmLogin : public QWidget, public TLoginWindow {
    Q_OBJECT
public:
    explicit TfrmLogin(TAppShell *Shell, QWidget *Parent = nullptr);
    ~TfrmLogin() override;

    void SetDirectories(const QString &ArtworkDir, const QString &ProfilesDir) override;
    // Throws EFileError when the part library cannot be loaded from the artwork.
    void LoadCharacters() override;
    TPersonaLib *PersonaLib() override { return FPartLib.get(); }
    void ShowLogin() override;
    void HideLogin() override;
    void BringLoginToFront() override;

    // Runs the character editor for a new character (null) or the given one, modally; true when a
    // character was saved. Set by the main window; while unset the create and edit buttons only check.
    std::function<bool(TPersonaInst *Existing)> RunEditor;

    // The server list file; the user's servers.ini unless set before the window is first shown.
    void SetServersIniPath(const QString &Path) { FServersIniPath = Path; }
    const QStringList &Servers() const { return FServers; }

    // Where the "Chattle Server" preset connects: the run command's local server unless a test that
    // starts its own server says otherwise.
    void SetChattleServer(const QString &Host, int Port);

    // On the first show only: reads the server list.
    void FormActivate();

    // Event handlers, named after their controls.
    void proLoginSelectPersona();
    void proLoginAddPersona(const QString &PersonaName);
    void cboLoginsChange();
    void btnNewClick();
    void btnServEditClick();
    void btnRemoveClick();
    void btnAddServerClick();
    void btnClick();
    void btnDeleteClick();
    void LMD3DEffectButton2Click();
    void PresetClick(const QString &Host, int Port, bool Secure = false);

    TPersonaProfiles *proLogin;
    QComboBox *cboLogins;
    QLineEdit *txtPassword;
    QPushButton *btnNew;
    QPushButton *btnServEdit;
    QPushButton *btnRemove;
    QPushButton *btnChattle;
    QPushButton *btnDalNet;
    QPushButton *btnIRCNet;
    QPushButton *btnEFNet;
    QPushButton *btnUnderNet;
    QComboBox *cboIRCNetwork;
    QPushButton *btnAddServer;
    QPushButton *btn;
    QPushButton *btnDelete;
    QToolButton *LMD3DEffectButton2;

protected:
    void showEvent(QShowEvent *Event) override;
    void closeEvent(QCloseEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    QWidget *BuildCharacterPanel();
    QWidget *BuildServerPanel();
    QPushButton *AddPreset(const char *Name, const QString &Caption, const QString &Host, int Port, bool Secure);
    // Empties the nickname list and reloads the strip, which lists the nicknames again.
    void RefreshCharacters();
    void RefillNetworks();
    void SaveServers();
    // The server dialog filled with the given fields and PasswordWithoutTls; the new entry (and
    // PasswordWithoutTls as chosen), or empty when cancelled.
    QString RunServerDialog(const ServerList::TServerFields &Fields, bool &PasswordWithoutTls, bool DescriptionFixed);
    // Hands the connection manager the character, then connects with the busy cursor.
    void ConnectTo(const QString &Host, int Port, bool Secure = false, bool PasswordWithoutTls = false);
    bool CheckNickname();

    TAppShell *FShell;
    QString FArtworkDir;
    QString FProfilesDir;
    QString FServersIniPath;
    QStringList FServers;
    QList<bool> FPasswordWithoutTls; // one for each of FServers
    QString FChattleHost = QStringLiteral("127.0.0.1");
    int FChattlePort = 6667;
    std::unique_ptr<TPersonaLib> FPartLib;
    bool FActivated = false;
};
