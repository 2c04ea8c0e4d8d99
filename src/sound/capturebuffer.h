#pragma once

#include <QByteArray>
#include <QIODevice>

#include <mutex>

class CNotificationEvent;

// The circular buffer a capture runs into. The audio source writes captured bytes into it
// (it is the source's output device); each time the write position passes the end of one of
// the 16 notify-size pieces the event is signalled. The reader copies out what has been
// captured and frees it. Bytes that arrive while the buffer is full of unread sound are
// dropped and counted, so that nothing is ever overwritten before it was read.
class CCaptureBuffer : public QIODevice
{
    Q_OBJECT
public:
    CCaptureBuffer(quint32 bufferSize, quint32 notifySize, CNotificationEvent& event);

    quint32 BufferSize() const { return m_nBufferSize; }
    quint32 NotifySize() const { return m_nNotifySize; }

    // The offset up to which captured sound can be read, and how many bytes from `offset`
    // on have been captured and not yet read.
    quint32 ReadPosition() const;
    quint32 Captured() const;
    // Copies `length` captured bytes starting at `offset` (wrapping at the end) and frees them.
    // `length` must not exceed Captured().
    void Take(quint32 offset, quint32 length, char* out);

    qint64 DroppedBytes() const;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    const quint32 m_nBufferSize;
    const quint32 m_nNotifySize;
    CNotificationEvent& m_event;
    mutable std::mutex m_mutex;
    QByteArray m_buffer;
    quint64 m_nWritten = 0;   // bytes captured since the buffer was made
    quint64 m_nRead = 0;      // bytes taken
    qint64 m_nDropped = 0;
};
