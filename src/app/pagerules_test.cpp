#include "app/pagerules.h"
#include "testing/testenvironment.h"

#include <QtTest>

namespace {
CPageState state(bool testRunning, bool listOpen, const QString& user, const QString& creator, int words)
{
    CPageState s;
    s.testRunning = testRunning;
    s.listOpen = listOpen;
    s.currentUser = user;
    s.createdBy = creator;
    s.wordCount = words;
    return s;
}
}  // namespace

class PageRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enabling_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("testRunning");
        QTest::addColumn<bool>("listOpen");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("creator");
        QTest::addColumn<int>("words");
        // Expected: Start, Words, Test, Reports, Options, Exit.
        QTest::addColumn<QString>("expected");

        const QString anna = QStringLiteral("anna");
        QTest::newRow("start page, nothing open, nobody")
            << 1 << false << false << QString() << QString() << 0 << QStringLiteral("----++");
        QTest::newRow("start page, own list with words")
            << 1 << false << true << anna << anna << 3 << QStringLiteral("-+++++");
        QTest::newRow("test running on the test page")
            << 3 << true << true << anna << anna << 3 << QStringLiteral("------");
        QTest::newRow("nobody logged in: no reports")
            << 1 << false << true << QString() << QString() << 2 << QStringLiteral("-++-++");
        QTest::newRow("list made by another user: no words page")
            << 1 << false << true << anna << QStringLiteral("bob") << 2 << QStringLiteral("--+++");
        QTest::newRow("creator compared with case")
            << 1 << false << true << anna << QStringLiteral("Anna") << 2 << QStringLiteral("--+++");
        QTest::newRow("creator empty: anybody edits, nobody logged in too")
            << 1 << false << true << QString() << QString() << 1 << QStringLiteral("-++-++");
        QTest::newRow("empty list: no test")
            << 1 << false << true << anna << anna << 0 << QStringLiteral("-+-+++");
        QTest::newRow("list closed with stale creator: no words page")
            << 1 << false << false << anna << QString() << 0 << QStringLiteral("---+++");
        QTest::newRow("current page is disabled: options")
            << 5 << false << true << anna << anna << 1 << QStringLiteral("++++-+");
        QTest::newRow("current page is disabled: words")
            << 2 << false << true << anna << anna << 1 << QStringLiteral("+-+++");
    }

    void enabling()
    {
        QFETCH(int, current);
        QFETCH(bool, testRunning);
        QFETCH(bool, listOpen);
        QFETCH(QString, user);
        QFETCH(QString, creator);
        QFETCH(int, words);
        QFETCH(QString, expected);
        const CPageState s = state(testRunning, listOpen, user, creator, words);
        QString actual;
        for (int page = 1; page <= 5; ++page)
            actual += PageRules::IsEnabled(PageCommand(page), PageCommand(current), s) ? '+' : '-';
        actual += PageRules::IsExitEnabled(s) ? '+' : '-';
        // Rows may leave Exit out when it follows from testRunning.
        QCOMPARE(actual.left(expected.size()), expected);
        QCOMPARE(PageRules::IsExitEnabled(s), !testRunning);
        QCOMPARE(PageRules::AreDocumentCommandsEnabled(s), !testRunning);
    }
};

ORTHEX_TEST_MAIN(PageRulesTest)
#include "pagerules_test.moc"
