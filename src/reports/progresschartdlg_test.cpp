#include "reports/progresschart.h"
#include "reports/progresschartdlg.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testrecords.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QDateTimeAxis>
#include <QDir>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QValueAxis>

#include <memory>

namespace {

const QStringList kHistory = {
    "Week 3--Repeat|03/18/26, 09:20 AM|10|10", "Week 3|03/18/26, 09:05 AM|9|10",
    "Week 2|03/11/26, 09:10 AM|7|9",           "Week 2--Stopped Test|03/10/26, 02:40 PM|2|3",
    "Week 1|03/04/26, 09:00 AM|8|10",
};

QList<QPointF> pointsOf(const SProgressSeries& series, int stopped)
{
    QList<QPointF> points;
    for (const SProgressPoint& p : series.points) {
        if (stopped < 0 || p.stopped == bool(stopped))
            points.append(QPointF(p.x, p.percent));
    }
    return points;
}

QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestProgressChartDlg : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        CProgressChartDlg::SetSaveFileNameFunction({});
        CProgressChartDlg::SetPrintFunction({});
    }

    // The chart draws, for every list, a line through all its tests, filled points for the
    // finished ones and hollow points for the stopped ones, at the places the data gives.
    void series_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<int>>("finished");
        QTest::addColumn<QList<int>>("stopped");
        QTest::newRow("three lists") << kHistory << QStringList{"Week 1", "Week 2", "Week 3"} << QList<int>{1, 1, 2}
                                     << QList<int>{0, 1, 0};
        QTest::newRow("only stopped")
            << QStringList{"A--Repeat, Stopped|03/02/26, 09:00 AM|1|2", "A--Stopped Test|03/01/26, 09:00 AM|0|2"}
            << QStringList{"A"} << QList<int>{0} << QList<int>{2};
        QTest::newRow("no dates") << QStringList{"B|Time Error|1|2", "A|Time Error|2|2", "A|Invalid DateTime|0|0"}
                                  << QStringList{"A", "B"} << QList<int>{1, 1} << QList<int>{0, 0};
    }
    void series()
    {
        QFETCH(QStringList, history);
        QFETCH(QStringList, names);
        QFETCH(QList<int>, finished);
        QFETCH(QList<int>, stopped);
        CProgressChartDlg dialog(TestRecords::Grades(history), QStringLiteral("Emma"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const CProgressChart& chart = *dialog.Chart();
        QCOMPARE(dialog.ChartView()->chart(), dialog.Chart());

        const QList<CProgressChart::SListSeries>& lists = chart.ListSeries();
        QCOMPARE(lists.size(), names.size());
        QCOMPARE(chart.Data().series.size(), names.size());
        int drawn = 0;
        for (int i = 0; i < names.size(); ++i) {
            const SProgressSeries& data = chart.Data().series[i];
            const CProgressChart::SListSeries& items = lists[i];
            QCOMPARE(data.name, names[i]);
            QVERIFY(items.line);
            QCOMPARE(items.line->name(), names[i]);
            QCOMPARE(items.line->points(), pointsOf(data, -1));
            ++drawn;
            for (const auto& [series, count, flag] : {std::tuple{items.finished, finished[i], 0},
                                                      std::tuple{items.stopped, stopped[i], 1}}) {
                QCOMPARE(series != nullptr, count > 0);
                if (!series)
                    continue;
                ++drawn;
                QCOMPARE(series->count(), count);
                QCOMPARE(series->points(), pointsOf(data, flag));
                QVERIFY(chart.series().contains(series));
                QCOMPARE(series->attachedAxes().size(), 2);
            }
        }
        QCOMPARE(chart.series().size(), drawn);

        // The legend names each list once.
        QStringList legend;
        for (QLegendMarker* marker : chart.legend()->markers()) {
            if (marker->isVisible())
                legend << marker->label();
        }
        QCOMPARE(legend, names);
    }

    void hollowPoints()
    {
        CProgressChartDlg dialog(TestRecords::Grades(kHistory), QStringLiteral("Emma"));
        const CProgressChart::SListSeries& week2 = dialog.Chart()->ListSeries().at(1);
        QVERIFY(week2.finished && week2.stopped);
        const QColor color = week2.line->color();
        QCOMPARE(week2.finished->color(), color);
        QCOMPARE(week2.stopped->pen().color(), color);
        QCOMPARE(week2.stopped->brush().color(), QColor(Qt::white));
        QVERIFY(week2.stopped->brush().color() != color);

        // Each list its own colour.
        QSet<QRgb> colors;
        for (const CProgressChart::SListSeries& list : dialog.Chart()->ListSeries())
            colors.insert(list.line->color().rgb());
        QCOMPARE(colors.size(), 3);
    }

    void axes_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<bool>("timeAxis");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("dated") << kHistory << true << 0.0 << 100.0;
        QTest::newRow("undated") << QStringList{"A|Time Error|1|2", "A|Time Error|2|2", "B|Time Error|0|1"} << false
                                 << 0.0 << 100.0;
        QTest::newRow("more right than words") << QStringList{"A|03/01/26, 09:00 AM|12|10"} << true << 0.0 << 120.0;
        QTest::newRow("negative count") << QStringList{"A|Time Error|-1|4"} << false << -30.0 << 100.0;
    }
    void axes()
    {
        QFETCH(QStringList, history);
        QFETCH(bool, timeAxis);
        QFETCH(double, low);
        QFETCH(double, high);
        CProgressChartDlg dialog(TestRecords::Grades(history), QString());
        const CProgressChart& chart = *dialog.Chart();
        // Whole tens, and a little room so that no point is cut at the edge.
        QVERIFY(chart.YAxis()->min() < low && chart.YAxis()->min() > low - 10);
        QVERIFY(chart.YAxis()->max() > high && chart.YAxis()->max() < high + 10);

        double minX = 1e300, maxX = -1e300;
        for (const SProgressSeries& s : chart.Data().series) {
            for (const SProgressPoint& p : s.points) {
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
            }
        }
        if (timeAxis) {
            auto* axis = qobject_cast<QDateTimeAxis*>(chart.XAxis());
            QVERIFY(axis);
            QVERIFY(double(axis->min().toMSecsSinceEpoch()) < minX);
            QVERIFY(double(axis->max().toMSecsSinceEpoch()) > maxX);
        } else {
            auto* axis = qobject_cast<QCategoryAxis*>(chart.XAxis());
            QVERIFY(axis);
            QVERIFY(axis->min() < minX && axis->max() > maxX);
            QCOMPARE(axis->categoriesLabels().first(), QStringLiteral("1"));
        }
    }

    // A long undated history is numbered without crowding the axis.
    void numberedAxisLabels()
    {
        QStringList history;
        for (int i = 0; i < 100; ++i)
            history << QStringLiteral("A|Time Error|1|2");
        CProgressChartDlg dialog(TestRecords::Grades(history), QString());
        auto* axis = qobject_cast<QCategoryAxis*>(dialog.Chart()->XAxis());
        QVERIFY(axis);
        QVERIFY(axis->count() <= 15);
        QCOMPARE(axis->max(), 100.5);
    }

    void toolTips_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<QString>("expected");
        QTest::newRow("finished") << QStringList{"Week 2|03/11/26, 09:10 AM|7|9"} << false
                                  << "Week 2\n03/11/26, 09:10 AM\n7 of 9 correct: 78 %";
        QTest::newRow("stopped") << QStringList{"Week 2--Repeat, Stopped|Time Error|1|3"} << true
                                 << "Week 2--Repeat, Stopped\nTime Error\n1 of 3 correct: 33 %";
        QTest::newRow("two on one spot")
            << QStringList{"W--Repeat|03/02/26, 09:00 AM|2|2", "W|03/02/26, 09:00 AM|4|4"} << false
            << "W\n03/02/26, 09:00 AM\n4 of 4 correct: 100 %\n\nW--Repeat\n03/02/26, 09:00 AM\n2 of 2 correct: 100 %";
    }
    void toolTips()
    {
        QFETCH(QStringList, history);
        QFETCH(bool, stopped);
        QFETCH(QString, expected);
        CProgressChartDlg dialog(TestRecords::Grades(history), QStringLiteral("Emma"));
        CProgressChart& chart = *dialog.Chart();
        QScatterSeries* series = stopped ? chart.ListSeries().at(0).stopped : chart.ListSeries().at(0).finished;
        QVERIFY(series);
        QSignalSpy spy(&chart, &CProgressChart::PointHovered);
        Q_EMIT series->hovered(series->at(0), true);
        Q_EMIT series->hovered(series->at(0), false);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), expected);
        QCOMPARE(spy.at(0).at(1).toBool(), true);
        QCOMPARE(spy.at(1).at(1).toBool(), false);
        QCOMPARE(chart.ToolTipAt(series, QPointF(-1, -1)), QString());
        QCOMPARE(chart.ToolTipAt(chart.ListSeries().at(0).line, series->at(0)), QString());
    }

    void hasData_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<bool>("expected");
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("only empty tests") << QStringList{"A|03/01/26, 09:00 AM|0|0", "A|Time Error|3|-1"} << false;
        QTest::newRow("an undated test") << QStringList{"A|03/01/26, 09:00 AM|0|0", "A|Time Error|0|1"} << true;
    }
    void hasData()
    {
        QFETCH(QStringList, history);
        QFETCH(bool, expected);
        const CRecordList<CGrade> list = TestRecords::Grades(history);
        QCOMPARE(CProgressChartDlg::HasData(list), expected);
        QCOMPARE(CProgressChartDlg::HasData(list), !ProgressData::Build(list).IsEmpty());

        CRecordingMessageSink sink;
        QWidget parent;
        CProgressChartDlg* dialog = CProgressChartDlg::Open(list, QStringLiteral("Emma"), &parent);
        QCOMPARE(dialog != nullptr, expected);
        if (expected) {
            QVERIFY(dialog->isVisible());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Progress -- Emma"));
            QCOMPARE(dialog->Chart()->title(), QStringLiteral("Progress -- Emma"));
            QVERIFY(sink.Texts().isEmpty());
            QPointer<CProgressChartDlg> watch(dialog);
            dialog->CloseButton()->click();
            QTRY_VERIFY(watch.isNull());  // deleted once closed
        } else {
            QCOMPARE(sink.Texts(), QStringList{"No data."});
            QCOMPARE(sink.Entries().at(0).icon, MessageIcon::Exclamation);
        }
    }

    void suggestedFileName_data()
    {
        QTest::addColumn<QString>("pupil");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name") << "Emma" << "Emma progress.png";
        QTest::newRow("separators") << "a/b\\c:d" << "a_b_c_d progress.png";
        QTest::newRow("nobody") << "" << "Progress.png";
    }
    void suggestedFileName()
    {
        QFETCH(QString, pupil);
        QFETCH(QString, expected);
        CProgressChartDlg dialog(TestRecords::Grades(kHistory), pupil);
        QCOMPARE(dialog.SuggestedFileName(), QDir(CTestEnvironment::Instance().Documents()).filePath(expected));
    }

    void saveImage_data()
    {
        QTest::addColumn<QString>("answer");  // relative to a fresh folder; empty: cancelled
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("fails");
        QTest::newRow("png") << "chart.png" << "chart.png" << false;
        QTest::newRow("no extension") << "chart" << "chart.png" << false;
        QTest::newRow("other extension kept") << "chart.img" << "chart.img" << false;
        QTest::newRow("cancelled") << "" << "" << false;
        QTest::newRow("no such folder") << "missing/chart.png" << "" << true;
    }
    void saveImage()
    {
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(bool, fails);
        QTemporaryDir folder(CTestEnvironment::Instance().Root() + QStringLiteral("/save-XXXXXX"));
        QVERIFY(folder.isValid());
        CRecordingMessageSink sink;
        CProgressChartDlg dialog(TestRecords::Grades(kHistory), QStringLiteral("Emma"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QString suggested;
        QWidget* asker = nullptr;
        CProgressChartDlg::SetSaveFileNameFunction([&](QWidget* parent, const QString& start) {
            suggested = start;
            asker = parent;
            return answer.isEmpty() ? QString() : folder.filePath(answer);
        });
        dialog.SaveImageButton()->click();
        QCOMPARE(suggested, dialog.SuggestedFileName());
        QCOMPARE(asker, &dialog);

        if (fails) {
            const QString path = QDir::toNativeSeparators(folder.filePath(answer));
            QCOMPARE(sink.Texts(), QStringList{QStringLiteral("Orthex could not save the chart as %1.").arg(path)});
            QCOMPARE(sink.Entries().at(0).icon, MessageIcon::Stop);
        } else {
            QVERIFY(sink.Texts().isEmpty());
        }
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        QCOMPARE(files, written.isEmpty() ? QStringList{} : QStringList{written});
        if (!written.isEmpty()) {
            QImage image;
            QVERIFY(image.load(folder.filePath(written), "PNG"));
            QCOMPARE(image.size(), dialog.ChartView()->size() * dialog.ChartView()->devicePixelRatio());
            // Not a blank picture: the lines and points are in it.
            QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).isValid());
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 0; x < image.width(); x += 4)
                    colours.insert(image.pixel(x, y));
            QVERIFY(colours.size() > 10);
        }
    }

    void print()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are not installed, so the printed chart cannot be read back");
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/progress.pdf");
        CRecordingMessageSink sink;
        CProgressChartDlg dialog(TestRecords::Grades(kHistory), QStringLiteral("Emma"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        QString docName;
        bool printed = false;
        CProgressChartDlg::SetPrintFunction([&](QWidget*, const QString& name, const std::function<bool(QPrinter&)>& job) {
            docName = name;
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageOrientation(QPageLayout::Landscape);
            printed = job(printer);
        });
        dialog.PrintButton()->click();
        QVERIFY(printed);
        QVERIFY(sink.Texts().isEmpty());
        QCOMPARE(docName, QStringLiteral("Progress -- Emma"));

        QVERIFY(runTool(QStringLiteral("pdfinfo"), {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
        const QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const char* expected : {"Progress -- Emma", "Week 1", "Week 2", "Week 3", "Grade (%)", "Date", "100"})
            QVERIFY2(text.contains(QLatin1String(expected)), expected);
    }

    void printFails()
    {
        CRecordingMessageSink sink;
        CProgressChartDlg dialog(TestRecords::Grades(kHistory), QStringLiteral("Emma"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = CTestEnvironment::Instance().Root() + QStringLiteral("/missing/progress.pdf");
        printer.setOutputFileName(pdf);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
        QVERIFY(!dialog.PrintChart(printer));
        QCOMPARE(sink.Texts(),
                 QStringList{QStringLiteral("Orthex could not print the chart on %1.").arg(QDir::toNativeSeparators(pdf))});
    }

    void buttons()
    {
        CProgressChartDlg dialog(TestRecords::Grades(kHistory), QStringLiteral("Emma"));
        for (QPushButton* button : {dialog.SaveImageButton(), dialog.PrintButton(), dialog.CloseButton()})
            QCOMPARE(button->accessibleName(), button->text());
        QCOMPARE(dialog.SaveImageButton()->text(), QStringLiteral("Save Image..."));
        QCOMPARE(dialog.PrintButton()->text(), QStringLiteral("Print..."));
        QCOMPARE(dialog.CloseButton()->text(), QStringLiteral("Close"));
        QVERIFY(!dialog.ChartView()->accessibleName().isEmpty());
    }
};

ORTHEX_TEST_MAIN(TestProgressChartDlg)
#include "progresschartdlg_test.moc"
