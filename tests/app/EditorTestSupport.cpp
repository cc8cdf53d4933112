#include "EditorTestSupport.h"

#include <QFile>
#include <csignal>
#include <sys/fsuid.h>
#include <unistd.h>

#include "PersonaLib.h"

QString EditorArtworkDir() { return QStringLiteral(CHATTLE_ARTWORK_DIR); }

TPersonaLib &EditorLibrary()
{
    static TPersonaLib library(EditorArtworkDir());
    return library;
}

TEditorReadOnlyFolder::TEditorReadOnlyFolder(const QString &Folder) : FFolder(Folder)
{
    QFile::setPermissions(FFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    if (geteuid() == 0)
        setfsuid(65534);
}

TEditorReadOnlyFolder::~TEditorReadOnlyFolder()
{
    if (geteuid() == 0)
        setfsuid(0);
    QFile::setPermissions(FFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEditorFullDisk::TEditorFullDisk()
{
    getrlimit(RLIMIT_FSIZE, &FBefore);
    FSignal = signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
    const rlimit full{16, FBefore.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
}

TEditorFullDisk::~TEditorFullDisk()
{
    setrlimit(RLIMIT_FSIZE, &FBefore);
    signal(SIGXFSZ, FSignal);
}
