#include "frmLogin.h"

#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "AppPaths.h"
#include "AppShell.h"
#include "ChattleError.h"
#include "CursorTable.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "MxIRCConnection.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "PersonaProfiles.h"
#include "ProductInfo.h"
#include "ServerList.h"
#include "frmServerInfo.h"

namespace {
constexpr int MaxCharacters = 5;
// The strip's size before its background is loaded (the generated background's size).
constexpr QSize StripSize(205, 94);

const QString TooManyCharacters =
    QStringLiteral("You can only have 5 Characters.  Please Edit or Remove an existing character.");
const QString SelectToEdit = QStringLiteral("Please select a Character or create a new one!");
const QString WrongPassword = QStringLiteral("You must enter the proper Password before editing this Character.");
const QString SelectToDelete = QStringLiteral("You must select a Character to delete.");
const QString SelectToConnect = QStringLiteral("Please Select a Character, or create a new one before connecting.");
const QString SelectToConnectPreset =
    QStringLiteral("Please Select a Character above by clicking on it, or create a new one before connecting.");
const QString EnterNickname = QStringLiteral("Please select a character and nickname.");

// The profile file of a nick in the profiles folder; empty when no file of that name can stand
// in the folder (a nick holding "/" would name a file elsewhere).
QString ProfileFileOf(const QString &ProfilesDir, const QString &Nick)
{
    if (Nick.contains(u'/') || Nick.contains(QChar(0)))
        return {};
    return QDir(ProfilesDir).filePath(Nick + QStringLiteral(".pr1"));
}

QLabel *Caption(const QString &Text, QWidget *Parent, bool Bold = true)
{
    auto *label = new QLabel(Text, Parent);
    if (Bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QPushButton *MakeButton(const char *Name, const QString &Text, QWidget *Parent)
{
    auto *button = new QPushButton(Text, Parent);
    button->setObjectName(QLatin1String(Name));
    button->setAutoDefault(false);
    return button;
}

// A round green button face with a white arrow: the picture on the connect button.
QIcon ConnectGlyph()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient face(QPointF(12, 10), 20);
    face.setColorAt(0, QColor(0x8e, 0xe0, 0x7a));
    face.setColorAt(1, QColor(0x1f, 0x8a, 0x2c));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(0x16, 0x5e, 0x1f), 1.2));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    const QPointF arrow[] = {{10, 12.5}, {16, 12.5}, {16, 8}, {24, 16}, {16, 24}, {16, 19.5}, {10, 19.5}};
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(arrow, 7);
    return QIcon(pixmap);
}

// Runs Handler, guarded, whenever Button is clicked.
void OnClick(QAbstractButton *Button, const std::function<void()> &Handler)
{
    QObject::connect(Button, &QAbstractButton::clicked, Button, [Handler] { RunGuarded(Handler); });
}

QFrame *Panel(QWidget *Parent, const QColor &Colour)
{
    auto *panel = new QFrame(Parent);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette colours = panel->palette();
    colours.setColor(QPalette::Window, Colour);
    panel->setPalette(colours);
    return panel;
}
} // namespace

TfrmLogin::TfrmLogin(TAppShell *Shell, QWidget *Parent)
    : QWidget(Parent, Qt::Window | Qt::WindowStaysOnTopHint), FShell(Shell)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(ProductName + QStringLiteral("   Beta version ") + ProductVersion);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(BuildCharacterPanel());
    layout->addWidget(BuildServerPanel());
    setFixedSize(sizeHint());
}

TfrmLogin::~TfrmLogin()
{
    // The strip's characters were built by the part library: they go first.
    proLogin->PaintBox()->removeEventFilter(this);
    delete proLogin;
}

QWidget *TfrmLogin::BuildCharacterPanel()
{
    QFrame *panel = Panel(this, QColor(0xf6, 0xf1, 0xe7));
    proLogin = new TPersonaProfiles(panel);
    proLogin->setObjectName(QStringLiteral("proLogin"));
    proLogin->setFixedSize(StripSize);
    proLogin->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    proLogin->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    proLogin->OnSelectPersona = [this](QObject *) { proLoginSelectPersona(); };
    proLogin->OnAddPersona = [this](QObject *, const QString &name) { proLoginAddPersona(name); };
    proLogin->PaintBox()->installEventFilter(this);

    cboLogins = new QComboBox(panel);
    cboLogins->setObjectName(QStringLiteral("cboLogins"));
    cboLogins->setEditable(true);
    cboLogins->setInsertPolicy(QComboBox::NoInsert); // a typed nickname is no saved character
    txtPassword = new QLineEdit(panel);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);

    auto *passwordCaption = new QHBoxLayout;
    passwordCaption->addWidget(Caption(QStringLiteral("Password"), panel));
    auto *optional = Caption(QStringLiteral("(not required)"), panel, false);
    QPalette grey = optional->palette();
    grey.setColor(QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    optional->setPalette(grey);
    passwordCaption->addWidget(optional);
    passwordCaption->addStretch();

    auto *login = new QVBoxLayout;
    login->setSpacing(3);
    login->addWidget(Caption(QStringLiteral("IRC Nickname"), panel));
    login->addWidget(cboLogins);
    login->addSpacing(6);
    login->addLayout(passwordCaption);
    login->addWidget(txtPassword);
    login->addStretch();

    btnNew = MakeButton("btnNew", QStringLiteral("Create New Character"), panel);
    btnServEdit = MakeButton("btnServEdit", QStringLiteral("Edit"), panel);
    btnRemove = MakeButton("btnRemove", QStringLiteral("Remove"), panel);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(Caption(QStringLiteral("Create a new Character!"), panel));
    buttons->addSpacing(4);
    buttons->addWidget(btnNew);
    buttons->addStretch();
    buttons->addSpacing(12);
    buttons->addWidget(btnServEdit);
    buttons->addWidget(btnRemove);

    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(10);
    grid->addWidget(proLogin, 0, 0);
    grid->addLayout(login, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    OnClick(btnNew, [this] { btnNewClick(); });
    OnClick(btnServEdit, [this] { btnServEditClick(); });
    OnClick(btnRemove, [this] { btnRemoveClick(); });
    connect(cboLogins, &QComboBox::currentIndexChanged, this, [this] { RunGuarded([this] { cboLoginsChange(); }); });
    return panel;
}

QWidget *TfrmLogin::BuildServerPanel()
{
    QFrame *panel = Panel(this, QColor(0xe9, 0xee, 0xf5));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(4);

    btnChattle = MakeButton("btnChattle", QStringLiteral("Chattle Server"), this);
    OnClick(btnChattle, [this] { PresetClick(FChattleHost, FChattlePort); });
    QFont bold = btnChattle->font();
    bold.setBold(true);
    btnChattle->setFont(bold);
    btnChattle->setMinimumHeight(30);
    layout->addWidget(Caption(QStringLiteral("Connect to the Chattle Server"), panel));
    layout->addWidget(btnChattle);
    layout->addSpacing(8);

    // TLS where the network offers it on the usual secure port for all its servers.
    btnDalNet = AddPreset("btnDalNet", QStringLiteral("Dal Net"), QStringLiteral("irc.dal.net"), 6697, true);
    btnIRCNet = AddPreset("btnIRCNet", QStringLiteral("IRC Net"), QStringLiteral("open.ircnet.net"), 6667, false);
    btnEFNet = AddPreset("btnEFNet", QStringLiteral("EF Net"), QStringLiteral("irc.efnet.org"), 6667, false);
    btnUnderNet = AddPreset("btnUnderNet", QStringLiteral("Under Net"), QStringLiteral("irc.undernet.org"), 6667, false);
    auto *networks = new QHBoxLayout;
    for (QPushButton *preset : {btnDalNet, btnIRCNet, btnEFNet, btnUnderNet})
        networks->addWidget(preset);
    layout->addWidget(Caption(QStringLiteral("Or, Connect to any IRC Server on the Internet"), panel));
    layout->addLayout(networks);
    layout->addSpacing(8);

    cboIRCNetwork = new QComboBox(panel);
    cboIRCNetwork->setObjectName(QStringLiteral("cboIRCNetwork"));
    cboIRCNetwork->setMinimumWidth(150);
    btnAddServer = MakeButton("btnAddServer", QStringLiteral("Add"), panel);
    btn = MakeButton("btn", QStringLiteral("Edit"), panel);
    btnDelete = MakeButton("btnDelete", QStringLiteral("Delete"), panel);
    LMD3DEffectButton2 = new QToolButton(panel);
    LMD3DEffectButton2->setObjectName(QStringLiteral("LMD3DEffectButton2"));
    LMD3DEffectButton2->setIcon(ConnectGlyph());
    LMD3DEffectButton2->setIconSize(QSize(24, 24));
    LMD3DEffectButton2->setText(QStringLiteral("Connect"));
    LMD3DEffectButton2->setToolTip(QStringLiteral("Connect to the selected server"));
    LMD3DEffectButton2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto *servers = new QHBoxLayout;
    servers->addWidget(cboIRCNetwork, 1);
    for (QPushButton *button : {btnAddServer, btn, btnDelete}) {
        button->setMaximumWidth(64);
        servers->addWidget(button);
    }
    servers->addSpacing(6);
    servers->addWidget(LMD3DEffectButton2);
    layout->addWidget(Caption(QStringLiteral("Other IRC Servers"), panel));
    layout->addLayout(servers);

    OnClick(btnAddServer, [this] { btnAddServerClick(); });
    OnClick(btn, [this] { btnClick(); });
    OnClick(btnDelete, [this] { btnDeleteClick(); });
    OnClick(LMD3DEffectButton2, [this] { LMD3DEffectButton2Click(); });
    connect(cboIRCNetwork, &QComboBox::currentIndexChanged, this, [this] { RunGuarded([this] { cboLoginsChange(); }); });
    return panel;
}

QPushButton *TfrmLogin::AddPreset(const char *Name, const QString &Caption, const QString &Host, int Port, bool Secure)
{
    QPushButton *button = MakeButton(Name, Caption, this);
    OnClick(button, [this, Host, Port, Secure] { PresetClick(Host, Port, Secure); });
    if (Secure)
        button->setToolTip(QStringLiteral("%1, port %2, secure connection (TLS)").arg(Host).arg(Port));
    return button;
}

// ---- The contract with the main window ------------------------------------------------------------

void TfrmLogin::SetChattleServer(const QString &Host, int Port)
{
    FChattleHost = Host;
    FChattlePort = Port;
}

void TfrmLogin::SetDirectories(const QString &ArtworkDir, const QString &ProfilesDir)
{
    FArtworkDir = ArtworkDir;
    FProfilesDir = ProfilesDir;
}

void TfrmLogin::LoadCharacters()
{
    if (!FPartLib)
        FPartLib = std::make_unique<TPersonaLib>(FArtworkDir);
    // Without its pictures the strip still lists and selects the characters.
    try {
        proLogin->SetBGFileName(FArtworkDir + QStringLiteral("/loginbg.jpg"));
    } catch (const EFileError &) {
    }
    try {
        proLogin->SetHiLiteName(FArtworkDir + QStringLiteral("/hilite.bmp"));
    } catch (const EFileError &) {
    }
    proLogin->ProfilesDir = FProfilesDir;
    proLogin->Library = FPartLib.get();
    RefreshCharacters();
}

void TfrmLogin::ShowLogin()
{
    show();
    raise();
    activateWindow();
}

void TfrmLogin::HideLogin() { hide(); }

void TfrmLogin::BringLoginToFront()
{
    raise();
    activateWindow();
}

void TfrmLogin::showEvent(QShowEvent *Event)
{
    QWidget::showEvent(Event);
    if (!FActivated)
        FormActivate();
}

bool TfrmLogin::eventFilter(QObject *Watched, QEvent *Event)
{
    // The name label follows the mouse and leaves the strip with it.
    if (Event->type() == QEvent::Leave && Watched == proLogin->PaintBox())
        proLogin->ClearHover();
    return QWidget::eventFilter(Watched, Event);
}

void TfrmLogin::closeEvent(QCloseEvent *Event)
{
    // An attempt still under way ends here, and with it the wait.
    RunGuarded([this] { FShell->Connection()->Disconnect(); });
    ResetScreenCursor();
    QWidget::closeEvent(Event);
}

void TfrmLogin::FormActivate()
{
    FActivated = true;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (FServersIniPath.isEmpty())
        FServersIniPath = AppPaths::ServersIniPath();
    FServers = ServerList::Load(FServersIniPath);
    FPasswordWithoutTls = ServerList::LoadPasswordWithoutTls(FServersIniPath, FServers.size());
    RefillNetworks();
}

// ---- Characters ---------------------------------------------------------------------------------

void TfrmLogin::RefreshCharacters()
{
    {
        const QSignalBlocker quiet(cboLogins); // rows come back one by one; none is picked by that
        cboLogins->clear();
        proLogin->Refresh();
        cboLogins->setCurrentIndex(-1);
    }
    cboLogins->clearEditText();
}

void TfrmLogin::proLoginSelectPersona()
{
    TPersonaInst *selected = proLogin->Selected();
    if (selected) {
        const int row = cboLogins->findText(selected->Name, Qt::MatchFixedString);
        cboLogins->setCurrentIndex(row);
        cboLogins->setEditText(cboLogins->itemText(row)); // also over a nickname typed into the same row
        txtPassword->setText(selected->Password);
    }
    FShell->Connection()->SelectedCharacter = selected;
}

void TfrmLogin::proLoginAddPersona(const QString &PersonaName) { cboLogins->addItem(PersonaName); }

void TfrmLogin::cboLoginsChange()
{
    if (cboLogins->currentIndex() < 0)
        return;
    proLogin->SetSelectedIndex(cboLogins->currentIndex());
    FShell->Connection()->SelectedCharacter = proLogin->Selected();
}

void TfrmLogin::btnNewClick()
{
    if (proLogin->Count() >= MaxCharacters) {
        ShowError(this, TooManyCharacters);
        return;
    }
    if (RunEditor && RunEditor(nullptr))
        RefreshCharacters();
}

void TfrmLogin::btnServEditClick()
{
    TPersonaInst *selected = proLogin->Selected();
    if (cboLogins->currentIndex() < 0 || !selected) {
        ShowMessage(this, SelectToEdit);
        return;
    }
    if (txtPassword->text() != selected->Password) {
        ShowMessage(this, WrongPassword);
        return;
    }
    if (RunEditor && RunEditor(selected))
        RefreshCharacters();
}

void TfrmLogin::btnRemoveClick()
{
    const TPersonaInst *selected = proLogin->Selected();
    if (!selected) {
        ShowError(this, SelectToDelete);
        return;
    }
    const QString nick = selected->Name;
    if (Confirm(this, QStringLiteral("Are you sure you wish to permanently remove ") + nick + u'?') != TDialogButton::Yes)
        return;
    const QString path = ProfileFileOf(FProfilesDir, nick);
    if (!path.isEmpty() && QFileInfo::exists(path) && !QFile::remove(path))
        ShowError(this, QStringLiteral("The character %1 could not be removed from %2.")
                            .arg(nick, QDir::toNativeSeparators(FProfilesDir)));
    RefreshCharacters();
}

// ---- The server list ----------------------------------------------------------------------------

void TfrmLogin::RefillNetworks()
{
    const QSignalBlocker quiet(cboIRCNetwork);
    cboIRCNetwork->clear();
    for (const QString &entry : std::as_const(FServers))
        cboIRCNetwork->addItem(ServerList::EntryName(entry));
    cboIRCNetwork->setCurrentIndex(-1);
}

void TfrmLogin::SaveServers()
{
    try {
        ServerList::Save(FServersIniPath, FServers, FPasswordWithoutTls);
    } catch (const EFileError &) {
        ShowError(this, QStringLiteral("The server list could not be saved in %1.")
                            .arg(QDir::toNativeSeparators(QFileInfo(FServersIniPath).absolutePath())));
    }
}

QString TfrmLogin::RunServerDialog(const ServerList::TServerFields &Fields, bool &PasswordWithoutTls,
                                   bool DescriptionFixed)
{
    TfrmServerInfo dialog(this);
    dialog.txtDesc->setText(Fields.Description);
    dialog.txtDesc->setEnabled(!DescriptionFixed);
    dialog.txtAddress->setText(Fields.Address);
    dialog.txtPort->setText(Fields.Port);
    {
        const QSignalBlocker keepPort(dialog.chkSecure);
        dialog.chkSecure->setChecked(Fields.Secure);
    }
    dialog.chkPasswordWithoutTls->setChecked(PasswordWithoutTls);
    dialog.chkPasswordWithoutTls->setEnabled(!Fields.Secure);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const bool secure = dialog.chkSecure->isChecked();
    PasswordWithoutTls = !secure && dialog.chkPasswordWithoutTls->isChecked();
    return ServerList::MakeEntry(dialog.txtDesc->text(), dialog.txtAddress->text(), dialog.txtPort->text(), secure);
}

void TfrmLogin::btnAddServerClick()
{
    ServerList::TServerFields fields;
    fields.Port = QString::number(ServerList::DefaultPort);
    bool passwordWithoutTls = false;
    const QString entry = RunServerDialog(fields, passwordWithoutTls, false);
    if (entry.isEmpty())
        return;
    FServers << entry;
    FPasswordWithoutTls.resize(FServers.size() - 1);
    FPasswordWithoutTls << passwordWithoutTls;
    // The name as stored, so that the row finds its entry before and after the next refill alike.
    cboIRCNetwork->addItem(ServerList::EntryName(entry));
    cboIRCNetwork->setCurrentIndex(cboIRCNetwork->count() - 1);
    SaveServers();
}

// Rows and entries correspond one to one, so the selected row is the entry to edit or delete even
// when two entries share a name.
void TfrmLogin::btnClick()
{
    const int row = cboIRCNetwork->currentIndex();
    if (row < 0 || row >= FServers.size())
        return;
    const ServerList::TServerFields fields = ServerList::SplitEntry(FServers.at(row));
    bool passwordWithoutTls = FPasswordWithoutTls.value(row);
    const QString entry = RunServerDialog(fields, passwordWithoutTls, true);
    if (entry.isEmpty())
        return;
    FServers[row] = entry;
    FPasswordWithoutTls.resize(FServers.size());
    FPasswordWithoutTls[row] = passwordWithoutTls;
    SaveServers();
    RefillNetworks();
    cboIRCNetwork->setCurrentIndex(row);
}

void TfrmLogin::btnDeleteClick()
{
    const int row = cboIRCNetwork->currentIndex();
    if (row < 0 || row >= FServers.size())
        return;
    FServers.removeAt(row);
    if (row < FPasswordWithoutTls.size())
        FPasswordWithoutTls.removeAt(row);
    SaveServers();
    RefillNetworks();
}

// ---- Connecting ---------------------------------------------------------------------------------

bool TfrmLogin::CheckNickname()
{
    if (!cboLogins->currentText().isEmpty())
        return true;
    ShowMessage(this, EnterNickname);
    return false;
}

void TfrmLogin::LMD3DEffectButton2Click()
{
    if (!proLogin->Selected()) {
        ShowMessage(this, SelectToConnect);
        return;
    }
    const int row = cboIRCNetwork->currentIndex();
    if (row < 0 || row >= FServers.size())
        return;
    const ServerList::TServerFields fields = ServerList::SplitEntry(FServers.at(row));
    const std::optional<int> port = ServerList::ParsePort(fields.Port);
    // A hand-edited entry would otherwise leave the user behind the busy cursor with no word.
    if (!port) {
        ShowError(this, QStringLiteral("The port of %1 is not a valid port number.").arg(fields.Description));
        return;
    }
    if (fields.Address.trimmed().isEmpty()) {
        ShowError(this, QStringLiteral("The address of %1 is missing.").arg(fields.Description));
        return;
    }
    if (CheckNickname())
        ConnectTo(fields.Address, *port, fields.Secure, FPasswordWithoutTls.value(row));
}

void TfrmLogin::PresetClick(const QString &Host, int Port, bool Secure)
{
    if (!proLogin->Selected()) {
        ShowMessage(this, SelectToConnectPreset);
        return;
    }
    if (CheckNickname())
        ConnectTo(Host, Port, Secure);
}

void TfrmLogin::ConnectTo(const QString &Host, int Port, bool Secure, bool PasswordWithoutTls)
{
    TMxIRCConnection *connection = FShell->Connection();
    connection->SelectedCharacter = proLogin->Selected();
    // Busy before the attempt: a failure reported at once takes the cursor away again.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    connection->Connect(cboLogins->currentText(), txtPassword->text(), Host, Port, Secure, PasswordWithoutTls);
}
