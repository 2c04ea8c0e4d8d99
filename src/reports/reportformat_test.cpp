#include "reports/reportformat.h"
#include "testing/testenvironment.h"

#include <QtTest>

// Grades and counts as the page shows them and as they print, in every locale (this test also
// runs under LC_ALL=de_DE.UTF-8).
class CReportFormatTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void grades_data()
    {
        QTest::addColumn<int>("correct");
        QTest::addColumn<int>("words");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("printed");
        QTest::newRow("9 of 10") << 9 << 10 << " 90 %" << " 90%";
        QTest::newRow("2 of 3") << 2 << 3 << " 67 %" << " 67%";
        QTest::newRow("10 of 10") << 10 << 10 << "100 %" << "100%";
        QTest::newRow("7 of 9") << 7 << 9 << " 78 %" << " 78%";
        QTest::newRow("0 of 5") << 0 << 5 << "  0 %" << "  0%";
        QTest::newRow("1 of 8 rounds half to even") << 1 << 8 << " 12 %" << " 12%";
        QTest::newRow("more right than asked") << 12 << 10 << "120 %" << "120%";
        QTest::newRow("negative") << -1 << 4 << "-25 %" << "-25%";
        QTest::newRow("no words") << 3 << 0 << "inf %" << "inf%";
    }
    void grades()
    {
        QFETCH(int, correct);
        QFETCH(int, words);
        QTEST(ReportFormat::PageGrade(correct, words), "page");
        QTEST(ReportFormat::PrintGrade(correct, words), "printed");
    }

    void noWordsNoneRightIsNotANumber()
    {
        QVERIFY(ReportFormat::PageGrade(0, 0).endsWith(QLatin1String("nan %")));
    }

    void counts_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "0";
        QTest::newRow("ten") << 10 << "10";
        QTest::newRow("negative") << -7 << "-7";
        // Beyond 2^24 a single-precision count would lose its last digit, and the row read
        // back into a record would change the stored count.
        QTest::newRow("2^24 + 1") << 16777217 << "16777217";
        QTest::newRow("largest") << 2147483647 << "2147483647";
    }
    void counts()
    {
        QFETCH(int, count);
        QTEST(ReportFormat::Count(count), "text");
    }
};

ORTHEX_TEST_MAIN(CReportFormatTest)
#include "reportformat_test.moc"
