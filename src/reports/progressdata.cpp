#include "reports/progressdata.h"

#include "reports/reportdate.h"
#include "reports/reportformat.h"

#include <QHash>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QString kRepeat = QStringLiteral("--Repeat");
const QString kStoppedTest = QStringLiteral("--Stopped Test");
const QString kRepeatStopped = QStringLiteral("--Repeat, Stopped");

bool nameBefore(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    if (folded != 0)
        return folded < 0;
    return a.compare(b, Qt::CaseSensitive) < 0;
}

struct STest {
    const CGrade* grade;
    std::optional<QDateTime> time;
};

}  // namespace

qsizetype SProgressChart::PointCount() const
{
    qsizetype count = 0;
    for (const SProgressSeries& s : series)
        count += s.points.size();
    return count;
}

namespace ProgressData {

QString SeriesName(const QString& listName)
{
    for (const QString& ending : {kRepeat, kStoppedTest, kRepeatStopped}) {
        if (listName.endsWith(ending))
            return listName.chopped(ending.size());
    }
    return listName;
}

bool IsStopped(const QString& listName)
{
    return listName.endsWith(kStoppedTest) || listName.endsWith(kRepeatStopped);
}

QString ToolTip(const QString& listName, const QString& dateText, qint32 correctCount, qint32 wordCount)
{
    return QStringLiteral("%1\n%2\n%3 of %4 correct: %5")
        .arg(listName, dateText, ReportFormat::Count(correctCount), ReportFormat::Count(wordCount),
             ReportFormat::PageGrade(correctCount, wordCount).trimmed());
}

SProgressChart Build(const CRecordList<CGrade>& grades)
{
    // The tests with a grade, oldest first (the list runs newest first).
    std::vector<STest> tests;
    tests.reserve(size_t(grades.size()));
    for (qsizetype i = grades.size() - 1; i >= 0; --i) {
        const CGrade& grade = grades.at(i);
        if (grade.GetWordCount() <= 0)
            continue;
        tests.push_back({&grade, ReportDate::Parse(grade.GetDateText())});
    }

    SProgressChart chart;
    const auto firstDated = std::find_if(tests.begin(), tests.end(), [](const STest& t) { return t.time.has_value(); });
    chart.timeAxis = firstDated != tests.end();

    std::vector<double> xs(tests.size());
    if (chart.timeAxis) {
        const size_t first = size_t(firstDated - tests.begin());
        const double firstX = double(firstDated->time->toMSecsSinceEpoch());
        for (size_t i = 0; i < first; ++i)
            xs[i] = firstX - double(first - i) * double(kUndatedStepMs);
        for (size_t i = first; i < tests.size(); ++i)
            xs[i] = tests[i].time ? double(tests[i].time->toMSecsSinceEpoch()) : xs[i - 1] + double(kUndatedStepMs);
    } else {
        for (size_t i = 0; i < tests.size(); ++i)
            xs[i] = double(i + 1);
    }

    QHash<QString, qsizetype> seriesIndex;
    for (size_t i = 0; i < tests.size(); ++i) {
        const CGrade& grade = *tests[i].grade;
        const QString listName = grade.GetListName();
        const QString name = SeriesName(listName);
        auto found = seriesIndex.constFind(name);
        if (found == seriesIndex.constEnd()) {
            found = seriesIndex.insert(name, chart.series.size());
            chart.series.append(SProgressSeries{name, {}});
        }
        SProgressPoint point;
        point.x = xs[i];
        point.percent = ReportFormat::GradePercent(grade.GetCorrectCount(), grade.GetWordCount());
        point.listName = listName;
        point.dateText = grade.GetDateText();
        point.correctCount = grade.GetCorrectCount();
        point.wordCount = grade.GetWordCount();
        point.stopped = IsStopped(listName);
        point.dated = tests[i].time.has_value();
        point.toolTip = ToolTip(listName, point.dateText, point.correctCount, point.wordCount);
        chart.series[*found].points.append(std::move(point));
    }

    std::stable_sort(chart.series.begin(), chart.series.end(),
                     [](const SProgressSeries& a, const SProgressSeries& b) { return nameBefore(a.name, b.name); });
    for (SProgressSeries& s : chart.series) {
        std::stable_sort(s.points.begin(), s.points.end(),
                         [](const SProgressPoint& a, const SProgressPoint& b) { return a.x < b.x; });
    }
    return chart;
}

}  // namespace ProgressData
