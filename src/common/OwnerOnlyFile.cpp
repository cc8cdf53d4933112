#include "OwnerOnlyFile.h"

#include <QSaveFile>

bool WriteOwnerOnlyFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    // Set before the first byte is written, so the secrets are never readable by others.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    // commit() puts a file in place even when its buffered bytes did not all reach the disk (a full
    // disk): they are flushed first, and a short write leaves the old file where it is.
    return file.write(data) == data.size() && file.flush() && file.commit();
}
