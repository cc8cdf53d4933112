#include "ChatLogWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <map>
#include <memory>

#include "ChattleLog.h"
#include "RoomsLog.h"

namespace {
QString SafeFolderName(const QString &name)
{
    QString safe = name.toLower();
    for (QChar &c : safe)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    while (safe.startsWith(QLatin1Char('.')))
        safe.replace(0, 1, QLatin1Char('_'));
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

// Lives on the writer's thread; keeps the files it wrote to open (a bounded number of them).
class TLogWorker : public QObject {
public:
    void Write(const QString &path, const QString &line)
    {
        if (FFiles.size() >= MaxOpenFiles && !FFiles.count(path))
            FFiles.clear();
        std::unique_ptr<QFile> &file = FFiles[path];
        if (!file) {
            QDir().mkpath(QFileInfo(path).path());
            file = std::make_unique<QFile>(path);
            if (!file->open(QIODevice::Append | QIODevice::Text)) {
                LogWarning(lcRooms, QStringLiteral("Cannot write the log ") + path);
                FFiles.erase(path);
                return;
            }
        }
        file->write((line + QLatin1Char('\n')).toUtf8());
        file->flush();
    }

private:
    static constexpr int MaxOpenFiles = 64;
    std::map<QString, std::unique_ptr<QFile>> FFiles;
};
} // namespace

QString ChatLogPath(const QString &logsDir, const QString &network, const QString &window, const QDate &day)
{
    return logsDir + QLatin1Char('/') + SafeFolderName(network) + QLatin1Char('/') + SafeFolderName(window) +
           QLatin1Char('/') + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
}

QString ChatLogLine(const QDateTime &when, const QString &text)
{
    return when.toString(QStringLiteral("[HH:mm:ss] ")) + text;
}

TChatLogWriter::TChatLogWriter(QObject *parent) : QObject(parent), FThread(new QThread(this)), FWorker(new TLogWorker)
{
    FThread->setObjectName(QStringLiteral("chattle logs"));
    FWorker->moveToThread(FThread);
    FThread->start();
}

TChatLogWriter::~TChatLogWriter()
{
    Flush(); // a quitting thread may leave queued lines unwritten
    FThread->quit();
    FThread->wait();
    delete FWorker; // its thread has ended: nothing runs in it any more
}

void TChatLogWriter::Append(const QString &logsDir, const QString &network, const QString &window,
                            const QDateTime &when, const QString &text)
{
    const QString path = ChatLogPath(logsDir, network, window, when.date());
    const QString line = ChatLogLine(when, text);
    auto *worker = static_cast<TLogWorker *>(FWorker);
    QMetaObject::invokeMethod(FWorker, [worker, path, line] { worker->Write(path, line); }, Qt::QueuedConnection);
}

void TChatLogWriter::Flush()
{
    QMetaObject::invokeMethod(FWorker, [] {}, Qt::BlockingQueuedConnection);
}
