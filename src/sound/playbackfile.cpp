#include "sound/playbackfile.h"

#include "base/appfolders.h"

#include <QFile>

bool PlaybackFile::Write(const QString& path, const QByteArray& sound, QString* reason)
{
    QFile file(path);
    const bool existed = file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(sound) != sound.size() || !file.flush()) {
        if (reason)
            *reason = file.errorString();
        return false;
    }
    if (!existed)
        CAppFolders::ShareLikeParent(path);
    return true;
}
