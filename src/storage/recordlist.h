#pragma once

#include "base/archive.h"
#include "base/classregistry.h"

#include <QBuffer>
#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <deque>
#include <iterator>
#include <memory>
#include <vector>

// An ordered list that owns its records, head first. Never holds a null record. A record taken
// out with RemoveAt or TakeAll belongs to the caller from then on.
template <class T>
class CRecordList
{
    using Items = std::deque<std::unique_ptr<T>>;

    template <class Base, class Value>
    class Iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;

        Iterator() = default;
        explicit Iterator(Base it) : m_it(it) {}
        reference operator*() const { return **m_it; }
        pointer operator->() const { return m_it->get(); }
        Iterator& operator++()
        {
            ++m_it;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator old = *this;
            ++m_it;
            return old;
        }
        bool operator==(const Iterator& other) const { return m_it == other.m_it; }

    private:
        Base m_it{};
    };

public:
    using iterator = Iterator<typename Items::iterator, T>;
    using const_iterator = Iterator<typename Items::const_iterator, const T>;

    CRecordList() = default;
    CRecordList(CRecordList&&) noexcept = default;
    CRecordList& operator=(CRecordList&&) noexcept = default;
    CRecordList(const CRecordList&) = delete;
    CRecordList& operator=(const CRecordList&) = delete;

    // A null record is not added.
    void AddHead(std::unique_ptr<T> record)
    {
        if (record)
            m_items.push_front(std::move(record));
    }
    void AddTail(std::unique_ptr<T> record)
    {
        if (record)
            m_items.push_back(std::move(record));
    }

    // Takes the record at index out of the list (0 is the head).
    std::unique_ptr<T> RemoveAt(qsizetype index)
    {
        Q_ASSERT(index >= 0 && index < size());
        std::unique_ptr<T> record = std::move(m_items[size_t(index)]);
        m_items.erase(m_items.begin() + index);
        return record;
    }

    // Deletes every record.
    void Clear() { m_items.clear(); }

    // Takes every record out, head first, leaving the list empty.
    std::vector<std::unique_ptr<T>> TakeAll()
    {
        std::vector<std::unique_ptr<T>> all(std::make_move_iterator(m_items.begin()),
                                            std::make_move_iterator(m_items.end()));
        m_items.clear();
        return all;
    }

    qsizetype size() const { return qsizetype(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }

    T& at(qsizetype index)
    {
        Q_ASSERT(index >= 0 && index < size());
        return *m_items[size_t(index)];
    }
    const T& at(qsizetype index) const
    {
        Q_ASSERT(index >= 0 && index < size());
        return *m_items[size_t(index)];
    }

    iterator begin() { return iterator(m_items.begin()); }
    iterator end() { return iterator(m_items.end()); }
    const_iterator begin() const { return const_iterator(m_items.cbegin()); }
    const_iterator end() const { return const_iterator(m_items.cend()); }

private:
    Items m_items;
};

// Stores a whole list: the element count, then each record from the head, introduced by its
// class reference. Check ar.Flush() afterwards to know that every byte reached the device.
template <class T>
void StoreList(CArchive& ar, const CRecordList<T>& list)
{
    static_assert(ClassRegistry::IsRegistered<T>(), "record class must be in the class registry");
    constexpr const SArchiveClass& cls = *ClassRegistry::Find(T::kClassName);
    // A list of 2^32 - 1 records or more cannot be held in memory, so the 4-byte count suffices.
    ar.WriteCount(quint32(list.size()));
    for (const T& record : list) {
        ar.WriteNewObjectTag(cls);
        // Serialize only reads the record when the archive is storing.
        const_cast<T&>(record).Serialize(ar);
    }
}

// Loads a stored list, appending its records at the tail in stream order. A null entry adds
// nothing; a reference to a record read earlier adds a copy of it, as long as the copies, as
// stored, add up to no more than the bytes the stream has held so far (a few bytes of
// references to one long record could otherwise load, and later write, gigabytes). Throws
// CArchiveException on damaged data; the complete records read before the error stay in the list.
template <class T>
void LoadList(CArchive& ar, CRecordList<T>& list)
{
    static_assert(ClassRegistry::IsRegistered<T>(), "record class must be in the class registry");
    constexpr const SArchiveClass& cls = *ClassRegistry::Find(T::kClassName);
    // Each record read here, by stream index in increasing order, with the bytes of its entry.
    struct SRead {
        quint32 index;
        const T* record;
        qint64 entryBytes;
    };
    std::vector<SRead> read;
    qint64 repeatedBytes = 0;
    quint32 count = ar.ReadCount();
    while (count-- > 0) {
        const qint64 entryOffset = ar.Offset();
        const CArchive::SObjectTag tag = ar.ReadObjectTag(cls);
        switch (tag.kind) {
        case CArchive::SObjectTag::EKind::Null:
            break;
        case CArchive::SObjectTag::EKind::Reference: {
            const auto it = std::lower_bound(read.begin(), read.end(), tag.index,
                                             [](const SRead& entry, quint32 index) { return entry.index < index; });
            if (it == read.end() || it->index != tag.index)
                throw CArchiveException(entryOffset, QStringLiteral("reference to object index %1, which is not a record of this list")
                                                         .arg(tag.index));
            repeatedBytes += it->entryBytes;
            if (repeatedBytes > ar.Offset())
                throw CArchiveException(entryOffset, QStringLiteral("reference to object index %1 repeats more records than the stream holds")
                                                         .arg(tag.index));
            list.AddTail(std::make_unique<T>(*it->record));
            break;
        }
        case CArchive::SObjectTag::EKind::New: {
            auto record = std::make_unique<T>();
            record->Serialize(ar);
            read.push_back({tag.index, record.get(), ar.Offset() - entryOffset});
            list.AddTail(std::move(record));
            break;
        }
        }
    }
}

// A whole list in the stored byte format, as the user file and the result files hold it.
template <class T>
QByteArray StoreListBytes(const CRecordList<T>& list)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        CArchive ar(buffer, CArchive::Store);
        StoreList(ar, list);
        ar.Flush();
    }
    return bytes;
}

// Loads a list from its stored bytes as LoadList does, and returns the offset after its last
// entry.
template <class T>
qint64 LoadListBytes(const QByteArray& bytes, CRecordList<T>& list)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(buffer, CArchive::Load);
    LoadList(ar, list);
    return ar.Offset();
}
