#include "reports/progressdata.h"
#include "reports/reportformat.h"
#include "testing/testenvironment.h"
#include "testing/testrecords.h"

#include <QDateTime>
#include <QTest>

namespace {

// One line per series: "name: point; point", a point being "x percent [stopped] [undated]", x as
// a local time to the second on a time axis and as the test's number otherwise.
QStringList describe(const SProgressChart& chart)
{
    QStringList lines;
    for (const SProgressSeries& series : chart.series) {
        QStringList points;
        for (const SProgressPoint& p : series.points) {
            QString text = chart.timeAxis
                               ? QDateTime::fromMSecsSinceEpoch(qint64(p.x)).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                               : QString::number(p.x);
            text += QString::asprintf(" %.2f", p.percent);
            if (p.stopped)
                text += QStringLiteral(" stopped");
            if (!p.dated)
                text += QStringLiteral(" undated");
            points << text;
        }
        lines << series.name + QStringLiteral(": ") + points.join(QStringLiteral("; "));
    }
    return lines;
}

}  // namespace

class TestProgressData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void build_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<bool>("timeAxis");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("endings into one series")
            << QStringList{"Week 1--Repeat, Stopped|03/05/26, 09:00 AM|1|4", "Week 1--Stopped Test|03/04/26, 09:00 AM|2|4",
                           "Week 1--Repeat|03/03/26, 09:00 AM|3|4", "Week 1|03/02/26, 09:00 AM|4|4"}
            << true
            << QStringList{"Week 1: 2026-03-02 09:00:00 100.00; 2026-03-03 09:00:00 75.00; "
                           "2026-03-04 09:00:00 50.00 stopped; 2026-03-05 09:00:00 25.00 stopped"};
        QTest::newRow("endings only at the end")
            << QStringList{"Week--Repeat 2|03/02/26, 09:00 AM|1|2", "--Repeat|03/01/26, 09:00 AM|1|1",
                           "Week 1--Stopped Test--Repeat|02/28/26, 09:00 AM|1|1"}
            << true
            << QStringList{": 2026-03-01 09:00:00 100.00", "Week 1--Stopped Test: 2026-02-28 09:00:00 100.00",
                           "Week--Repeat 2: 2026-03-02 09:00:00 50.00"};
        QTest::newRow("series by name, case ignored first")
            << QStringList{"week 2|03/04/26, 09:00 AM|1|1", "Week 10|03/03/26, 09:00 AM|1|1",
                           "week a|03/02/26, 09:00 AM|1|1", "Week A|03/02/26, 09:00 AM|1|1",
                           "Alpha|03/01/26, 09:00 AM|1|1"}
            << true
            << QStringList{"Alpha: 2026-03-01 09:00:00 100.00", "Week 10: 2026-03-03 09:00:00 100.00",
                           "week 2: 2026-03-04 09:00:00 100.00", "Week A: 2026-03-02 09:00:00 100.00",
                           "week a: 2026-03-02 09:00:00 100.00"};
        QTest::newRow("oldest left whatever the list order")
            << QStringList{"W|01/10/26, 09:00 AM|1|2", "W|12/31/25, 11:59 PM|2|2", "W|01/10/26, 08:59 AM|0|2",
                           "W|01/10/26, 12:00 PM|1|1"}
            << true
            << QStringList{"W: 2025-12-31 23:59:00 100.00; 2026-01-10 08:59:00 0.00; 2026-01-10 09:00:00 50.00; "
                           "2026-01-10 12:00:00 100.00"};
        QTest::newRow("unreadable just after the test before it")
            << QStringList{"W|03/09/26, 02:00 PM|4|4", "V|Time Error|3|4", "W|Invalid DateTime|2|4",
                           "W|03/02/26, 02:00 PM|1|4"}
            << true
            << QStringList{"V: 2026-03-02 14:00:02 75.00 undated",
                           "W: 2026-03-02 14:00:00 25.00; 2026-03-02 14:00:01 50.00 undated; 2026-03-09 14:00:00 100.00"};
        QTest::newRow("unreadable older than every readable one")
            << QStringList{"W|03/02/26, 02:00 PM|3|3", "W||2|3", "W|Time Error|1|3"}
            << true
            << QStringList{"W: 2026-03-02 13:59:58 33.33 undated; 2026-03-02 13:59:59 66.67 undated; "
                           "2026-03-02 14:00:00 100.00"};
        QTest::newRow("no readable date: numbered from the oldest")
            << QStringList{"B|Time Error|1|1", "A--Stopped Test|Time Error|0|5", "B|Invalid DateTime|1|2"}
            << false << QStringList{"A: 2 0.00 stopped undated", "B: 1 50.00 undated; 3 100.00 undated"};
        QTest::newRow("no words, no point")
            << QStringList{"W|03/04/26, 09:00 AM|0|0", "W|Time Error|3|3", "W|03/03/26, 09:00 AM|5|-2",
                           "W|03/02/26, 09:00 AM|1|2", "Z|03/01/26, 09:00 AM|0|0"}
            << true << QStringList{"W: 2026-03-02 09:00:00 50.00; 2026-03-02 09:00:01 100.00 undated"};
        QTest::newRow("no words, not numbered")
            << QStringList{"W|Time Error|1|1", "W|Time Error|0|0", "W|Time Error|1|2"} << false
            << QStringList{"W: 1 50.00 undated; 2 100.00 undated"};
        QTest::newRow("the report's arithmetic")
            << QStringList{"W|03/03/26, 09:00 AM|2|3", "W|03/02/26, 09:00 AM|7|9", "W|03/01/26, 09:00 AM|-1|4"}
            << true
            << QStringList{"W: 2026-03-01 09:00:00 -25.00; 2026-03-02 09:00:00 77.78; 2026-03-03 09:00:00 66.67"};
        QTest::newRow("same minute keeps the order taken")
            << QStringList{"W--Repeat|03/02/26, 09:00 AM|2|2", "W|03/02/26, 09:00 AM|1|2"} << true
            << QStringList{"W: 2026-03-02 09:00:00 50.00; 2026-03-02 09:00:00 100.00"};
        QTest::newRow("empty") << QStringList{} << false << QStringList{};
        QTest::newRow("only empty tests") << QStringList{"W|03/02/26, 09:00 AM|0|0"} << false << QStringList{};
    }
    void build()
    {
        QFETCH(QStringList, history);
        QFETCH(bool, timeAxis);
        QFETCH(QStringList, expected);
        const SProgressChart chart = ProgressData::Build(TestRecords::Grades(history));
        QCOMPARE(describe(chart), expected);
        QCOMPARE(chart.timeAxis, timeAxis);
        QCOMPARE(chart.IsEmpty(), expected.isEmpty());
    }

    // Each point carries its record's fields and the grade the reports show.
    void pointFields()
    {
        const SProgressChart chart = ProgressData::Build(
            TestRecords::Grades({"Week 2--Repeat, Stopped|03/11/26, 09:10 AM|7|9", "Week 2|Time Error|2|3"}));
        QCOMPARE(chart.series.size(), 1);
        QCOMPARE(chart.PointCount(), 2);
        const SProgressPoint& undated = chart.series[0].points[0];
        const SProgressPoint& stopped = chart.series[0].points[1];
        QCOMPARE(undated.listName, QStringLiteral("Week 2"));
        QCOMPARE(undated.dateText, QStringLiteral("Time Error"));
        QCOMPARE(undated.toolTip, QStringLiteral("Week 2\nTime Error\n2 of 3 correct: 67 %"));
        QCOMPARE(stopped.listName, QStringLiteral("Week 2--Repeat, Stopped"));
        QCOMPARE(stopped.correctCount, 7);
        QCOMPARE(stopped.wordCount, 9);
        QCOMPARE(stopped.percent, ReportFormat::GradePercent(7, 9));
        QVERIFY(stopped.stopped && stopped.dated);
        QCOMPARE(stopped.toolTip, QStringLiteral("Week 2--Repeat, Stopped\n03/11/26, 09:10 AM\n7 of 9 correct: 78 %"));
    }

    void toolTip_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("words");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << "Week 3--Repeat" << "03/18/26, 09:20 AM" << 10 << 10
                               << "Week 3--Repeat\n03/18/26, 09:20 AM\n10 of 10 correct: 100 %";
        QTest::newRow("rounded") << "Week 2" << "03/11/26, 09:10 AM" << 7 << 9
                                 << "Week 2\n03/11/26, 09:10 AM\n7 of 9 correct: 78 %";
        QTest::newRow("zero") << "Week 1--Stopped Test" << "Time Error" << 0 << 12
                              << "Week 1--Stopped Test\nTime Error\n0 of 12 correct: 0 %";
        QTest::newRow("large counts") << "Big" << "" << 16777217 << 16777217 << "Big\n\n16777217 of 16777217 correct: 100 %";
    }
    void toolTip()
    {
        QFETCH(QString, list);
        QFETCH(QString, date);
        QFETCH(int, correct);
        QFETCH(int, words);
        QFETCH(QString, expected);
        QCOMPARE(ProgressData::ToolTip(list, date, correct, words), expected);
    }
};

ORTHEX_TEST_MAIN(TestProgressData)
#include "progressdata_test.moc"
