#include "lists/wordlistedit.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
// Only A-Z are folded: other letters, accented ones included, keep their code units.
QString foldAToZ(const QString& word)
{
    QString folded = word;
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            c = QChar(char16_t(u + (u'a' - u'A')));
    }
    return folded;
}
}  // namespace

void WordListEdit::SortAToZ(QStringList& words)
{
    if (words.size() <= 1)
        return;
    // A stable sort by the folded words puts them exactly where repeated passes of swapping
    // neighbours would, without comparing every pair of a long list.
    std::vector<QString> keys;
    keys.reserve(size_t(words.size()));
    for (const QString& word : words)
        keys.push_back(foldAToZ(word));
    std::vector<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[size_t(a)] < keys[size_t(b)]; });
    QStringList sorted;
    sorted.reserve(words.size());
    for (qsizetype index : order)
        sorted.append(words.at(index));
    words = std::move(sorted);
}

WordListEdit::SListButtons WordListEdit::EnabledButtons(int count, int currentRow, int selectedCount)
{
    const bool current = currentRow >= 0 && currentRow < count;
    return {count >= 2, current && currentRow > 0, current && currentRow < count - 1, selectedCount > 0};
}
