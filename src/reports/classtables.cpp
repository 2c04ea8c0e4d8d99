#include "reports/classtables.h"

#include "reports/classresults.h"
#include "reports/errorprofile.h"
#include "reports/progressdata.h"
#include "reports/reportformat.h"
#include "rules/errorkinds.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace {

constexpr qsizetype kWindow = 5;

bool inList(const QString& storedName, const QString& list)
{
    return list.isEmpty() || ProgressData::SeriesName(storedName) == list;
}

QString percentText(double value)
{
    return QString::number(value, 'f', 1);
}

QString trendText(double value)
{
    const QString text = percentText(value);
    // A rounded zero has no sign; every other change shows its direction.
    if (text == QLatin1String("-0.0"))
        return QStringLiteral("0.0");
    return value > 0 && text != QLatin1String("0.0") ? QLatin1Char('+') + text : text;
}

double mean(const QList<double>& values, qsizetype from, qsizetype count)
{
    double sum = 0;
    for (qsizetype i = from; i < from + count; ++i)
        sum += values.at(i);
    return sum / double(count);
}

QString statusText(const SClassPupil& pupil)
{
    return pupil.damaged ? QStringLiteral("damaged") : QStringLiteral("ok");
}

// The pupil's misspelled words of the list, as a list the error analysis takes.
CRecordList<CMissed> missedOf(const SClassPupil& pupil, const QString& list)
{
    CRecordList<CMissed> chosen;
    for (const CMissed& missed : pupil.missed) {
        if (inList(missed.GetListName(), list))
            chosen.AddTail(std::make_unique<CMissed>(missed));
    }
    return chosen;
}

}  // namespace

namespace ClassTables {

QStringList OverviewHeader()
{
    return {QStringLiteral("User"), QStringLiteral("Tests"), QStringLiteral("Newest"), QStringLiteral("Average"),
            QStringLiteral("Trend"), QStringLiteral("Status")};
}

QList<QStringList> OverviewRows(const CClassResults& results, const QString& list)
{
    QList<QStringList> rows;
    for (const auto& pupil : results.Pupils()) {
        if (pupil->damaged) {
            rows.append({pupil->name, QString(), QString(), QString(), QString(), statusText(*pupil)});
            continue;
        }
        qsizetype tests = 0;
        QList<double> grades;  // newest first
        for (const CGrade& grade : pupil->grades) {
            if (!inList(grade.GetListName(), list))
                continue;
            ++tests;
            if (grade.GetWordCount() > 0)
                grades.append(ReportFormat::GradePercent(grade.GetCorrectCount(), grade.GetWordCount()));
        }
        QStringList row{pupil->name, QString::number(tests), QString(), QString(), QString(), statusText(*pupil)};
        if (!grades.isEmpty()) {
            const qsizetype newest = std::min(kWindow, grades.size());
            const double average = mean(grades, 0, newest);
            row[2] = percentText(grades.first());
            row[3] = percentText(average);
            const qsizetype before = std::min(kWindow, grades.size() - newest);
            if (before > 0)
                row[4] = trendText(average - mean(grades, newest, before));
        }
        rows.append(row);
    }
    return rows;
}

QStringList WordsHeader()
{
    return {QStringLiteral("Word"), QStringLiteral("Pupils"), QStringLiteral("Times")};
}

QList<QStringList> WordRows(const CClassResults& results, const QString& list)
{
    struct SWord {
        QString word;
        qsizetype pupils = 0;
        qsizetype times = 0;
    };
    QList<SWord> words;
    QHash<QString, qsizetype> indexOf;
    for (const auto& pupil : results.Pupils()) {
        QHash<QString, bool> missedHere;
        for (const CMissed& missed : pupil->missed) {
            if (!inList(missed.GetListName(), list))
                continue;
            const QString& word = missed.GetWord();
            auto it = indexOf.constFind(word);
            if (it == indexOf.constEnd()) {
                it = indexOf.insert(word, words.size());
                words.append({word});
            }
            SWord& entry = words[it.value()];
            ++entry.times;
            if (!missedHere.contains(word)) {
                missedHere.insert(word, true);
                ++entry.pupils;
            }
        }
    }
    std::sort(words.begin(), words.end(), [](const SWord& a, const SWord& b) {
        if (a.pupils != b.pupils)
            return a.pupils > b.pupils;
        if (a.times != b.times)
            return a.times > b.times;
        const int folded = a.word.compare(b.word, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.word.compare(b.word, Qt::CaseSensitive) < 0;
    });
    QList<QStringList> rows;
    rows.reserve(words.size());
    for (const SWord& w : words)
        rows.append({w.word, QString::number(w.pupils), QString::number(w.times)});
    return rows;
}

QStringList ProfileHeader()
{
    return {QStringLiteral("Kind"), QStringLiteral("Count"), QStringLiteral("Share"), QStringLiteral("Pupils"),
            QStringLiteral("Names")};
}

QList<QStringList> ProfileRows(const CClassResults& results, const QString& list)
{
    struct SKind {
        EErrorKind kind = EErrorKind::IeEi;
        qsizetype count = 0;
        QStringList names;
    };
    std::array<SKind, ErrorKinds::kCount> kinds;
    qsizetype total = 0;
    for (const auto& pupil : results.Pupils()) {
        const CRecordList<CMissed> missed = missedOf(*pupil, list);
        const CErrorProfile profile(missed);
        total += profile.Total();
        for (const SErrorProfileRow& row : profile.Rows()) {
            SKind& kind = kinds[size_t(row.kind)];
            kind.count += row.Count();
            kind.names.append(pupil->name);
        }
    }
    QList<SKind> used;
    for (EErrorKind kind : ErrorKinds::All()) {
        SKind entry = kinds[size_t(kind)];
        entry.kind = kind;
        if (entry.count > 0)
            used.append(entry);
    }
    std::stable_sort(used.begin(), used.end(), [](const SKind& a, const SKind& b) { return a.count > b.count; });
    QList<QStringList> rows;
    for (const SKind& k : used) {
        rows.append({ErrorKinds::Name(k.kind), QString::number(k.count), CErrorProfile::ShareText(k.count, total),
                     QString::number(k.names.size()), k.names.join(QStringLiteral(", "))});
    }
    return rows;
}

QStringList Header(ETable table)
{
    switch (table) {
    case ETable::Overview: return OverviewHeader();
    case ETable::Words: return WordsHeader();
    case ETable::Profile: return ProfileHeader();
    }
    return {};
}

QList<QStringList> Rows(ETable table, const CClassResults& results, const QString& list)
{
    switch (table) {
    case ETable::Overview: return OverviewRows(results, list);
    case ETable::Words: return WordRows(results, list);
    case ETable::Profile: return ProfileRows(results, list);
    }
    return {};
}

}  // namespace ClassTables
