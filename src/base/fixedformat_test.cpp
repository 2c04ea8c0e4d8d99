#include "base/fixedformat.h"
#include "testing/testenvironment.h"

#include <QtTest>

#include <clocale>

// Runs twice from CTest: in the environment's locale and under LC_ALL=de_DE.UTF-8.
class FixedFormatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void germanLocaleIsInEffectWhenAsked()
    {
        if (qgetenv("LC_ALL") != "de_DE.UTF-8")
            return;
        // Qt set the C library's locale from the environment: a plain printf would use a comma.
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    }

    void printf_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("score") << "%3.2f %%" << 100.0 / 3.0 << "33.33 %";
        QTest::newRow("full score") << "%3.2f %%" << 100.0 << "100.00 %";
        QTest::newRow("grade") << "%3.0f %%" << 90.0 << " 90 %";
        QTest::newRow("grade rounds") << "%3.0f %%" << 66.666 << " 67 %";
        QTest::newRow("zero words") << "%3.0f %%" << std::nan("") << "nan %";
    }

    void printf()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FixedFormat::Printf(format.toLatin1().constData(), value), expected);
    }

    void strftime_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("expected");
        QTest::newRow("morning") << 2026 << 12 << 8 << 3 << 10 << "12/08/26, 03:10 AM";
        QTest::newRow("noon") << 2026 << 1 << 2 << 12 << 0 << "01/02/26, 12:00 PM";
        QTest::newRow("midnight") << 1999 << 7 << 31 << 0 << 5 << "07/31/99, 12:05 AM";
        QTest::newRow("evening") << 2030 << 10 << 15 << 23 << 59 << "10/15/30, 11:59 PM";
    }

    void strftime()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, expected);
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month - 1;
        t.tm_mday = day;
        t.tm_hour = hour;
        t.tm_min = minute;
        QCOMPARE(FixedFormat::StrFTime("%x, %I:%M %p", t), expected);
    }
};

ORTHEX_TEST_MAIN(FixedFormatTest)
#include "fixedformat_test.moc"
