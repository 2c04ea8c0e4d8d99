#include "users/resultrows.h"

#include <limits>
#include <memory>

namespace {
QString column(const QStringList& row, qsizetype index)
{
    return index < row.size() ? row.at(index) : QString();
}

bool isCSpace(QChar c)
{
    return c == QLatin1Char(' ') || (c.unicode() >= 0x09 && c.unicode() <= 0x0D);
}
}  // namespace

qint32 ResultRows::ParseCount(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    // Accumulate towards the sign, so that the most negative number fits too.
    constexpr qint64 kMax = std::numeric_limits<qint32>::max();
    constexpr qint64 kMin = std::numeric_limits<qint32>::min();
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        value = value * 10 + (c - u'0');
        if (value > kMax + 1)
            value = kMax + 1;  // already out of range; only the sign still matters
    }
    if (negative)
        return qint32(qMax(-value, kMin));
    return qint32(qMin(value, kMax));
}

void ResultRows::RebuildGrades(CRecordList<CGrade>& list, const QList<QStringList>& rows)
{
    list.Clear();
    for (const QStringList& row : rows) {
        auto grade = std::make_unique<CGrade>();
        grade->SetListName(column(row, 0));
        grade->SetDateText(column(row, 1));
        grade->SetCorrectCount(ParseCount(column(row, 2)));
        grade->SetWordCount(ParseCount(column(row, 3)));
        list.AddTail(std::move(grade));
    }
}

void ResultRows::RebuildMissed(CRecordList<CMissed>& list, const QList<QStringList>& rows)
{
    list.Clear();
    for (const QStringList& row : rows) {
        auto missed = std::make_unique<CMissed>();
        missed->SetListName(column(row, 0));
        missed->SetDateText(column(row, 1));
        missed->SetWord(column(row, 2));
        missed->SetMisspelling(column(row, 3));
        list.AddTail(std::move(missed));
    }
}

void ResultRows::RebuildVocabulary(CRecordList<CVocabulary>& list, const QList<QStringList>& rows)
{
    list.Clear();
    for (const QStringList& row : rows) {
        auto vocabulary = std::make_unique<CVocabulary>();
        vocabulary->SetListName(column(row, 0));
        vocabulary->SetExtra(column(row, 1));
        vocabulary->SetDateText(column(row, 2));
        vocabulary->SetWord(column(row, 3));
        list.AddTail(std::move(vocabulary));
    }
}

void ResultRows::RebuildList(EResultKind kind, const QList<QStringList>& rows, SResultLists lists)
{
    switch (kind) {
    case EResultKind::Grades: RebuildGrades(lists.grades, rows); break;
    case EResultKind::Missed: RebuildMissed(lists.missed, rows); break;
    case EResultKind::Vocabulary: RebuildVocabulary(lists.vocabulary, rows); break;
    }
}
