// Secure connections to a real IRC server whose self-signed certificates the openssl command makes:
// the question on first use and its remembered answer, Cancel, a changed certificate, and a plain
// entry that stays plain.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "CertificateQuestion.h"
#include "CertificateTrust.h"
#include "EventRecorder.h"
#include "IRCClient.h"
#include "ScriptedDialogs.h"
#include "TestIrcServer.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 20000;

struct TTestCertificate {
    QString CertFile;
    QString KeyFile;
    QString Fingerprint; // as openssl prints it
};

QString RunOpenssl(const QStringList &arguments)
{
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(WaitMs) || openssl.exitCode() != 0)
        return {};
    return QString::fromLatin1(openssl.readAllStandardOutput()).trimmed();
}

TTestCertificate MakeCertificate(const QTemporaryDir &folder, const QString &name)
{
    TTestCertificate made{folder.filePath(name + ".pem"), folder.filePath(name + ".key"), {}};
    RunOpenssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "30", "-subj", "/CN=Chattle test " + name,
                "-keyout", made.KeyFile, "-out", made.CertFile});
    // "sha256 Fingerprint=AB:CD:..."
    made.Fingerprint = RunOpenssl({"x509", "-in", made.CertFile, "-noout", "-fingerprint", "-sha256"}).section(u'=', 1);
    return made;
}

// A box's text without its line breaks, so a fingerprint split over two lines reads whole.
QString Joined(QString text) { return text.remove(u'\n'); }

class TlsTest : public ::testing::Test {
protected:
    static inline std::unique_ptr<TTestIrcServer> Server;
    static inline std::unique_ptr<QTemporaryDir> Folder;
    static inline TTestCertificate First, Second;

    static void SetUpTestSuite()
    {
        Folder = std::make_unique<QTemporaryDir>();
        First = MakeCertificate(*Folder, "first");
        Second = MakeCertificate(*Folder, "second");
        Server = TTestIrcServer::FromEnvironment();
        Server->EnableTls(First.CertFile, First.KeyFile);
        if (!Server->Start())
            qWarning("%s", qPrintable(Server->Error()));
    }
    static void TearDownTestSuite()
    {
        Server.reset();
        Folder.reset();
    }
    void SetUp() override
    {
        ASSERT_FALSE(First.Fingerprint.isEmpty() || Second.Fingerprint.isEmpty()) << "openssl made no certificates";
        ASSERT_TRUE(Server->Running()) << Server->Error().toStdString();
        Client.OnCertificateCheck = [this](QObject *, const TPeerCertificate &certificate) {
            return CheckServerCertificate(nullptr, Trust, certificate);
        };
    }
    static bool Restart(const TTestCertificate &certificate)
    {
        Server->Stop();
        Server->EnableTls(certificate.CertFile, certificate.KeyFile);
        return Server->Start();
    }

    // Connects and waits for the end of registration or a failure; true when registered.
    bool Connect(bool secure)
    {
        static int count = 0;
        Events.Log.clear();
        Client.SetOwnNick(QStringLiteral("tls%1").arg(++count));
        Client.ServerAddress = QStringLiteral("127.0.0.1");
        Client.ServerPort = secure ? Server->TlsPort() : Server->Port();
        Client.Secure = secure;
        Client.Connect();
        (void)QTest::qWaitFor([this] { return !Events.Log.filter(QRegularExpression("^On(EndMOTD|CommError)")).isEmpty(); },
                        WaitMs);
        return Events.Log.contains("OnEndMOTD()");
    }
    QList<TDialogKind> ShownKinds() const
    {
        QList<TDialogKind> kinds;
        for (const auto &box : Dialogs.Shown())
            kinds << box.Kind;
        return kinds;
    }

    QTemporaryDir TrustFolder;
    TCertificateTrust Trust{TrustFolder.filePath("trusted")};
    TScriptedDialogs Dialogs;
    TIRCClient Client;
    TEventRecorder Events{Client};
};
} // namespace

TEST_F(TlsTest, the_first_use_asks_and_the_answer_trust_is_remembered)
{
    Dialogs.Answer(TDialogButton::Yes);
    ASSERT_TRUE(Connect(true)) << Events.Log.join('\n').toStdString();
    ASSERT_EQ(ShownKinds(), QList<TDialogKind>{TDialogKind::Choice});
    const QString question = Dialogs.Shown().first().Text;
    EXPECT_TRUE(Joined(question).contains(First.Fingerprint)) << question.toStdString();
    EXPECT_TRUE(question.contains("Chattle test first")) << question.toStdString();

    Client.Disconnect();
    EXPECT_TRUE(Connect(true)) << Events.Log.join('\n').toStdString();
    EXPECT_EQ(Dialogs.Shown().size(), 1) << "asked again";
}

TEST_F(TlsTest, cancel_does_not_connect_and_remembers_nothing)
{
    EXPECT_FALSE(Connect(true));
    EXPECT_EQ(ShownKinds(), QList<TDialogKind>{TDialogKind::Choice});
    EXPECT_EQ(Events.Log.filter(QString("OnCommError(%1,").arg(int(eeCertificate))).size(), 1)
        << Events.Log.join('\n').toStdString();
    EXPECT_FALSE(Client.Connected());
    EXPECT_FALSE(QFile::exists(Trust.FilePath()));
}

TEST_F(TlsTest, a_plain_entry_still_connects_in_plain)
{
    EXPECT_TRUE(Connect(false)) << Events.Log.join('\n').toStdString();
    EXPECT_TRUE(Dialogs.Shown().isEmpty());
}

TEST_F(TlsTest, a_changed_certificate_is_refused_with_both_fingerprints)
{
    TPeerCertificate trusted;
    trusted.Host = QStringLiteral("127.0.0.1");
    trusted.Port = Server->TlsPort();
    trusted.Fingerprint = First.Fingerprint;
    ASSERT_TRUE(Trust.Remember(trusted));
    ASSERT_TRUE(Restart(Second)) << Server->Error().toStdString();

    EXPECT_FALSE(Connect(true));
    ASSERT_EQ(ShownKinds(), QList<TDialogKind>{TDialogKind::Warning});
    const QString warning = Joined(Dialogs.Shown().first().Text);
    EXPECT_TRUE(warning.contains(First.Fingerprint) && warning.contains(Second.Fingerprint)) << warning.toStdString();
    EXPECT_EQ(Trust.Remembered(trusted.Host, trusted.Port), First.Fingerprint) << "the new one is not trusted";
    ASSERT_TRUE(Restart(First)) << Server->Error().toStdString();
}
