#include "reports/progresschartdlg.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QTest>

#include <memory>

// A picture of the progress chart for the documentation. It goes into ORTHEX_SCREENSHOT_DIR
// (scripts/update-screenshots sets it), else into the test's temporary folder.
class TestProgressScreenshot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void progress()
    {
        QString folder = qEnvironmentVariable("ORTHEX_SCREENSHOT_DIR");
        if (folder.isEmpty())
            folder = CTestEnvironment::Instance().Root() + QStringLiteral("/screenshots");
        QVERIFY(QDir().mkpath(folder));

        // Six weeks of tests, newest first, with a repeat and two stopped tests.
        const struct {
            const char* list;
            const char* date;
            int correct, words;
        } history[] = {
            {"Week 3--Repeat", "04/01/26, 09:20 AM", 10, 10}, {"Week 3", "04/01/26, 09:05 AM", 8, 10},
            {"Week 3--Stopped Test", "03/31/26, 02:40 PM", 2, 6}, {"Week 2--Repeat", "03/25/26, 09:30 AM", 9, 9},
            {"Week 2", "03/25/26, 09:10 AM", 7, 9},        {"Week 1--Repeat", "03/18/26, 09:25 AM", 10, 10},
            {"Week 2", "03/18/26, 09:10 AM", 5, 9},        {"Week 1", "03/11/26, 09:00 AM", 8, 10},
            {"Week 1--Repeat, Stopped", "03/04/26, 09:40 AM", 2, 5}, {"Week 1", "03/04/26, 09:00 AM", 6, 10},
        };
        CRecordList<CGrade> grades;
        for (const auto& h : history) {
            auto grade = std::make_unique<CGrade>();
            grade->SetListName(QString::fromLatin1(h.list));
            grade->SetDateText(QString::fromLatin1(h.date));
            grade->SetCorrectCount(h.correct);
            grade->SetWordCount(h.words);
            grades.AddTail(std::move(grade));
        }

        CProgressChartDlg dialog(grades, QStringLiteral("Emma"));
        dialog.resize(820, 560);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCoreApplication::processEvents();
        const QImage image = dialog.grab().toImage();
        QVERIFY(!image.isNull());
        const QString path = QDir(folder).filePath(QStringLiteral("progress.png"));
        QVERIFY(image.save(path, "PNG"));
        QVERIFY(QFileInfo(path).size() > 0);
    }
};

ORTHEX_TEST_MAIN(TestProgressScreenshot)
#include "progressscreenshot_test.moc"
