// The login window driven through its widgets: the server list file, the server dialog, the
// character buttons and connecting to a listed server or a preset network.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "CursorTable.h"
#include "IniFile.h"
#include "LoginTestSupport.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "PersonaProfiles.h"
#include "ScriptedDialogs.h"
#include "ServerList.h"
#include "frmLogin.h"
#include "frmServerInfo.h"
#include "printers.h"

namespace {
// Runs Fill on the server dialog as soon as it is up (the click that opens it comes next).
void WhenServerDialogOpens(const std::function<void(TfrmServerInfo &Dialog)> &Fill)
{
    QTimer::singleShot(0, qApp, [Fill] {
        auto *dialog = qobject_cast<TfrmServerInfo *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no server dialog came up";
            return;
        }
        Fill(*dialog);
        if (dialog->isVisible())
            dialog->reject(); // Fill left it open (refused input): the test goes on
    });
}

class LoginTest : public ::testing::Test {
protected:
    LoginTest()
    {
        QDir(Folder.path()).mkdir("AVProfiles");
        Login.SetDirectories(QStringLiteral(CHATTLE_ARTWORK_DIR), ProfilesDir());
        Login.SetServersIniPath(IniPath());
        Login.RunEditor = [this](TPersonaInst *existing) {
            EditorRuns << (existing ? existing->Name : QStringLiteral("(new)"));
            return EditorSaves;
        };
    }
    ~LoginTest() override { ResetScreenCursor(); }

    QString ProfilesDir() const { return Folder.filePath("AVProfiles"); }
    QString IniPath() const { return Folder.filePath("servers.ini"); }

    void WriteFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadIni() const
    {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "(none)";
    }
    // Saves characters (password = name in lower case), then loads and shows the window.
    void Start(const QStringList &characters = {})
    {
        for (const QString &name : characters)
            SaveCharacter(name);
        Login.LoadCharacters();
        Login.show();
    }
    void SaveCharacter(const QString &name)
    {
        static TPersonaLib library{QStringLiteral(CHATTLE_ARTWORK_DIR)}; // loaded once per run
        TPersonaInst character(&library);
        character.Password = name.toLower();
        character.SaveToFile(QDir(ProfilesDir()).filePath(name + ".pr1"));
    }
    void ClickCharacter(int index)
    {
        const QPoint at(index * Login.proLogin->CellWidth + 18, 50);
        // Qt drops a move to where the mouse already is, and the last test may have left it there.
        QTest::mouseMove(Login.proLogin->PaintBox(), at + QPoint(1, 0));
        QTest::mouseMove(Login.proLogin->PaintBox(), at);
        QTest::mouseClick(Login.proLogin->PaintBox(), Qt::LeftButton, {}, at);
    }
    QStringList Networks() const
    {
        QStringList rows;
        for (int i = 0; i < Login.cboIRCNetwork->count(); ++i)
            rows << Login.cboIRCNetwork->itemText(i);
        return rows;
    }
    void AddServer(const QString &description, const QString &address, const QString &typedPort)
    {
        WhenServerDialogOpens([&](TfrmServerInfo &dialog) {
            QTest::keyClicks(dialog.txtDesc, description);
            QTest::keyClicks(dialog.txtAddress, address);
            dialog.txtPort->clear();
            QTest::keyClicks(dialog.txtPort, typedPort);
            QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        });
        QTest::mouseClick(Login.btnAddServer, Qt::LeftButton);
    }
    QStringList Attempts() const { return Shell.Socket->Attempts; }

    QTemporaryDir Folder;
    TScriptedDialogs Dialogs;
    TLoginShell Shell;
    TfrmLogin Login{&Shell};
    QStringList EditorRuns;
    bool EditorSaves = false;
};
} // namespace

TEST_F(LoginTest, the_server_list_stops_at_a_gap_and_is_rewritten_whole_with_colons_as_semicolons)
{
    WriteFile(IniPath(), "[other]\nkeep=me\n[servers]\nserv0=Home:127.0.0.1:6667\n"
                         "serv1=Work:irc.work.test:6697\nserv3=Lost:irc.lost.test:6667\n");
    Start();
    EXPECT_EQ(Networks(), QStringList({"Home", "Work"}));

    AddServer("My:Net", "irc.my.test:7000", "abc");
    EXPECT_EQ(Login.Servers().last(), "My;Net:irc.my.test;7000:6667") << "letters never reach the port box";
    EXPECT_EQ(Login.cboIRCNetwork->currentText(), "My;Net");
    EXPECT_EQ(ReadIni(), "[other]\nkeep=me\n[servers]\nserv0=Home:127.0.0.1:6667\n"
                         "serv1=Work:irc.work.test:6697\nserv2=My;Net:irc.my.test;7000:6667\n");

    // Edit keeps the description and its place; Delete takes the selected row; no row, no change.
    Login.cboIRCNetwork->setCurrentIndex(1);
    WhenServerDialogOpens([](TfrmServerInfo &dialog) {
        EXPECT_FALSE(dialog.txtDesc->isEnabled());
        EXPECT_EQ(dialog.txtAddress->text(), "irc.work.test");
        dialog.txtPort->setText("7001");
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    });
    QTest::mouseClick(Login.btn, Qt::LeftButton);
    EXPECT_EQ(Login.Servers().at(1), "Work:irc.work.test:7001");
    EXPECT_EQ(Login.cboIRCNetwork->currentText(), "Work");
    QTest::mouseClick(Login.btnDelete, Qt::LeftButton);
    EXPECT_EQ(Networks(), QStringList({"Home", "My;Net"}));
    QTest::mouseClick(Login.btnDelete, Qt::LeftButton);
    EXPECT_EQ(TIniFile(IniPath()).ReadSection("servers"), QStringList({"serv0", "serv1"}));
    EXPECT_TRUE(Dialogs.Shown().isEmpty());
}

TEST_F(LoginTest, the_dialog_refuses_missing_fields_and_bad_ports_and_the_first_add_creates_the_file)
{
    Start();
    const struct {
        const char *Description, *Address, *Port, *Message;
    } cases[] = {
        {"", "irc.test", "6667", "Please enter a description."},
        {"Net", "  ", "6667", "Please enter a server address.  ie. irc.undernet.org"},
        {"Net", "irc.test", "70000", "Please enter a port number from 1 to 65535."},
        {"Net", "irc.test", "0", "Please enter a port number from 1 to 65535."},
    };
    for (const auto &c : cases) {
        AddServer(c.Description, c.Address, c.Port);
        EXPECT_EQ(Dialogs.ShownTexts().last(), c.Message) << c.Port;
    }
    EXPECT_EQ(ReadIni(), "(none)");
    AddServer("Local", "localhost", "6668");
    EXPECT_EQ(ReadIni(), "[servers]\nserv0=Local:localhost:6668\n");
}

TEST_F(LoginTest, a_listed_server_with_a_broken_port_or_no_address_never_connects)
{
    WriteFile(IniPath(), "[servers]\nserv0=Letters:irc.test:66x\nserv1=Huge:irc.test:99999999999\n"
                         "serv2=Zero:irc.test:0\nserv3=Nowhere::6667\nserv4=Fine:127.0.0.1:6697\n");
    Start({"Ann"});
    QTest::mouseClick(Login.LMD3DEffectButton2, Qt::LeftButton);
    EXPECT_EQ(Dialogs.ShownTexts(), QStringList({"Please Select a Character, or create a new one before connecting."}));

    ClickCharacter(0);
    const QStringList expected = {"The port of Letters is not a valid port number.",
                                  "The port of Huge is not a valid port number.",
                                  "The port of Zero is not a valid port number.", "The address of Nowhere is missing."};
    for (int row = 0; row < 4; ++row) {
        Login.cboIRCNetwork->setCurrentIndex(row);
        QTest::mouseClick(Login.LMD3DEffectButton2, Qt::LeftButton);
        EXPECT_EQ(Dialogs.ShownTexts().last(), expected.at(row));
    }
    EXPECT_TRUE(Attempts().isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    Login.cboIRCNetwork->setCurrentIndex(4);
    QTest::mouseClick(Login.LMD3DEffectButton2, Qt::LeftButton);
    EXPECT_EQ(Attempts(), QStringList({"Ann ann 127.0.0.1:6697"}));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Login.close();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "closing the window ends the wait";
}

TEST_F(LoginTest, binary_noise_or_ten_thousand_keys_read_at_most_255_servers)
{
    QByteArray noise(20000, 0), many = "[servers]\n";
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + i / 13) % 256);
    for (int i = 0; i < 10000; ++i)
        many += "serv" + QByteArray::number(i) + "=N" + QByteArray::number(i) + ":h:6667\n";
    WriteFile(Folder.filePath("many.ini"), many);
    EXPECT_EQ(ServerList::Load(Folder.filePath("many.ini")).size(), 255);

    WriteFile(IniPath(), noise + "\n[servers]\nserv0=\xff\xfeNoise:h:1\n" + noise);
    Start();
    EXPECT_EQ(Networks(), QStringList({QString::fromLatin1("\xff\xfeNoise")})) << "read as Latin-1";
}

TEST_F(LoginTest, a_sixth_character_is_refused_and_a_saved_one_refreshes_the_strip)
{
    Start({"Ann", "Bob", "Cy", "Dee"});
    EditorSaves = true;
    QTest::mouseClick(Login.btnNew, Qt::LeftButton);
    EXPECT_EQ(EditorRuns, QStringList({"(new)"}));

    SaveCharacter("Eve");
    QTest::mouseClick(Login.btnNew, Qt::LeftButton);
    EXPECT_EQ(Login.cboLogins->count(), 5) << "the strip was refreshed after the editor saved";
    QTest::mouseClick(Login.btnNew, Qt::LeftButton);
    EXPECT_EQ(EditorRuns.size(), 2);
    EXPECT_EQ(Dialogs.Shown().last().Kind, TDialogKind::Error);
    EXPECT_EQ(Dialogs.ShownTexts(),
              QStringList({"You can only have 5 Characters.  Please Edit or Remove an existing character."}));
}

TEST_F(LoginTest, editing_needs_the_stored_password_which_picking_the_character_fills_in)
{
    Start({"Ann", "Bob"});
    QTest::mouseClick(Login.btnServEdit, Qt::LeftButton);
    ClickCharacter(1);
    EXPECT_EQ(Login.cboLogins->currentText(), "Bob");
    EXPECT_EQ(Login.txtPassword->text(), "bob");
    QTest::mouseClick(Login.btnServEdit, Qt::LeftButton);
    EXPECT_EQ(EditorRuns, QStringList({"Bob"}));

    QTest::keyClick(Login.txtPassword, Qt::Key_Backspace);
    QTest::mouseClick(Login.btnServEdit, Qt::LeftButton);
    Login.cboLogins->setCurrentIndex(0); // the nickname list picks the character too
    EXPECT_EQ(Login.proLogin->SelectedIndex(), 0);
    EXPECT_EQ(EditorRuns.size(), 1);
    EXPECT_EQ(Dialogs.ShownTexts(), QStringList({"Please select a Character or create a new one!",
                                                 "You must enter the proper Password before editing this Character."}));
}

TEST_F(LoginTest, removing_deletes_exactly_the_profile_of_the_nick_and_nothing_else)
{
    WriteFile(Folder.filePath("victim.pr1"), "outside the profiles folder");
    Start({"Ann", "Bob"});
    QTest::mouseClick(Login.btnRemove, Qt::LeftButton);
    EXPECT_EQ(Dialogs.Shown().last().Kind, TDialogKind::Error);

    ClickCharacter(0);
    QTest::mouseClick(Login.btnRemove, Qt::LeftButton); // answered No
    Dialogs.Answer(TDialogButton::Yes);
    QTest::mouseClick(Login.btnRemove, Qt::LeftButton);
    EXPECT_EQ(QDir(ProfilesDir()).entryList(QDir::Files), QStringList({"Bob.pr1"}));
    EXPECT_EQ(Shell.Connection()->SelectedCharacter, nullptr);

    ClickCharacter(0);
    Login.proLogin->Selected()->Name = "../victim";
    Dialogs.Answer(TDialogButton::Yes);
    QTest::mouseClick(Login.btnRemove, Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(Folder.filePath("victim.pr1")));
    EXPECT_EQ(QDir(ProfilesDir()).entryList(QDir::Files), QStringList({"Bob.pr1"}));
    EXPECT_EQ(Dialogs.ShownTexts().at(1), "Are you sure you wish to permanently remove Ann?");
    EXPECT_EQ(Dialogs.ShownTexts().last(), "Are you sure you wish to permanently remove ../victim?");
}

TEST_F(LoginTest, presets_need_a_character_and_a_nickname_and_connect_to_their_hosts)
{
    Start({"Ann"});
    QTest::mouseClick(Login.btnChattle, Qt::LeftButton);
    ClickCharacter(0);
    Login.cboLogins->clearEditText();
    QTest::mouseClick(Login.btnChattle, Qt::LeftButton);
    EXPECT_EQ(Dialogs.ShownTexts(),
              QStringList({"Please Select a Character above by clicking on it, or create a new one before connecting.",
                           "Please select a character and nickname."}));
    EXPECT_TRUE(Attempts().isEmpty());

    QTest::keyClicks(Login.cboLogins->lineEdit(), "Annie");
    for (QPushButton *preset : {Login.btnChattle, Login.btnDalNet, Login.btnIRCNet, Login.btnEFNet, Login.btnUnderNet})
        QTest::mouseClick(preset, Qt::LeftButton);
    EXPECT_EQ(Attempts(), QStringList({"Annie ann 127.0.0.1:6667", "Annie ann irc.dal.net:6697 TLS",
                                       "Annie ann open.ircnet.net:6667", "Annie ann irc.efnet.org:6667",
                                       "Annie ann irc.undernet.org:6667"}));
    EXPECT_EQ(Shell.Connection()->SelectedCharacter, Login.proLogin->Selected());
}

TEST_F(LoginTest, secure_entries_carry_their_mark_and_the_password_choice_to_the_connection)
{
    Start({"Ann"});
    WhenServerDialogOpens([](TfrmServerInfo &dialog) {
        QTest::keyClicks(dialog.txtDesc, "Safe");
        QTest::keyClicks(dialog.txtAddress, "127.0.0.1");
        dialog.chkSecure->click(); // the usual plain port turns into the usual secure one
        EXPECT_FALSE(dialog.chkPasswordWithoutTls->isEnabled());
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    });
    QTest::mouseClick(Login.btnAddServer, Qt::LeftButton);
    WhenServerDialogOpens([](TfrmServerInfo &dialog) {
        QTest::keyClicks(dialog.txtDesc, "Open");
        QTest::keyClicks(dialog.txtAddress, "127.0.0.1");
        dialog.chkPasswordWithoutTls->click();
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    });
    QTest::mouseClick(Login.btnAddServer, Qt::LeftButton);
    EXPECT_EQ(ReadIni(), "[servers]\nserv0=Safe:127.0.0.1:+6697\nserv1=Open:127.0.0.1:6667\n"
                         "[password without tls]\nserv1=1\n");

    ClickCharacter(0);
    for (int row = 0; row < 2; ++row) {
        Login.cboIRCNetwork->setCurrentIndex(row);
        QTest::mouseClick(Login.LMD3DEffectButton2, Qt::LeftButton);
    }
    EXPECT_EQ(Attempts(), QStringList({"Ann ann 127.0.0.1:6697 TLS", "Ann ann 127.0.0.1:6667 password-without-TLS"}));

    // Editing shows the entry as stored; deleting the first entry moves the second's choice with it.
    Login.cboIRCNetwork->setCurrentIndex(0);
    WhenServerDialogOpens([](TfrmServerInfo &dialog) {
        EXPECT_TRUE(dialog.chkSecure->isChecked());
        EXPECT_EQ(dialog.txtPort->text(), "6697");
        dialog.reject();
    });
    QTest::mouseClick(Login.btn, Qt::LeftButton);
    QTest::mouseClick(Login.btnDelete, Qt::LeftButton);
    EXPECT_EQ(ReadIni(), "[servers]\nserv0=Open:127.0.0.1:6667\n[password without tls]\nserv0=1\n");
}
