#include "reports/resulttables.h"
#include "testing/testenvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

class CResultTablesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exportFileName_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("name");
        QTest::newRow("grades") << 0 << "Emma" << "Emma grades.csv";
        QTest::newRow("misspelled words") << 1 << "Emma" << "Emma misspelled words.csv";
        QTest::newRow("vocabulary") << 2 << "Emma" << "Emma vocabulary.csv";
        QTest::newRow("error profile") << 3 << "Emma" << "Emma error profile.csv";
        QTest::newRow("nobody logged in") << 0 << "" << "grades.csv";
        QTest::newRow("a name that leads out of the folder") << 0 << "../a/b\\c" << "_._a_b_c grades.csv";
        QTest::newRow("letters of other scripts stay") << 2 << "\u0416\u0435\u043d\u044f"
                                                       << "\u0416\u0435\u043d\u044f vocabulary.csv";
        QTest::newRow("control characters") << 1 << "a\tb:c" << "a_b_c misspelled words.csv";
    }
    void exportFileName()
    {
        QFETCH(int, kind);
        QFETCH(QString, user);
        QTEST(ResultTables::ExportFileName(EReportKind(kind), user), "name");
    }

    // A write that fails leaves what was there untouched, without a stray file beside it, and
    // says why: here the name is taken by a folder.
    void failedWriteLeavesNothingHalfDone()
    {
        const QString folder = CTestEnvironment::Instance().Root() + QStringLiteral("/export");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/taken.csv")));
        const QString path = folder + QStringLiteral("/new.csv");
        QVERIFY(ResultTables::WriteCsv(path, {"A", "B"}, {{"1", "x, y"}}));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("A,B\r\n1,\"x, y\"\r\n"));

        QString error;
        QVERIFY(!ResultTables::WriteCsv(folder + QStringLiteral("/taken.csv"), {"C"}, {{"2"}}, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(folder + QStringLiteral("/taken.csv")).isDir());
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"new.csv", "taken.csv"}));
    }
};

ORTHEX_TEST_MAIN(CResultTablesTest)
#include "resulttables_test.moc"
