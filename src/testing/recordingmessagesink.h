#pragma once

#include "base/messages.h"

#include <QList>
#include <QMutex>
#include <QStringList>

// Records every message instead of showing it, so tests assert on the exact texts.
// Installs itself as the process's sink for its lifetime.
class CRecordingMessageSink : public IMessageSink
{
public:
    struct Entry {
        QString text;
        MessageIcon icon;
    };

    CRecordingMessageSink();
    ~CRecordingMessageSink() override;

    void ShowMessage(const QString& text, MessageIcon icon) override;

    QStringList Texts() const;
    QList<Entry> Entries() const;
    void Clear();

private:
    mutable QMutex m_mutex;
    QList<Entry> m_entries;
    IMessageSink* m_previous;
};
