#include "app/commandline.h"
#include "testing/testenvironment.h"

#include <QtTest>

Q_DECLARE_METATYPE(CCommandLine::Action)

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        using A = CCommandLine::Action;
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<A>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("printer");

        QTest::newRow("nothing") << QStringList() << A::New << QString() << QString();
        QTest::newRow("open a path starting with /")
            << QStringList{QStringLiteral("/home/anna/week1.orthex")} << A::Open
            << QStringLiteral("/home/anna/week1.orthex") << QString();
        QTest::newRow("open relative") << QStringList{QStringLiteral("week1.orthex")} << A::Open
                                       << QStringLiteral("week1.orthex") << QString();
        QTest::newRow("/p") << QStringList{QStringLiteral("/p"), QStringLiteral("/l/w.orthex")} << A::Print
                            << QStringLiteral("/l/w.orthex") << QString();
        QTest::newRow("-p after the file")
            << QStringList{QStringLiteral("/l/w.orthex"), QStringLiteral("-p")} << A::Print
            << QStringLiteral("/l/w.orthex") << QString();
        QTest::newRow("/P in capitals") << QStringList{QStringLiteral("/P"), QStringLiteral("w.orthex")}
                                        << A::Print << QStringLiteral("w.orthex") << QString();
        QTest::newRow("/pt with printer")
            << QStringList{QStringLiteral("/pt"), QStringLiteral("/l/w.orthex"), QStringLiteral("Office")}
            << A::PrintTo << QStringLiteral("/l/w.orthex") << QStringLiteral("Office");
        QTest::newRow("-pt without printer")
            << QStringList{QStringLiteral("-pt"), QStringLiteral("w.orthex")} << A::PrintTo
            << QStringLiteral("w.orthex") << QString();
        QTest::newRow("/p without file") << QStringList{QStringLiteral("/p")} << A::Print << QString() << QString();
        QTest::newRow("a folder named /pt... is a path")
            << QStringList{QStringLiteral("/ptx/w.orthex")} << A::Open << QStringLiteral("/ptx/w.orthex") << QString();
        QTest::newRow("unknown dash options ignored")
            << QStringList{QStringLiteral("--verbose"), QStringLiteral("w.orthex")} << A::Open
            << QStringLiteral("w.orthex") << QString();
        QTest::newRow("after -- everything is a file")
            << QStringList{QStringLiteral("--"), QStringLiteral("-p")} << A::Open << QStringLiteral("-p") << QString();
        QTest::newRow("first file wins")
            << QStringList{QStringLiteral("a.orthex"), QStringLiteral("b.orthex")} << A::Open
            << QStringLiteral("a.orthex") << QString();
    }

    void parse()
    {
        QFETCH(QStringList, args);
        const CCommandLine line = CCommandLine::Parse(args);
        QTEST(line.action, "action");
        QTEST(line.file, "file");
        QTEST(line.printer, "printer");
    }
};

ORTHEX_TEST_MAIN(CommandLineTest)
#include "commandline_test.moc"
