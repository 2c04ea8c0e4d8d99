#include "reports/missedorder.h"

#include "rules/spellingrules.h"

#include <algorithm>
#include <memory>
#include <vector>

QString MissedOrder::SortKey(const QString& errorLabel)
{
    QString key = errorLabel;
    for (QChar& c : key)
        c = c.toLower();
    return key;
}

bool MissedOrder::KeyLess(const QString& a, const QString& b)
{
    const QChar* pa = a.constData();
    const QChar* pb = b.constData();
    return std::lexicographical_compare(pa, pa + a.size(), pb, pb + b.size(),
                                        [](QChar x, QChar y) { return x.unicode() < y.unicode(); });
}

void MissedOrder::SortMissedByErrors(CRecordList<CMissed>& list)
{
    struct SEntry {
        QString key;
        std::unique_ptr<CMissed> record;
    };
    CSpellingRules rules;
    std::vector<SEntry> entries;
    entries.reserve(size_t(list.size()));
    for (std::unique_ptr<CMissed>& record : list.TakeAll()) {
        record->SetErrors(rules.AnalyzeMisspelling(record->GetWord(), record->GetMisspelling()));
        QString key = SortKey(record->GetErrors());
        entries.push_back({std::move(key), std::move(record)});
    }
    // Each record goes after every earlier one whose key is not greater, as inserting them one
    // by one would place it, in n log n rather than n squared.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SEntry& a, const SEntry& b) { return KeyLess(a.key, b.key); });
    for (SEntry& entry : entries)
        list.AddTail(std::move(entry.record));
}
