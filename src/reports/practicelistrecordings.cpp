#include "reports/practicelistrecordings.h"

#include "storage/listdatabase.h"
#include "storage/spellinglistdb.h"
#include "sound/recordingcheck.h"

#include <QHash>
#include <QList>

#include <algorithm>

// An open source list and, for each word, its rows (1-based, in row order).
struct CPracticeListRecordings::SList {
    CListDatabase database;
    CSpellingListDB cursor{database};
    QHash<QString, QList<int>> rowsOf;
};

CPracticeListRecordings::CPracticeListRecordings(CPracticeListLocator locator)
    : m_locator(std::move(locator))
{
}

CPracticeListRecordings::~CPracticeListRecordings() = default;

CPracticeListRecordings::SList* CPracticeListRecordings::ListAt(const QString& path)
{
    const auto known = m_lists.find(path);
    if (known != m_lists.end())
        return known->second.get();
    std::unique_ptr<SList>& slot = m_lists[path];
    // A file of that name that is no list is passed over quietly: the word is spoken instead.
    if (!CListDatabase::CheckSignature(path).isEmpty())
        return nullptr;
    auto list = std::make_unique<SList>();
    if (!list->database.Open(path, CListDatabase::Access::ReadOnly) || !list->cursor.Open())
        return nullptr;
    int row = 0;
    if (!(list->cursor.IsBOF() && list->cursor.IsEOF()))
        for (list->cursor.MoveFirst(); !list->cursor.IsEOF(); list->cursor.MoveNext())
            list->rowsOf[list->cursor.Word()].append(++row);
    slot = std::move(list);
    return slot.get();
}

std::optional<QByteArray> CPracticeListRecordings::Find(const QStringList& listNames, const QString& word)
{
    for (const QString& listName : listNames) {
        for (const QString& path : m_locator.Paths(listName)) {
            SList* list = ListAt(path);
            if (!list)
                continue;
            for (int row : list->rowsOf.value(word)) {
                if (!list->cursor.SetAbsolutePosition(row))
                    continue;
                const qint64 size = list->cursor.SoundSize();
                if (size <= 0 || size > RecordingCheck::kMaxBytes)
                    continue;
                QByteArray sound = list->cursor.Sound();
                // An empty or broken recording would make a silent word: better spoken.
                if (RecordingCheck::UnplayableReason(sound).isEmpty())
                    return sound;
            }
        }
    }
    return std::nullopt;
}

int CPracticeListRecordings::OpenListCount() const
{
    return int(std::count_if(m_lists.cbegin(), m_lists.cend(), [](const auto& entry) { return entry.second != nullptr; }));
}
