#include "app/startpagetext.h"
#include "testing/testenvironment.h"

#include <QtTest>

class StartPageTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("creator");
        QTest::addColumn<int>("words");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("takeTest");
        QTest::addColumn<bool>("edit");

        const QString restriction =
            QStringLiteral("\r\n\r\nYou can only take a test with this list as the current user.");
        QTest::newRow("nobody, no list")
            << QString() << false << QString() << 0
            << QStringLiteral("Welcome, no user logged in.\r\nTest data will not be saved.") << false << false;
        QTest::newRow("user, no list")
            << QStringLiteral("anna") << false << QString() << 0
            << QStringLiteral("Welcome anna.\r\nTest data will be saved.") << false << false;
        QTest::newRow("unknown creator, nobody logged in")
            << QString() << true << QString() << 2
            << QStringLiteral("Welcome, no user logged in.\r\nTest data will not be saved.\r\n\r\n"
                              "Spelling list week1.orthex opened.\r\nCreated by an unknown user.")
            << true << true;
        QTest::newRow("list by another user")
            << QStringLiteral("anna") << true << QStringLiteral("bob") << 2
            << QStringLiteral("Welcome anna.\r\nTest data will be saved.\r\n\r\n"
                              "Spelling list week1.orthex opened.\r\nCreated by bob.")
                   + restriction
            << true << false;
        QTest::newRow("own list, empty")
            << QStringLiteral("anna") << true << QStringLiteral("anna") << 0
            << QStringLiteral("Welcome anna.\r\nTest data will be saved.\r\n\r\n"
                              "Spelling list week1.orthex opened.\r\nCreated by anna.")
            << false << true;
        QTest::newRow("nobody, list by a user")
            << QString() << true << QStringLiteral("bob") << 1
            << QStringLiteral("Welcome, no user logged in.\r\nTest data will not be saved.\r\n\r\n"
                              "Spelling list week1.orthex opened.\r\nCreated by bob.")
                   + restriction
            << true << false;
        QTest::newRow("names differ only in case")
            << QStringLiteral("Bob") << true << QStringLiteral("bob") << 1
            << QStringLiteral("Welcome Bob.\r\nTest data will be saved.\r\n\r\n"
                              "Spelling list week1.orthex opened.\r\nCreated by bob.")
                   + restriction
            << true << false;
    }

    void text()
    {
        QFETCH(QString, user);
        QFETCH(bool, open);
        QFETCH(QString, creator);
        QFETCH(int, words);
        CStartPageInput input;
        input.currentUser = user;
        input.databaseOpen = open;
        input.listOpen = open;
        input.createdBy = creator;
        input.title = QStringLiteral("week1.orthex");
        input.wordCount = words;
        const CStartPageState state = StartPage::Build(input);
        QTEST(state.text, "text");
        QTEST(state.takeTestEnabled, "takeTest");
        QTEST(state.editListEnabled, "edit");
    }

    void displayShowsLineBreaks()
    {
        QCOMPARE(StartPage::DisplayText(QStringLiteral("a.\r\nb\r\n\r\nc")), QStringLiteral("a.\nb\n\nc"));
    }
};

ORTHEX_TEST_MAIN(StartPageTextTest)
#include "startpagetext_test.moc"
