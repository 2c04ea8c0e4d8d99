#include "testtaking/testdatetext.h"
#include "testing/testenvironment.h"

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <limits>

class TestDateTextTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Local time is the time zone's: fix it, so the expected texts hold everywhere.
        qputenv("TZ", "UTC");
        tzset();
    }

    void format_data()
    {
        QTest::addColumn<qint64>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("early morning") << qint64(1796699400) << QStringLiteral("12/08/26, 03:10 AM");
        QTest::newRow("midnight is 12 AM") << qint64(1767225600) << QStringLiteral("01/01/26, 12:00 AM");
        QTest::newRow("noon is 12 PM") << qint64(1783166400) << QStringLiteral("07/04/26, 12:00 PM");
        QTest::newRow("last minute of a century") << qint64(946684740) << QStringLiteral("12/31/99, 11:59 PM");
        QTest::newRow("start of the epoch") << qint64(0) << QStringLiteral("01/01/70, 12:00 AM");
        QTest::newRow("past 32-bit seconds") << qint64(2147483640) + 86400 << QStringLiteral("01/20/38, 03:14 AM");
    }

    void format()
    {
        QFETCH(qint64, time);
        QFETCH(QString, text);
        QCOMPARE(TestDateText::Format(std::time_t(time)), text);
    }

    void otherTimeZone()
    {
        qputenv("TZ", "EST5");
        tzset();
        const QString text = TestDateText::Format(std::time_t(1796699400));
        qputenv("TZ", "UTC");
        tzset();
        QCOMPARE(text, QStringLiteral("12/07/26, 10:10 PM"));
    }

    void timeThatCannotBeConverted()
    {
        QCOMPARE(TestDateText::Format(std::numeric_limits<std::time_t>::max()), QStringLiteral("Invalid DateTime"));
    }

    // The C library in a locale that writes dates otherwise (as the application object sets it
    // from LC_ALL=de_DE.UTF-8, the environment of testdatetext_test_de).
    void userLocaleIsNotUsed()
    {
        const QByteArray previous = std::setlocale(LC_ALL, nullptr);
        const bool german = QByteArray(std::setlocale(LC_TIME, nullptr)).startsWith("de_DE")
                            || std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        if (!german)
            QSKIP("the locale de_DE.UTF-8 is not installed (package locales-all)");
        std::tm local{};
        const std::time_t time = 1796699400;
        localtime_r(&time, &local);
        char buffer[64];
        const size_t n = std::strftime(buffer, sizeof buffer, "%x, %I:%M %p", &local);
        const QByteArray inUserLocale(buffer, qsizetype(n));
        const QString text = TestDateText::Format(time);
        std::setlocale(LC_ALL, previous.constData());
        QCOMPARE(inUserLocale, QByteArray("08.12.2026, 03:10 "));
        QCOMPARE(text, QStringLiteral("12/08/26, 03:10 AM"));
    }
};

ORTHEX_TEST_MAIN(TestDateTextTest)
#include "testdatetext_test.moc"
