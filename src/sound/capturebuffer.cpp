#include "sound/capturebuffer.h"

#include "sound/notificationevent.h"

#include <cstring>

CCaptureBuffer::CCaptureBuffer(quint32 bufferSize, quint32 notifySize, CNotificationEvent& event)
    : m_nBufferSize(bufferSize)
    , m_nNotifySize(notifySize)
    , m_event(event)
    , m_buffer(static_cast<qsizetype>(bufferSize), '\0')
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

quint32 CCaptureBuffer::ReadPosition() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<quint32>(m_nWritten % m_nBufferSize);
}

quint32 CCaptureBuffer::Captured() const
{
    std::lock_guard lock(m_mutex);
    return static_cast<quint32>(m_nWritten - m_nRead);
}

void CCaptureBuffer::Take(quint32 offset, quint32 length, char* out)
{
    std::lock_guard lock(m_mutex);
    const quint32 first = qMin(length, m_nBufferSize - offset);
    std::memcpy(out, m_buffer.constData() + offset, first);
    std::memcpy(out + first, m_buffer.constData(), length - first);
    m_nRead += length;
}

qint64 CCaptureBuffer::DroppedBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_nDropped;
}

qint64 CCaptureBuffer::readData(char*, qint64)
{
    return -1;
}

qint64 CCaptureBuffer::writeData(const char* data, qint64 size)
{
    bool notify = false;
    {
        std::lock_guard lock(m_mutex);
        const quint64 room = m_nBufferSize - (m_nWritten - m_nRead);
        const quint64 count = qMin<quint64>(static_cast<quint64>(size), room);
        m_nDropped += size - static_cast<qint64>(count);
        quint64 done = 0;
        while (done < count) {
            const quint32 at = static_cast<quint32>((m_nWritten + done) % m_nBufferSize);
            const quint64 part = qMin<quint64>(count - done, m_nBufferSize - at);
            std::memcpy(m_buffer.data() + at, data + done, part);
            done += part;
        }
        // A notification position is the last byte of each notify-size piece.
        notify = (m_nWritten + count) / m_nNotifySize != m_nWritten / m_nNotifySize;
        m_nWritten += count;
    }
    if (notify)
        m_event.Set();
    return size;
}
