#include "testing/testcli.h"
#include "testing/testenvironment.h"
#include "storage/recordlist.h"
#include "storage/records.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs orthex-cli results, through the command runAs (program and its arguments) when given.
SCliRun RunCli(const QStringList& args, const QStringList& runAs = {})
{
    return TestCli::Run(QStringList{"results"} + args, {}, runAs);
}

QByteArray Grades()
{
    CRecordList<CGrade> list;
    const struct { const char* list; const char* date; int correct; int words; } rows[] = {
        {"Week2", "12/09/26, 10:00 AM", 10, 10},
        {"Week1--Stopped Test", "12/08/26, 03:10 AM", 3, 12},
        {"Week1", "Time Error", -1, 0},
    };
    for (const auto& r : rows) {
        auto g = std::make_unique<CGrade>();
        g->SetListName(r.list);
        g->SetDateText(r.date);
        g->SetCorrectCount(r.correct);
        g->SetWordCount(r.words);
        list.AddTail(std::move(g));
    }
    return StoreListBytes(list);
}

QByteArray Missed()
{
    CRecordList<CMissed> list;
    const char* rows[][4] = {
        {"Week1", "12/08/26, 03:10 AM", "receive", "recieve"},
        {"Say \"hi\"", "d", "tab\there", "back\\slash"},
        {"Line\nbreak", "d", "carriage\rreturn", "caf\xC3\xA9"},
    };
    for (const auto& r : rows) {
        auto m = std::make_unique<CMissed>();
        m->SetListName(QString::fromUtf8(r[0]));
        m->SetDateText(QString::fromUtf8(r[1]));
        m->SetWord(QString::fromUtf8(r[2]));
        m->SetMisspelling(QString::fromUtf8(r[3]));
        list.AddTail(std::move(m));
    }
    return StoreListBytes(list);
}

// Two ie/ei errors, a pair with a capital and a doubled letter, and one the analyser cannot name.
QByteArray ProfileMissed()
{
    CRecordList<CMissed> list;
    const char* rows[][3] = {
        {"03/18/26, 09:00 AM", "receive", "recieve"},
        {"03/19/26, 09:00 AM", "believe", "beleive"},
        {"03/18/26, 09:00 AM", "Ball", "bal"},
        {"03/20/26, 09:00 AM", "cat", "cat"},
    };
    for (const auto& r : rows) {
        auto m = std::make_unique<CMissed>();
        m->SetListName(QStringLiteral("Week 3"));
        m->SetDateText(QString::fromUtf8(r[0]));
        m->SetWord(QString::fromUtf8(r[1]));
        m->SetMisspelling(QString::fromUtf8(r[2]));
        list.AddTail(std::move(m));
    }
    return StoreListBytes(list);
}

QByteArray Vocabulary()
{
    CRecordList<CVocabulary> list;
    auto v = std::make_unique<CVocabulary>();
    v->SetListName("Animals");
    v->SetDateText("01/02/26, 12:00 PM");
    v->SetWord(QStringLiteral(u"\u0436\u0438\u0440\u0430\u0444"));
    list.AddTail(std::move(v));
    return StoreListBytes(list);
}

}  // namespace

class ResultsCommandTest : public QObject
{
    Q_OBJECT

private:
    QString m_strFolder;

    void WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_strFolder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariable("ORTHEX_CLI").isEmpty())
            QSKIP("ORTHEX_CLI is not set; run this test through CTest");
        m_strFolder = CTestEnvironment::Instance().Root() + QStringLiteral("/users");
        QVERIFY(QDir().mkpath(m_strFolder));
        WriteFile("Pupil One.sp3", Grades());
        WriteFile("Pupil One.sp4", Missed());
        WriteFile("Pupil One.sp5", Vocabulary());
        WriteFile("Profile One.sp4", ProfileMissed());
        const QByteArray missed = Missed();
        WriteFile("Cut.sp4", missed.left(missed.size() - 3));
        const QByteArray grades = Grades();
        // Cut inside the third grade: the first two are complete.
        WriteFile("Cut.sp3", grades.left(grades.size() - 3));
        WriteFile("Empty.sp4", QByteArray());
        WriteFile("Wrong.sp3", Missed());
        QVERIFY(QDir().mkpath(m_strFolder + QStringLiteral("/Folder.sp5")));
        QByteArray lowCount = grades;
        lowCount[0] = 2;  // three records stored, a count of two
        WriteFile("Low.sp3", lowCount);
        WriteFile("Tail.sp3", grades + QByteArray(1, '\0'));
        // A pipe that nobody writes to would keep a reader waiting.
        QCOMPARE(::mkfifo(QFile::encodeName(m_strFolder + QStringLiteral("/Pipe.sp4")).constData(), 0600), 0);
    }

    void output_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("errStart");

        const QByteArray gradeHeader = "List\tDate\tCorrect\tWords\n";
        const QByteArray gradeRows = "Week2\t12/09/26, 10:00 AM\t10\t10\n"
                                     "Week1--Stopped Test\t12/08/26, 03:10 AM\t3\t12\n"
                                     "Week1\tTime Error\t-1\t0\n";
        QTest::newRow("grades tsv") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "grades"}
                                    << 0 << gradeHeader + gradeRows << QByteArray();
        QTest::newRow("options after kind") << QStringList{"grades", "--user", "Pupil One", "--format", "tsv", "--folder", "FOLDER"}
                                            << 0 << gradeHeader + gradeRows << QByteArray();
        QTest::newRow("grades csv") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "grades", "--format", "csv"}
                                    << 0
                                    << QByteArray("List,Date,Correct,Words\r\n"
                                                  "Week2,\"12/09/26, 10:00 AM\",10,10\r\n"
                                                  "Week1--Stopped Test,\"12/08/26, 03:10 AM\",3,12\r\n"
                                                  "Week1,Time Error,-1,0\r\n")
                                    << QByteArray();
        QTest::newRow("missed tsv") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "missed"}
                                    << 0
                                    << QByteArray("List\tDate\tWord\tMisspelling\tErrors\n"
                                                  "Week1\t12/08/26, 03:10 AM\treceive\trecieve\tie/ei:  ie to ei\n"
                                                  "Say \"hi\"\td\ttab\\there\tback\\\\slash\tending e\n"
                                                  "Line\\nbreak\td\tcarriage\\rreturn\tcaf\xC3\xA9\tdouble r\n")
                                    << QByteArray();
        QTest::newRow("missed csv") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "missed", "--format", "csv"}
                                    << 0
                                    << QByteArray("List,Date,Word,Misspelling,Errors\r\n"
                                                  "Week1,\"12/08/26, 03:10 AM\",receive,recieve,ie/ei:  ie to ei\r\n"
                                                  "\"Say \"\"hi\"\"\",d,tab\there,back\\slash,ending e\r\n"
                                                  "\"Line\nbreak\",d,\"carriage\rreturn\",caf\xC3\xA9,double r\r\n")
                                    << QByteArray();
        QTest::newRow("vocabulary") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "vocabulary"}
                                    << 0
                                    << QByteArray("List\tDate\tWord\tExtra\n"
                                                  "Animals\t01/02/26, 12:00 PM\t\xD0\xB6\xD0\xB8\xD1\x80\xD0\xB0\xD1\x84\t\n")
                                    << QByteArray();
        QTest::newRow("profile tsv") << QStringList{"--folder", "FOLDER", "--user", "Profile One", "profile"}
                                     << 0
                                     << QByteArray("Kind\tCount\tShare\tNewest\tExamples\n"
                                                   "ie/ei\t2\t50.0 %\t03/19/26, 09:00 AM\tbelieve (beleive), receive (recieve)\n"
                                                   "capital letters\t1\t25.0 %\t03/18/26, 09:00 AM\tBall (bal)\n"
                                                   "doubled letters\t1\t25.0 %\t03/18/26, 09:00 AM\tBall (bal)\n")
                                     << QByteArray();
        QTest::newRow("profile csv") << QStringList{"--folder", "FOLDER", "--user", "Profile One", "profile", "--format", "csv"}
                                     << 0
                                     << QByteArray("Kind,Count,Share,Newest,Examples\r\n"
                                                   "ie/ei,2,50.0 %,\"03/19/26, 09:00 AM\",\"believe (beleive), receive (recieve)\"\r\n"
                                                   "capital letters,1,25.0 %,\"03/18/26, 09:00 AM\",Ball (bal)\r\n"
                                                   "doubled letters,1,25.0 %,\"03/18/26, 09:00 AM\",Ball (bal)\r\n")
                                     << QByteArray();
        // Texts with tabs, newlines and quotes, escaped and quoted as in the other tables.
        QTest::newRow("profile of awkward texts tsv") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "profile"}
                                                      << 0
                                                      << QByteArray("Kind\tCount\tShare\tNewest\tExamples\n"
                                                                    "ie/ei\t1\t33.3 %\t12/08/26, 03:10 AM\treceive (recieve)\n"
                                                                    "final e\t1\t33.3 %\td\ttab\\there (back\\\\slash)\n"
                                                                    "doubled letters\t1\t33.3 %\td\tcarriage\\rreturn (caf\xC3\xA9)\n")
                                                      << QByteArray();
        QTest::newRow("profile of awkward texts csv") << QStringList{"--folder", "FOLDER", "--user", "Pupil One", "profile", "--format", "csv"}
                                                      << 0
                                                      << QByteArray("Kind,Count,Share,Newest,Examples\r\n"
                                                                    "ie/ei,1,33.3 %,\"12/08/26, 03:10 AM\",receive (recieve)\r\n"
                                                                    "final e,1,33.3 %,d,tab\there (back\\slash)\r\n"
                                                                    "doubled letters,1,33.3 %,d,\"carriage\rreturn (caf\xC3\xA9)\"\r\n")
                                                      << QByteArray();
        QTest::newRow("profile without a file") << QStringList{"--folder", "FOLDER", "--user", "Nobody", "profile"}
                                                << 0 << QByteArray("Kind\tCount\tShare\tNewest\tExamples\n") << QByteArray();
        // A profile of part of the words would be wrong: the header alone, and the fault.
        QTest::newRow("profile of a cut file") << QStringList{"--folder", "FOLDER", "--user", "Cut", "profile"}
                                               << 1 << QByteArray("Kind\tCount\tShare\tNewest\tExamples\n")
                                               << QByteArray("orthex-cli results: FOLDER/Cut.sp4: archive error at byte ");
        QTest::newRow("no file yet") << QStringList{"--folder", "FOLDER", "--user", "Nobody", "missed"}
                                     << 0 << QByteArray("List\tDate\tWord\tMisspelling\tErrors\n") << QByteArray();
        QTest::newRow("no folder") << QStringList{"--folder", "FOLDER/none", "--user", "Pupil One", "grades", "--format", "csv"}
                                   << 1 << QByteArray("List,Date,Correct,Words\r\n")
                                   << QByteArray("orthex-cli results: FOLDER/none: the folder does not exist\n");
        QTest::newRow("a file in place of the folder")
            << QStringList{"--folder", "FOLDER/Pupil One.sp3", "--user", "Pupil One", "grades"} << 1 << gradeHeader
            << QByteArray("orthex-cli results: FOLDER/Pupil One.sp3/Pupil One.sp3: ");
        QTest::newRow("a name that would drive the terminal")
            << QStringList{"--folder", "FOLDER/Pupil One.sp3", "--user", "E\x1b[2Jve", "grades"} << 1 << gradeHeader
            << QByteArray("orthex-cli results: FOLDER/Pupil One.sp3/E\\x1b[2Jve.sp3: ");
        QTest::newRow("a name too long for a file") << QStringList{"--folder", "FOLDER", "--user", QString(300, 'n'), "grades"}
                                                    << 1 << gradeHeader
                                                    << "orthex-cli results: FOLDER/" + QByteArray(300, 'n') + ".sp3: ";
        QTest::newRow("a pipe in place of the file") << QStringList{"--folder", "FOLDER", "--user", "Pipe", "missed"}
                                                     << 1 << QByteArray("List\tDate\tWord\tMisspelling\tErrors\n")
                                                     << QByteArray("orthex-cli results: FOLDER/Pipe.sp4: Not a regular file\n");
        // The records the count gives are printed; what follows them is damage.
        QTest::newRow("count lower than the records") << QStringList{"--folder", "FOLDER", "--user", "Low", "grades"}
                                                      << 1 << gradeHeader + gradeRows.left(gradeRows.lastIndexOf("Week1\t"))
                                                      << QByteArray("orthex-cli results: FOLDER/Low.sp3: archive error at byte ");
        QTest::newRow("bytes after the last record") << QStringList{"--folder", "FOLDER", "--user", "Tail", "grades"}
                                                     << 1 << gradeHeader + gradeRows
                                                     << "orthex-cli results: FOLDER/Tail.sp3: archive error at byte "
                                                            + QByteArray::number(Grades().size())
                                                            + ": 1 more byte follows the last entry that the stored count gives\n";
        QTest::newRow("cut file") << QStringList{"--folder", "FOLDER", "--user", "Cut", "grades"}
                                  << 1
                                  << QByteArray("List\tDate\tCorrect\tWords\n"
                                                "Week2\t12/09/26, 10:00 AM\t10\t10\n"
                                                "Week1--Stopped Test\t12/08/26, 03:10 AM\t3\t12\n")
                                  << QByteArray("orthex-cli results: FOLDER/Cut.sp3: archive error at byte ");
        QTest::newRow("empty file") << QStringList{"--folder", "FOLDER", "--user", "Empty", "missed"}
                                    << 1 << QByteArray("List\tDate\tWord\tMisspelling\tErrors\n")
                                    << QByteArray("orthex-cli results: FOLDER/Empty.sp4: archive error at byte 0: "
                                                  "the stream ends inside the element count\n");
        QTest::newRow("missed words in a grade file") << QStringList{"--folder", "FOLDER", "--user", "Wrong", "grades"}
                                                      << 1 << gradeHeader
                                                      << QByteArray("orthex-cli results: FOLDER/Wrong.sp3: archive error at byte 2: "
                                                                    "unexpected class \"CMissed\" where \"CGrade\" belongs\n");
        QTest::newRow("a folder in place of the file") << QStringList{"--folder", "FOLDER", "--user", "Folder", "vocabulary"}
                                                       << 1 << QByteArray("List\tDate\tWord\tExtra\n")
                                                       << QByteArray("orthex-cli results: FOLDER/Folder.sp5: ");
    }

    void output()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, errStart);
        for (QString& a : args)
            a.replace(QLatin1String("FOLDER"), m_strFolder);
        errStart.replace("FOLDER", m_strFolder.toUtf8());
        const SCliRun run = RunCli(args);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, out);
        if (errStart.isEmpty())
            QCOMPARE(run.err, QByteArray());
        else
            QVERIFY2(run.err.startsWith(errStart), run.err.constData());
    }

    // The error names the byte where the cut file ends.
    void cutFileNamesTheByte()
    {
        const SCliRun run = RunCli({"--folder", m_strFolder, "--user", "Cut", "grades"});
        const QByteArray expected = QStringLiteral("archive error at byte %1: the stream ends inside a text\n")
                                        .arg(Grades().size() - 3)
                                        .toUtf8();
        QVERIFY2(run.err.endsWith(expected), run.err.constData());
    }

    // Root searches any folder, so a test run as root meets this fault as the account nobody.
    void aFolderThatCannotBeSearched()
    {
        QStringList runAs;
        if (::geteuid() == 0) {
            const QString runuser = QStandardPaths::findExecutable(QStringLiteral("runuser"), {"/usr/sbin", "/sbin", "/usr/bin"});
            if (runuser.isEmpty())
                QSKIP("root searches any folder, and runuser is not installed to try as another account");
            runAs = QStringList{runuser, "-u", "nobody", "--"};
        }
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orthex-closedXXXXXX"));  // reachable by nobody
        QVERIFY(dir.isValid());
        const QString folder = dir.path() + QStringLiteral("/closed");
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0), 0);
        const SCliRun run = RunCli({"--folder", folder, "--user", "Pupil One", "grades"}, runAs);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray("List\tDate\tCorrect\tWords\n"));
        const QByteArray reason = folder.toUtf8() + "/Pupil One.sp3: " + qt_error_string(EACCES).toUtf8() + '\n';
        QVERIFY2(run.err.endsWith(reason), run.err.constData());
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("no kind") << QStringList{"--folder", "F", "--user", "U"};
        QTest::newRow("no folder") << QStringList{"--user", "U", "grades"};
        QTest::newRow("no user") << QStringList{"--folder", "F", "grades"};
        QTest::newRow("unknown kind") << QStringList{"--folder", "F", "--user", "U", "users"};
        QTest::newRow("profile and another kind") << QStringList{"--folder", "F", "--user", "U", "profile", "missed"};
        QTest::newRow("two kinds") << QStringList{"--folder", "F", "--user", "U", "grades", "missed"};
        QTest::newRow("unknown format") << QStringList{"--folder", "F", "--user", "U", "grades", "--format", "xml"};
        QTest::newRow("format without value") << QStringList{"--folder", "F", "--user", "U", "grades", "--format"};
        QTest::newRow("unknown option") << QStringList{"--folder", "F", "--user", "U", "grades", "--all"};
        QTest::newRow("folder twice") << QStringList{"--folder", "F", "--folder", "G", "--user", "U", "grades"};
        QTest::newRow("empty user") << QStringList{"--folder", "F", "--user", "", "grades"};
        QTest::newRow("user leads out of the folder") << QStringList{"--folder", "F", "--user", "../U", "grades"};
        QTest::newRow("user is ..") << QStringList{"--folder", "F", "--user", "..", "grades"};
        QTest::newRow("user with backslash") << QStringList{"--folder", "F", "--user", "a\\b", "grades"};
    }

    void usage()
    {
        QFETCH(QStringList, args);
        const SCliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.contains("usage: orthex-cli results --folder DIR --user NAME grades|missed|vocabulary|profile "
                                  "[--format tsv|csv]\n"),
                 run.err.constData());
    }
};

ORTHEX_TEST_MAIN(ResultsCommandTest)
#include "resultscommand_test.moc"
