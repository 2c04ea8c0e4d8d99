#include "reports/practicelistwords.h"

#include "storage/listdatabase.h"

#include <QHash>
#include <QSet>

SPracticeWords PracticeListWords::Collect(const PracticeSources& sources)
{
    SPracticeWords result;
    QHash<QString, qsizetype> indexOf;
    QSet<QString> tooLong;
    for (const SPracticeSource& source : sources) {
        if (source.word.isEmpty())
            continue;
        if (source.word.size() > CListDatabase::kMaxWordLength) {
            if (!tooLong.contains(source.word)) {
                tooLong.insert(source.word);
                result.tooLong << source.word;
            }
            continue;
        }
        const auto found = indexOf.constFind(source.word);
        if (found == indexOf.cend()) {
            indexOf.insert(source.word, result.words.size());
            result.words.append({source.word, {source.listName}});
            continue;
        }
        QStringList& names = result.words[*found].listNames;
        if (!names.contains(source.listName))
            names << source.listName;
    }
    return result;
}
