#include "testing/recordingmessagesink.h"

CRecordingMessageSink::CRecordingMessageSink()
    : m_previous(Messages::Sink())
{
    Messages::SetSink(this);
}

CRecordingMessageSink::~CRecordingMessageSink()
{
    Messages::SetSink(m_previous);
}

void CRecordingMessageSink::ShowMessage(const QString& text, MessageIcon icon)
{
    QMutexLocker lock(&m_mutex);
    m_entries.append({text, icon});
}

QStringList CRecordingMessageSink::Texts() const
{
    QMutexLocker lock(&m_mutex);
    QStringList texts;
    for (const Entry& e : m_entries)
        texts << e.text;
    return texts;
}

QList<CRecordingMessageSink::Entry> CRecordingMessageSink::Entries() const
{
    QMutexLocker lock(&m_mutex);
    return m_entries;
}

void CRecordingMessageSink::Clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
}
