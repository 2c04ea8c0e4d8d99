#include "reports/errorprofile.h"

#include "base/fixedformat.h"
#include "reports/reportdate.h"
#include "rules/spellingrules.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <optional>

namespace {

// A date text as a time to compare; nothing when it cannot be read, which sorts oldest.
using TimeKey = std::optional<QDateTime>;

bool isOlder(const TimeKey& a, const TimeKey& b)
{
    if (!b)
        return false;
    if (!a)
        return true;
    return *a < *b;
}

}  // namespace

CErrorProfile::CErrorProfile(const CRecordList<CMissed>& missed)
    : m_nTotal(missed.size())
{
    // The records of each kind and the time of every record. The records of one test share its
    // date text, so each text is read once.
    std::array<QList<qsizetype>, ErrorKinds::kCount> byKind;
    QList<TimeKey> times;
    times.reserve(m_nTotal);
    QHash<QString, TimeKey> readTexts;
    CSpellingRules rules;
    for (qsizetype i = 0; i < m_nTotal; ++i) {
        const CMissed& record = missed.at(i);
        for (EErrorKind kind : ErrorKinds::Of(rules.AnalyzeFindings(record.GetWord(), record.GetMisspelling())))
            byKind[size_t(kind)].append(i);
        const QString date = record.GetDateText();
        auto it = readTexts.constFind(date);
        if (it == readTexts.constEnd())
            it = readTexts.insert(date, ReportDate::Parse(date));
        times.append(it.value());
    }

    for (EErrorKind kind : ErrorKinds::All()) {
        const QList<qsizetype>& records = byKind[size_t(kind)];
        if (records.isEmpty())
            continue;
        SErrorProfileRow row;
        row.kind = kind;
        row.records = records;
        // Newest first; records as new as each other keep their list order.
        QList<qsizetype> newestFirst = records;
        std::stable_sort(newestFirst.begin(), newestFirst.end(),
                         [&times](qsizetype a, qsizetype b) { return isOlder(times.at(b), times.at(a)); });
        row.newest = missed.at(newestFirst.first()).GetDateText();
        QSet<QString> seen;
        for (qsizetype index : newestFirst) {
            const QString example = ExampleText(missed.at(index));
            if (seen.contains(example))
                continue;
            seen.insert(example);
            row.examples.append(example);
            if (row.examples.size() == kMaxExamples)
                break;
        }
        m_rows.append(std::move(row));
    }
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const SErrorProfileRow& a, const SErrorProfileRow& b) { return a.Count() > b.Count(); });
}

QStringList CErrorProfile::RowTexts(const SErrorProfileRow& row) const
{
    return {ErrorKinds::Name(row.kind), QString::number(row.Count()), ShareText(row.Count(), m_nTotal), row.newest,
            row.examples.join(QStringLiteral(", "))};
}

QList<QStringList> CErrorProfile::AllRowTexts() const
{
    QList<QStringList> texts;
    texts.reserve(m_rows.size());
    for (const SErrorProfileRow& row : m_rows)
        texts.append(RowTexts(row));
    return texts;
}

QString CErrorProfile::ShareText(qsizetype count, qsizetype total)
{
    const double share = total > 0 ? 100.0 * double(count) / double(total) : 0.0;
    return FixedFormat::Printf("%.1f %%", share);
}

QString CErrorProfile::ExampleText(const CMissed& missed)
{
    return missed.GetWord() + QStringLiteral(" (") + missed.GetMisspelling() + QLatin1Char(')');
}
