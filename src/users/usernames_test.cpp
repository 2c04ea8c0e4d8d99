#include "users/usernames.h"
#include "testing/testenvironment.h"

#include <QtTest>

class UserNamesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << QStringLiteral("Anna") << true;
        QTest::newRow("spaces and dots inside") << QStringLiteral("Anna B. Smith") << true;
        QTest::newRow("accents") << QStringLiteral("Jos\u00e9 \u0141uk") << true;
        QTest::newRow("25 characters") << QString(25, QLatin1Char('x')) << true;
        QTest::newRow("26 characters") << QString(26, QLatin1Char('x')) << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("dot") << QStringLiteral(".") << false;
        QTest::newRow("dot dot") << QStringLiteral("..") << false;
        QTest::newRow("three dots") << QStringLiteral("...") << true;
        QTest::newRow("leading dot") << QStringLiteral(".anna") << true;
        for (const char c : QByteArray("\\/:*?\"<>|"))
            QTest::addRow("holds %c", c) << QStringLiteral("an%1na").arg(QLatin1Char(c)) << false;
        QTest::newRow("tab") << QStringLiteral("an\tna") << false;
        QTest::newRow("newline") << QStringLiteral("anna\n") << false;
        QTest::newRow("zero") << QString(QChar(0)) + QStringLiteral("a") << false;
        QTest::newRow("delete") << QStringLiteral("a\x7f") << false;
        QTest::newRow("C1 control") << QStringLiteral("a\u0085") << false;
    }
    void newNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(UserNames::IsValidNewName(name), valid);
    }
};

ORTHEX_TEST_MAIN(UserNamesTest)
#include "usernames_test.moc"
