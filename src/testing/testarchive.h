#pragma once

#include "base/archive.h"

#include <QBuffer>
#include <QByteArray>
#include <QtGlobal>

namespace TestArchive {
// The bytes `write` stores into an archive (write(CArchive&)), held in memory.
template <class Write>
QByteArray Stored(Write write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        CArchive ar(buffer, CArchive::Store);
        write(ar);
        if (!ar.Flush())
            qFatal("storing into memory failed");
    }
    return bytes;
}
}  // namespace TestArchive
