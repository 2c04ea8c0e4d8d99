#include "reports/classresults.h"
#include "reports/classtables.h"
#include "testing/testclass.h"
#include "testing/testfiles.h"
#include "testing/testsupport.h"

#include <QProcess>
#include <QTest>

namespace {

QStringList joined(const QList<QStringList>& rows)
{
    QStringList lines;
    for (const QStringList& row : rows)
        lines.append(row.join(QLatin1Char('|')));
    return lines;
}

}  // namespace

class TestClassResults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tables_data()
    {
        QTest::addColumn<ClassTables::ETable>("table");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("rows");
        using T = ClassTables::ETable;
        QTest::newRow("overview") << T::Overview << QString()
                                  << QStringList{"Ann|7|100.0|80.0|+35.0|ok", "Ben|2|75.0|75.0||ok", "Cleo|0||||ok",
                                                 "dora|||||damaged"};
        QTest::newRow("overview of one list: its repeated and stopped tests too")
            << T::Overview << QStringLiteral("Week 1")
            << QStringList{"Ann|4|100.0|72.5||ok", "Ben|0||||ok", "Cleo|0||||ok", "dora|||||damaged"};
        QTest::newRow("words") << T::Words << QString()
                               << QStringList{"believe|2|3", "Monday|1|1", "receive|1|1"};
        QTest::newRow("words of one list") << T::Words << QStringLiteral("Week 2")
                                           << QStringList{"believe|2|2", "Monday|1|1"};
        QTest::newRow("profile") << T::Profile << QString()
                                 << QStringList{"ie/ei|4|80.0 %|2|Ann, Ben", "capital letters|1|20.0 %|1|Ben"};
        QTest::newRow("profile of one list") << T::Profile << QStringLiteral("Week 1")
                                             << QStringList{"ie/ei|2|100.0 %|1|Ann"};
        QTest::newRow("a list nobody took") << T::Words << QStringLiteral("Week 9") << QStringList();
    }
    void tables()
    {
        QFETCH(ClassTables::ETable, table);
        QFETCH(QString, list);
        QFETCH(QStringList, rows);
        CClassResults results;
        QVERIFY(results.Read(TestClass::WriteExample(QStringLiteral("class"))));
        QVERIFY(results.AnyDamaged());
        QCOMPARE(results.Faults().size(), 1);
        QVERIFY2(results.Faults().constFirst().contains(QStringLiteral("dora.sp4 is damaged")),
                 qPrintable(results.Faults().constFirst()));
        QCOMPARE(results.ListNames(), (QStringList{"Week 1", "Week 2"}));
        QCOMPARE(joined(ClassTables::Rows(table, results, list)), rows);
        QCOMPARE(ClassTables::Header(table).size(), ClassTables::Rows(table, results, list).value(0, ClassTables::Header(table)).size());
    }

    // Another copy of Orthex holding the user information file (a log-in dialog open) or a
    // pupil's result file changes nothing, and the reading takes neither away from it.
    void heldFiles_data()
    {
        QTest::addColumn<QStringList>("helperArguments");
        QTest::newRow("user information file") << QStringList{"holdusers", "%1", "-1"};
        QTest::newRow("a pupil's grades") << QStringList{"lock", "%1/Ann.sp3"};
    }
    void heldFiles()
    {
        QFETCH(QStringList, helperArguments);
        const QString folder = TestClass::WriteExample(QStringLiteral("held"));
        CClassResults unheld;
        unheld.Read(folder);
        const QByteArray before = TestFiles::Read(CUserFile::PathIn(folder));
        helperArguments.replaceInStrings(QStringLiteral("%1"), QDir(folder).absolutePath());
        QProcess helper;
        helper.start(QStringLiteral(ORTHEX_USERS_HELPER), helperArguments);
        QVERIFY(helper.waitForReadyRead(20000));
        QCOMPARE(helper.readLine().trimmed(), QByteArray("locked"));

        CClassResults held;
        QVERIFY(held.Read(folder));
        QCOMPARE(joined(ClassTables::OverviewRows(held)), joined(ClassTables::OverviewRows(unheld)));
        QCOMPARE(joined(ClassTables::WordRows(held)), joined(ClassTables::WordRows(unheld)));

        helper.write("release\n");
        helper.closeWriteChannel();
        QVERIFY(helper.waitForFinished(20000));
        QCOMPARE(helper.exitCode(), 0);
        QCOMPARE(TestFiles::Read(CUserFile::PathIn(folder)), before);
        // Nothing was renamed, kept aside or added.
        QCOMPARE(TestFiles::FilesIn(folder),
                 (QStringList{"Ann.sp3", "Ann.sp4", "Ann.sp5", "Ben.sp3", "Ben.sp4", "Ben.sp5", "dora.sp3", "dora.sp4",
                              "dora.sp5", "Orthex.lgn"}));
    }

    void folderFaults_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("users");
        QTest::newRow("no folder") << "none" << "the folder does not exist" << QStringList();
        QTest::newRow("no user information file") << "empty" << "" << QStringList();
        QTest::newRow("damaged user information file: the users before the damage")
            << "cut" << "Orthex.lgn is damaged" << QStringList{"Ben", "dora"};
    }
    void folderFaults()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, fault);
        QFETCH(QStringList, users);
        QString folder = TestSupport::NewFolder(QStringLiteral("faults"));
        if (setUp == QLatin1String("none")) {
            folder += QStringLiteral("missing");
        } else if (setUp == QLatin1String("cut")) {
            TestUsers::Write(folder, {{"dora", " "}, {"Ben", " "}, {"Ann", " "}});
            const QByteArray bytes = TestFiles::Read(CUserFile::PathIn(folder));
            TestFiles::Write(CUserFile::PathIn(folder), bytes.left(bytes.size() - 2));
        }
        CClassResults results;
        QCOMPARE(results.Read(folder), fault.isEmpty());
        QVERIFY2(results.Fault().contains(fault), qPrintable(results.Fault()));
        QCOMPARE(results.AnyDamaged(), !fault.isEmpty());
        QStringList names;
        for (const auto& pupil : results.Pupils())
            names.append(pupil->name);
        QCOMPARE(names, users);
    }
};

ORTHEX_TEST_MAIN(TestClassResults)
#include "classresults_test.moc"
