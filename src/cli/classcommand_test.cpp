#include "base/boundedfile.h"
#include "testing/testclass.h"
#include "testing/testcli.h"
#include "testing/testenvironment.h"

#include <QtTest>

class ClassCommandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The class of TestClass::WriteExample, whose pupil dora has a damaged file: every row is
    // printed, and the run fails naming the file. Only the header and the rows go to the output.
    void tables_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("overview") << QStringList{"overview"}
                                  << "User\tTests\tNewest\tAverage\tTrend\tStatus\nAnn\t7\t100.0\t80.0\t+35.0\tok\n"
                                     "Ben\t2\t75.0\t75.0\t\tok\nCleo\t0\t\t\t\tok\ndora\t\t\t\t\tdamaged\n";
        QTest::newRow("overview of a list as CSV, the trend a number, not a formula")
            << QStringList{"--list", "Week 2", "overview", "--format", "csv"}
            << "User,Tests,Newest,Average,Trend,Status\r\nAnn,3,90.0,66.7,,ok\r\nBen,2,75.0,75.0,,ok\r\n"
               "Cleo,0,,,,ok\r\ndora,,,,,damaged\r\n";
        QTest::newRow("words") << QStringList{"words"}
                               << "Word\tPupils\tTimes\nbelieve\t2\t3\nMonday\t1\t1\nreceive\t1\t1\n";
        QTest::newRow("profile as CSV") << QStringList{"profile", "--format", "csv"}
                                        << "Kind,Count,Share,Pupils,Names\r\nie/ei,4,80.0 %,2,\"Ann, Ben\"\r\n"
                                           "capital letters,1,20.0 %,1,Ben\r\n";
    }
    void tables()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const QString folder = TestClass::WriteExample(QStringLiteral("class"));
        const SCliTextRun run = TestCli::Text(TestCli::Run(QStringList{"class", "--folder", folder} + args));
        QCOMPARE(run.out, out);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("dora.sp4 is damaged")), qPrintable(run.err));
    }

    void whole_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("a whole class") << QStringList{"words", "--list", "Week 1"} << 0
                                       << "Word\tPupils\tTimes\nbelieve\t1\t1\nreceive\t1\t1\n" << "";
        QTest::newRow("a cell that would start a formula")
            << QStringList{"words", "--format", "csv", "--list", "=1+1"} << 0 << "Word,Pupils,Times\r\n'=cmd,1,1\r\n"
            << "";
        QTest::newRow("no such folder") << QStringList{"--folder", "/nonexistent/x", "overview"} << 1
                                        << "User\tTests\tNewest\tAverage\tTrend\tStatus\n"
                                        << "the folder does not exist";
        QTest::newRow("no table") << QStringList{"--list", "Week 1"} << 2 << "" << "usage: orthex-cli class";
        QTest::newRow("two tables") << QStringList{"words", "profile"} << 2 << "" << "usage: orthex-cli class";
        QTest::newRow("unknown format") << QStringList{"words", "--format", "xls"} << 2 << "" << "usage: orthex-cli class";
    }
    void whole()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QString folder = TestFiles::InRoot(QStringLiteral("whole"));
        QDir().mkpath(folder);
        TestClass::Write(folder, {{QStringLiteral("Eve"), {}, {QStringLiteral("=1+1|d|=cmd|cmd")}},
                                  {QStringLiteral("Finn"), {}, {QStringLiteral("Week 1|d|believe|beleive"),
                                                                QStringLiteral("Week 1|d|receive|recieve")}}});
        const QStringList folderArgs = args.contains(QStringLiteral("--folder")) ? QStringList() : QStringList{"--folder", folder};
        const SCliTextRun run = TestCli::Text(TestCli::Run(QStringList{"class"} + folderArgs + args));
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
    }

    // Each fault names the file and the user, escaped as in the tables; a result file far too
    // large (sparse: no disk) is refused by its size, unread.
    void faults_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size");  // the size the pupil's grades are made, or 0
        QTest::addColumn<QString>("err");
        QTest::newRow("a name that would drive the terminal")
            << QStringLiteral("a/\x1b[2J") << qint64(0)
            << QStringLiteral("orthex-cli class: a/\\x1b[2J: the user name cannot be a file name\n");
        QTest::newRow("a result file of 3 GB")
            << QStringLiteral("Bob") << (qint64(3) << 30)
            << QStringLiteral("/Bob.sp3 is damaged: %1\n").arg(BoundedFile::TooLargeText(CResultFiles::kMaxFileBytes));
    }
    void faults()
    {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, err);
        const QString folder = TestFiles::InRoot(QStringLiteral("faults"));
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        const QStringList grades = size > 0 ? QStringList{QStringLiteral("Week 1|d|9|10")} : QStringList();
        TestClass::Write(folder, {{name, grades, {}}});
        if (size > 0)
            QVERIFY(QFile(CResultFiles::PathOf(folder, name, EResultKind::Grades)).resize(size));
        const SCliTextRun run = TestCli::Text(TestCli::Run(QStringList{"class", "--folder", folder, "overview"}));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.endsWith(err), qPrintable(run.err));
        QVERIFY(!run.err.contains(QChar(0x1b)));
        QVERIFY2(run.out.endsWith(QStringLiteral("\t\t\t\t\tdamaged\n")), qPrintable(run.out));
    }
};

ORTHEX_TEST_MAIN(ClassCommandTest)
#include "classcommand_test.moc"
