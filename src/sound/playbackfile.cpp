#include "sound/playbackfile.h"

#include "base/appfolders.h"
#include "base/boundedfile.h"

#include <QFile>

bool PlaybackFile::Write(const QString& path, const QByteArray& sound, QString* reason)
{
    // The recording folder is shared: a pipe or device put in the file's place is refused, not
    // waited on.
    QFile file;
    bool created = false;
    if (!BoundedFile::OpenForWriting(file, path, QIODevice::WriteOnly, reason, &created))
        return false;
    if (file.write(sound) != sound.size() || !file.flush()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    if (created)
        CAppFolders::ShareLikeParent(path);
    return true;
}
