#include "cli/boundedinput.h"

#include "base/boundedfile.h"

#include <QFile>

#include <cstdio>

QString BoundedInput::LimitText()
{
    return BoundedFile::MegabytesText(kMaxBytes);
}

BoundedInput::Result BoundedInput::Read(const QString& path)
{
    BoundedFile::Result read;
    if (path == QLatin1String("-")) {
        // Standard input may well be a pipe; its end is found by reading.
        QFile file;
        if (!file.open(fileno(stdin), QIODevice::ReadOnly)) {
            Result result;
            result.error = file.errorString();
            return result;
        }
        read = BoundedFile::ReadOpen(file, kMaxBytes);
    } else {
        // A named file must be a regular one: a pipe or device is refused, not waited on.
        read = BoundedFile::Read(path, kMaxBytes);
    }
    Result result;
    switch (read.status) {
    case BoundedFile::EStatus::Read:
        result.status = Result::EStatus::Read;
        result.bytes = std::move(read.bytes);
        break;
    case BoundedFile::EStatus::TooLarge:
        result.status = Result::EStatus::TooLarge;
        break;
    case BoundedFile::EStatus::Missing:
    case BoundedFile::EStatus::Failed:
        result.error = read.error;
        break;
    }
    return result;
}
