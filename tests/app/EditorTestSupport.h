#pragma once
// What the editor tests share: the part library on the generated artwork, a main window stand-in that
// records the e-mail reports, a hand for modal dialogs, and a folder nobody may write to.
#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <sys/resource.h>

#include "AppShell.h"

class TPersonaLib;

QString EditorArtworkDir();
// One library for the whole test run (loading it takes a while).
TPersonaLib &EditorLibrary();

class TEditorShell : public TAppShell {
public:
    TMxIRCConnection *Connection() override { return nullptr; }
    void ReportEmailAddress(const QString &Address) override { EmailReports << Address; }
    void ReportTellAFriend(const QString &) override {}
    void StopChannelListing() override {}
    QStringList EmailReports;
};

// Runs Act on the modal dialog of type T that the next exec shows (call just before it).
template <typename T> void EditorWhenModal(std::function<void(T *)> Act)
{
    QTimer::singleShot(0, [Act] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget()))
            Act(dialog);
    });
}

// While it lives, Folder cannot be written to, not even by root (whose file-system identity becomes
// nobody's on this thread).
class TEditorReadOnlyFolder {
public:
    explicit TEditorReadOnlyFolder(const QString &Folder);
    ~TEditorReadOnlyFolder();

private:
    QString FFolder;
};

// While it lives, no file can grow past a few bytes, as on a full disk (root included).
class TEditorFullDisk {
public:
    TEditorFullDisk();
    ~TEditorFullDisk();

private:
    rlimit FBefore{};
    void (*FSignal)(int) = nullptr;
};
