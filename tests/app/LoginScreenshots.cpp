// Draws the login window with three saved characters, the server dialog and the question about an
// unknown server certificate off screen and saves them as PNG files for people to look at:
// login_screenshots <output folder>.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QTimer>

#include "CertificateQuestion.h"
#include "CertificateTrust.h"
#include "LoginTestSupport.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "PersonaProfiles.h"
#include "frmLogin.h"
#include "frmServerInfo.h"

namespace {
// Part letters (body, face, facial hair, hair, accessory, hat) and the nine colours.
QString Appearance(const QString &parts, const QString &colours) { return parts + "AAAAA" + colours; }

void SaveCharacter(TPersonaLib &library, const QString &folder, const QString &name, const QString &appearance)
{
    TPersonaInst character(&library, appearance);
    character.Password = QStringLiteral("secret");
    character.SaveToFile(QDir(folder).filePath(name + ".pr1"));
}

bool Save(QWidget &window, const QString &path)
{
    QApplication::processEvents();
    return window.grab().save(path);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const QString artwork = QStringLiteral(CHATTLE_ARTWORK_DIR);
    QTemporaryDir folder;

    TPersonaLib library(artwork);
    SaveCharacter(library, folder.path(), "Alice",
                  Appearance("ADAEAA", "FFCC99" "F9A825" "660000" "1E88E5" "424242" "9966CC" "6D4C41" "0000D0" "FF0030"));
    SaveCharacter(library, folder.path(), "Bob",
                  Appearance("BBACBA", "E8B088" "2A1A10" "2A1A10" "2E7D32" "37474F" "9966CC" "3E2723" "0000D0" "FF0030"));
    SaveCharacter(library, folder.path(), "Carol",
                  Appearance("CCADCB", "F0C8A0" "C62828" "660000" "FFB300" "5C6BC0" "AD1457" "212121" "0000D0" "FF0030"));
    QFile ini(QDir(folder.path()).filePath("servers.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[servers]\nserv0=Home Server:irc.home.example:6667\nserv1=Friends:irc.friends.example:6697\n");
    ini.close();

    TLoginShell shell;
    TfrmLogin login(&shell);
    login.SetServersIniPath(ini.fileName());
    login.SetDirectories(artwork, folder.path());
    login.LoadCharacters();
    login.show();
    login.proLogin->MouseMove(40, 50);
    login.proLogin->Click();
    login.cboIRCNetwork->setCurrentIndex(0);
    bool saved = Save(login, QDir(output).filePath("login.png"));

    TfrmServerInfo dialog(&login);
    dialog.txtDesc->setText("Friends");
    dialog.txtAddress->setText("irc.friends.example");
    dialog.txtPort->setText("6697");
    dialog.chkSecure->setChecked(true);
    dialog.show();
    saved = Save(dialog, QDir(output).filePath("server-info.png")) && saved;
    dialog.hide();

    // The real question, grabbed while it waits for its answer and then cancelled.
    TPeerCertificate certificate;
    certificate.Host = QStringLiteral("irc.friends.example");
    certificate.Port = 6697;
    certificate.Fingerprint = QString::fromLatin1(
        QCryptographicHash::hash("friends", QCryptographicHash::Sha256).toHex(':').toUpper());
    certificate.Subject = QStringLiteral("irc.friends.example");
    certificate.Expiry = QDateTime(QDate(2027, 6, 30), QTime(12, 0), Qt::UTC);
    certificate.Problems = QStringList{QStringLiteral("The certificate is self-signed, and untrusted")};
    bool grabbed = false;
    QTimer::singleShot(200, &app, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            grabbed = box->grab().save(QDir(output).filePath("certificate-question.png"));
            box->close();
        }
    });
    CheckServerCertificate(&login, TCertificateTrust(QDir(folder.path()).filePath("trusted")), certificate);
    return saved && grabbed ? 0 : 1;
}
