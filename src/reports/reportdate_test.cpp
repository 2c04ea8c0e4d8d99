#include "reports/reportdate.h"
#include "testing/testenvironment.h"

#include <QTest>

class TestReportDate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const auto at = [](int y, int mo, int d, int h, int mi) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi));
        };
        QTest::newRow("afternoon") << "12/08/26, 03:10 PM" << at(2026, 12, 8, 15, 10);
        QTest::newRow("morning") << "01/02/03, 09:05 AM" << at(2003, 1, 2, 9, 5);
        QTest::newRow("midnight") << "07/04/99, 12:00 AM" << at(2099, 7, 4, 0, 0);
        QTest::newRow("noon") << "07/04/00, 12:30 PM" << at(2000, 7, 4, 12, 30);
        QTest::newRow("invalid datetime") << "Invalid DateTime" << QDateTime();
        QTest::newRow("time error") << "Time Error" << QDateTime();
        QTest::newRow("empty") << "" << QDateTime();
        QTest::newRow("no such day") << "02/30/26, 01:00 PM" << QDateTime();
        QTest::newRow("four-digit year") << "12/08/2026, 03:10 PM" << QDateTime();
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<QDateTime> read = ReportDate::Parse(text);
        QCOMPARE(read.has_value(), expected.isValid());
        if (read)
            QCOMPARE(*read, expected);
    }

    void isOlder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("older");
        QTest::newRow("earlier year") << "12/31/25, 11:59 PM" << "01/01/26, 12:00 AM" << true;
        QTest::newRow("later") << "01/01/26, 12:01 AM" << "01/01/26, 12:00 AM" << false;
        QTest::newRow("equal") << "01/01/26, 12:00 AM" << "01/01/26, 12:00 AM" << false;
        QTest::newRow("unreadable first") << "Time Error" << "01/01/00, 12:00 AM" << true;
        QTest::newRow("unreadable second") << "01/01/00, 12:00 AM" << "Time Error" << false;
        QTest::newRow("both unreadable") << "Time Error" << "Invalid DateTime" << false;
    }
    void isOlder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, older);
        QCOMPARE(ReportDate::IsOlder(a, b), older);
    }
};

ORTHEX_TEST_MAIN(TestReportDate)
#include "reportdate_test.moc"
