#include "cli/boundedinput.h"

#include <QFile>

#include <cstdio>

QString BoundedInput::LimitText()
{
    return QStringLiteral("%1 MB").arg(kMaxBytes / (1024 * 1024));
}

BoundedInput::Result BoundedInput::Read(const QString& path)
{
    Result result;
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(fileno(stdin), QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        result.error = file.errorString();
        return result;
    }
    // One byte past the limit is enough to know the input is too large.
    constexpr qint64 kChunk = 1024 * 1024;
    QByteArray bytes;
    for (;;) {
        const qint64 size = bytes.size();
        const qint64 wanted = qMin(kChunk, kMaxBytes + 1 - size);
        bytes.resize(size + wanted);
        const qint64 got = file.read(bytes.data() + size, wanted);
        if (got < 0) {
            result.error = file.errorString();
            return result;
        }
        bytes.resize(size + got);
        if (bytes.size() > kMaxBytes) {
            result.status = Result::EStatus::TooLarge;
            return result;
        }
        if (got == 0)
            break;
    }
    result.status = Result::EStatus::Read;
    result.bytes = std::move(bytes);
    return result;
}
