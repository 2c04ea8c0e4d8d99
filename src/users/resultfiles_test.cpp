#include "users/resultfiles.h"
#include "base/archive.h"
#include "base/boundedfile.h"
#include "users/resultrows.h"
#include "users/userresults.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
struct SLists {
    CRecordList<CGrade> grades;
    CRecordList<CMissed> missed;
    CRecordList<CVocabulary> vocabulary;
    SResultLists Ref() { return {grades, missed, vocabulary}; }
};

std::unique_ptr<CGrade> grade(const QString& list, int correct, int words)
{
    auto g = std::make_unique<CGrade>();
    g->SetListName(list);
    g->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    g->SetCorrectCount(correct);
    g->SetWordCount(words);
    return g;
}

std::unique_ptr<CMissed> missed(const QString& word, const QString& typed)
{
    auto m = std::make_unique<CMissed>();
    m->SetListName(QStringLiteral("Week1"));
    m->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    m->SetWord(word);
    m->SetMisspelling(typed);
    return m;
}

std::unique_ptr<CVocabulary> vocabulary(const QString& word)
{
    auto v = std::make_unique<CVocabulary>();
    v->SetListName(QStringLiteral("Week1"));
    v->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    v->SetWord(word);
    return v;
}

QStringList gradeNames(const CRecordList<CGrade>& list)
{
    QStringList names;
    for (const CGrade& g : list)
        names.append(g.GetListName());
    return names;
}
}  // namespace

class ResultFilesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }
    QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/resultsXXXXXX"));
        QVERIFY(m_dir->isValid());
    }

    void aFirstRunReadsNothingAndWritesAllThree()
    {
        CRecordingMessageSink sink;
        CResultFiles files(folder());
        SLists lists;
        QVERIFY(!files.Load(QStringLiteral("Anna"), lists.Ref()));
        QVERIFY(sink.Texts().isEmpty());  // a new user has no files yet
        lists.grades.AddHead(grade(QStringLiteral("Week1"), 8, 10));
        QVERIFY(files.Save(QStringLiteral("Anna"), lists.Ref()));
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp4"))), QByteArray("\x00\x00", 2));
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp5"))), QByteArray("\x00\x00", 2));
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp3"))).size(), 76);
        QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden).size(), 3);  // no temporary file left
    }

    void listsRoundTripInOrderAndLoadingAppends()
    {
        CResultFiles files(folder());
        SLists lists;
        lists.grades.AddTail(grade(QStringLiteral("first"), 1, 2));
        lists.grades.AddTail(grade(QStringLiteral("second"), -3, 0));
        lists.grades.AddTail(grade(QStringLiteral("third"), 5, 5));
        lists.missed.AddTail(missed(QStringLiteral("receive"), QStringLiteral("recieve")));
        lists.missed.at(0).SetErrors(QStringLiteral("ie for ei"));
        lists.vocabulary.AddTail(vocabulary(QStringLiteral("necessary")));
        QVERIFY(files.Save(QStringLiteral("Anna"), lists.Ref()));

        SLists read;
        read.grades.AddTail(grade(QStringLiteral("already there"), 0, 0));
        QVERIFY(files.Load(QStringLiteral("Anna"), read.Ref()));
        QCOMPARE(gradeNames(read.grades), (QStringList{QStringLiteral("already there"), QStringLiteral("first"),
                                                       QStringLiteral("second"), QStringLiteral("third")}));
        QCOMPARE(read.grades.at(2).GetCorrectCount(), -3);
        QCOMPARE(read.missed.size(), 1);
        QCOMPARE(read.missed.at(0).GetMisspelling(), QStringLiteral("recieve"));
        QCOMPARE(read.missed.at(0).GetErrors(), QString());
        QCOMPARE(read.vocabulary.at(0).GetWord(), QStringLiteral("necessary"));
    }

    void aDamagedFileIsReportedAndTheOthersAreRead_data()
    {
        QTest::addColumn<int>("cut");          // bytes taken from the end
        QTest::addColumn<QByteArray>("added");  // bytes added at the end
        QTest::addColumn<int>("count");         // the stored count written over the first byte, or -1
        QTest::addColumn<int>("kept");
        QTest::newRow("the second record ends early") << 3 << QByteArray() << -1 << 1;
        QTest::newRow("a count lower than the records") << 0 << QByteArray() << 1 << 1;
        QTest::newRow("bytes after the last record") << 0 << QByteArray("\0", 1) << -1 << 2;
    }
    void aDamagedFileIsReportedAndTheOthersAreRead()
    {
        QFETCH(int, cut);
        QFETCH(QByteArray, added);
        QFETCH(int, count);
        QFETCH(int, kept);
        CResultFiles files(folder());
        SLists lists;
        lists.grades.AddTail(grade(QStringLiteral("Week1"), 8, 10));
        lists.missed.AddTail(missed(QStringLiteral("one"), QStringLiteral("won")));
        lists.missed.AddTail(missed(QStringLiteral("two"), QStringLiteral("too")));
        lists.vocabulary.AddTail(vocabulary(QStringLiteral("three")));
        QVERIFY(files.Save(QStringLiteral("Anna"), lists.Ref()));
        QByteArray damaged = TestFiles::Read(file(QStringLiteral("Anna.sp4")));
        damaged.chop(cut);
        damaged += added;
        if (count >= 0)
            damaged[0] = char(count);
        QVERIFY(TestFiles::Write(file(QStringLiteral("Anna.sp4")), damaged));

        CRecordingMessageSink sink;
        CResultFiles reader(folder());
        SLists read;
        QVERIFY(!reader.Load(QStringLiteral("Anna"), read.Ref()));
        QCOMPARE(read.grades.size(), 1);
        QCOMPARE(read.missed.size(), kept);  // the records before the damage
        QCOMPARE(read.vocabulary.size(), 1);
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().at(0).contains(file(QStringLiteral("Anna.sp4"))));
        QVERIFY(!sink.Texts().at(0).contains(QStringLiteral("Anna.sp3")));
        QVERIFY(!QFile::exists(file(QStringLiteral("Anna.sp4.damaged"))));

        read.missed.AddHead(missed(QStringLiteral("four"), QStringLiteral("for")));
        QVERIFY(reader.Save(QStringLiteral("Anna"), read.Ref()));
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp4.damaged"))), damaged);
        QVERIFY(!QFile::exists(file(QStringLiteral("Anna.sp3.damaged"))));
        QVERIFY(reader.Save(QStringLiteral("Anna"), read.Ref()));  // kept aside only once
        QVERIFY(!QFile::exists(file(QStringLiteral("Anna.sp4.damaged.2"))));
        SLists again;
        QVERIFY(CResultFiles(folder()).Load(QStringLiteral("Anna"), again.Ref()));
        QCOMPARE(again.missed.size(), kept + 1);
    }

    // A sparse file of 3 GB costs no disk, but reading it would take 3 GB of memory: it is
    // refused by its size, unread, and renamed aside whole rather than copied.
    void aFileFarTooLargeIsDamageMovedAsideUnread()
    {
        CResultFiles files(folder());
        SLists lists;
        lists.grades.AddTail(grade(QStringLiteral("Week1"), 8, 10));
        lists.missed.AddTail(missed(QStringLiteral("one"), QStringLiteral("won")));
        QVERIFY(files.Save(QStringLiteral("Anna"), lists.Ref()));
        const qint64 huge = 3LL << 30;
        QVERIFY(QFile(file(QStringLiteral("Anna.sp4"))).resize(huge));

        CRecordingMessageSink sink;
        CResultFiles reader(folder());
        SLists read;
        QVERIFY(!reader.Load(QStringLiteral("Anna"), read.Ref()));
        QCOMPARE(read.grades.size(), 1);
        QCOMPARE(read.missed.size(), 0);
        QCOMPARE(sink.Texts().size(), 1);
        const QString text = sink.Texts().at(0);
        QVERIFY2(text.contains(file(QStringLiteral("Anna.sp4"))), qPrintable(text));
        QVERIFY2(text.contains(BoundedFile::TooLargeText(CResultFiles::kMaxFileBytes)), qPrintable(text));

        read.missed.AddHead(missed(QStringLiteral("two"), QStringLiteral("too")));
        QVERIFY(reader.Save(QStringLiteral("Anna"), read.Ref()));
        QCOMPARE(QFileInfo(file(QStringLiteral("Anna.sp4.damaged"))).size(), huge);
        SLists again;
        QVERIFY(CResultFiles(folder()).Load(QStringLiteral("Anna"), again.Ref()));
        QCOMPARE(again.missed.size(), 1);
        QCOMPARE(again.grades.size(), 1);
    }

    void aFileThatCannotBeWrittenKeepsItsRecords()
    {
        const QString missingFolder = file(QStringLiteral("later"));
        CRecordingMessageSink sink;
        CResultFiles files(missingFolder);
        SLists lists;
        lists.grades.AddHead(grade(QStringLiteral("Week1"), 8, 10));
        QVERIFY(!files.Save(QStringLiteral("Anna"), lists.Ref()));
        QCOMPARE(sink.Texts().size(), 1);
        const QString text = sink.Texts().at(0);
        for (const char* extension : {".sp3", ".sp4", ".sp5"})
            QVERIFY2(text.contains(missingFolder + QStringLiteral("/Anna") + QLatin1String(extension)), qPrintable(text));
        QVERIFY(text.contains(qt_error_string(ENOENT)));
        QCOMPARE(lists.grades.size(), 1);
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("later")));
        QVERIFY(files.Save(QStringLiteral("Anna"), lists.Ref()));
        QCOMPARE(TestFiles::Read(missingFolder + QStringLiteral("/Anna.sp3")).size(), 76);
    }

    void aFileThatCannotBeReadIsNotOverwritten_data()
    {
        QTest::addColumn<bool>("pipe");  // a pipe that nobody writes to, else a folder
        QTest::newRow("a folder") << false;
        QTest::newRow("a pipe") << true;
    }
    void aFileThatCannotBeReadIsNotOverwritten()
    {
        QFETCH(bool, pipe);
        // It exists, but there is no file to read.
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(file(QStringLiteral("Anna.sp3"))).constData(), 0600), 0);
        else
            QVERIFY(QDir(folder()).mkdir(QStringLiteral("Anna.sp3")));
        CRecordingMessageSink sink;
        CResultFiles files(folder());
        SLists lists;
        QVERIFY(!files.Load(QStringLiteral("Anna"), lists.Ref()));
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().at(0).contains(file(QStringLiteral("Anna.sp3"))));
        lists.grades.AddHead(grade(QStringLiteral("Week1"), 8, 10));
        sink.Clear();
        QVERIFY(!files.Save(QStringLiteral("Anna"), lists.Ref()));
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().at(0).contains(QStringLiteral("not overwritten")));
        QCOMPARE(TestFiles::Read(file(QStringLiteral("Anna.sp4"))), QByteArray("\x00\x00", 2));
    }

    // The document's rules: nothing for nobody or when nothing changed; results that could not
    // be written survive the emptying of the lists for the next user.
    void unsavedResultsAreKeptAcrossAChangeOfUser()
    {
        const QString userFolder = file(QStringLiteral("users"));
        CRecordingMessageSink sink;
        CUserResults results(userFolder);
        SLists lists;
        lists.grades.AddHead(grade(QStringLiteral("Anna's test"), 8, 10));
        QVERIFY(results.SaveResults(QStringLiteral("Anna"), false, lists.Ref()));
        QVERIFY(sink.Texts().isEmpty());
        QVERIFY(!results.SaveResults(QStringLiteral("Anna"), true, lists.Ref()));  // the folder is missing
        QCOMPARE(results.UnsavedUsers(), QStringList{QStringLiteral("Anna")});
        lists.grades.Clear();  // the document empties its lists for the next user

        SLists bob;
        QVERIFY(!results.LoadResults(QStringLiteral("Bob"), bob.Ref()));
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("users")));
        bob.grades.AddHead(grade(QStringLiteral("Bob's test"), 1, 1));
        QVERIFY(results.SaveResults(QStringLiteral("Bob"), true, bob.Ref()));
        QVERIFY(results.UnsavedUsers().isEmpty());
        SLists anna;
        QVERIFY(CResultFiles(userFolder).Load(QStringLiteral("Anna"), anna.Ref()));
        QCOMPARE(gradeNames(anna.grades), QStringList{QStringLiteral("Anna's test")});
    }

    void unsavedResultsComeBackWhenTheUserLogsInAgain()
    {
        CRecordingMessageSink sink;
        CUserResults results(file(QStringLiteral("users")));
        SLists lists;
        lists.grades.AddHead(grade(QStringLiteral("kept"), 8, 10));
        QVERIFY(!results.SaveResults(QStringLiteral("Anna"), true, lists.Ref()));
        SLists again;
        QVERIFY(results.LoadResults(QStringLiteral("Anna"), again.Ref()));
        QCOMPARE(gradeNames(again.grades), QStringList{QStringLiteral("kept")});
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("users")));
        QVERIFY(results.SaveResults(QStringLiteral("Anna"), false, again.Ref()));  // written though unchanged
        QVERIFY(results.UnsavedUsers().isEmpty());
        QCOMPARE(TestFiles::Read(file(QStringLiteral("users/Anna.sp3"))).size(), 74);
    }

    void counts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::newRow("plain") << QStringLiteral("8") << 8;
        QTest::newRow("leading blanks") << QStringLiteral(" \t 12") << 12;
        QTest::newRow("plus") << QStringLiteral("+7") << 7;
        QTest::newRow("minus") << QStringLiteral("-3") << -3;
        QTest::newRow("trailing text") << QStringLiteral("10 words") << 10;
        QTest::newRow("not a number") << QStringLiteral("ten") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("sign only") << QStringLiteral("-") << 0;
        QTest::newRow("hex is not read") << QStringLiteral("0x1A") << 0;
        QTest::newRow("largest") << QStringLiteral("2147483647") << 2147483647;
        QTest::newRow("too large") << QStringLiteral("99999999999999999999") << 2147483647;
        QTest::newRow("smallest") << QStringLiteral("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("too small") << QStringLiteral("-2147483649") << int(-2147483647 - 1);
    }
    void counts()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QCOMPARE(ResultRows::ParseCount(text), count);
    }

    void listsAreRebuiltFromTheRows()
    {
        SLists lists;
        lists.grades.AddTail(grade(QStringLiteral("old"), 1, 1));
        lists.missed.AddTail(missed(QStringLiteral("old"), QStringLiteral("odl")));
        ResultRows::RebuildList(EResultKind::Grades,
                                {{QStringLiteral("Week1"), QStringLiteral("d1"), QStringLiteral("8"), QStringLiteral("10")},
                                 {QStringLiteral("Week3"), QStringLiteral("d3"), QStringLiteral("x"), QStringLiteral("12")}},
                                lists.Ref());
        QCOMPARE(gradeNames(lists.grades), (QStringList{QStringLiteral("Week1"), QStringLiteral("Week3")}));
        QCOMPARE(lists.grades.at(0).GetDateText(), QStringLiteral("d1"));
        QCOMPARE(lists.grades.at(0).GetCorrectCount(), 8);
        QCOMPARE(lists.grades.at(1).GetCorrectCount(), 0);
        QCOMPARE(lists.grades.at(1).GetWordCount(), 12);
        QCOMPARE(lists.missed.size(), 1);  // other kinds are left alone

        ResultRows::RebuildList(EResultKind::Missed,
                                {{QStringLiteral("L"), QStringLiteral("D"), QStringLiteral("receive"), QStringLiteral("recieve"),
                                  QStringLiteral("ie for ei")}},
                                lists.Ref());
        QCOMPARE(lists.missed.size(), 1);
        QCOMPARE(lists.missed.at(0).GetWord(), QStringLiteral("receive"));
        QCOMPARE(lists.missed.at(0).GetMisspelling(), QStringLiteral("recieve"));
        QCOMPARE(lists.missed.at(0).GetErrors(), QString());

        // Vocabulary columns: list name, extra text, date text, word.
        ResultRows::RebuildList(EResultKind::Vocabulary,
                                {{QStringLiteral("L"), QStringLiteral("E"), QStringLiteral("D"), QStringLiteral("W")},
                                 {QStringLiteral("short row")}},
                                lists.Ref());
        QCOMPARE(lists.vocabulary.size(), 2);
        QCOMPARE(lists.vocabulary.at(0).GetListName(), QStringLiteral("L"));
        QCOMPARE(lists.vocabulary.at(0).GetExtra(), QStringLiteral("E"));
        QCOMPARE(lists.vocabulary.at(0).GetDateText(), QStringLiteral("D"));
        QCOMPARE(lists.vocabulary.at(0).GetWord(), QStringLiteral("W"));
        QCOMPARE(lists.vocabulary.at(1).GetWord(), QString());

        ResultRows::RebuildList(EResultKind::Grades, {}, lists.Ref());
        QVERIFY(lists.grades.isEmpty());
    }

    // A copy of Orthex killed while it writes a large result file leaves the old file or the
    // new one, never a broken one.
    void aCrashDuringASaveLeavesAWholeFile()
    {
        constexpr int kCount = 40000;
        constexpr int kOld = 5;
        {
            SLists old;
            for (int i = 0; i < kOld; ++i)
                old.grades.AddTail(grade(QStringLiteral("old"), i, kOld));
            QVERIFY(CResultFiles(folder()).Save(QStringLiteral("Anna"), old.Ref()));
        }
        // The first round waits for one whole save, so the old file is replaced at least once
        // however slow the machine; every round is then killed at a random time within two saves.
        qint64 saveMs = 0;
        for (int round = 0; round < 8; ++round) {
            QProcess helper;
            helper.start(QStringLiteral(ORTHEX_USERS_HELPER),
                         {QStringLiteral("saveloop"), folder(), QStringLiteral("Anna"), QString::number(kCount)});
            QVERIFY(helper.waitForReadyRead(20000));
            QCOMPARE(helper.readLine().trimmed(), QByteArray("saving"));
            if (round == 0) {
                QElapsedTimer timer;
                timer.start();
                while (!helper.canReadLine())
                    QVERIFY(helper.waitForReadyRead(120000));
                QCOMPARE(helper.readLine().trimmed(), QByteArray("saved"));
                saveMs = timer.elapsed();
            }
            QThread::msleep(static_cast<unsigned long>(QRandomGenerator::global()->bounded(2 * saveMs + 1)));
            helper.kill();
            QVERIFY(helper.waitForFinished(20000));
            QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

            CRecordList<CGrade> grades;
            try {
                CResultFiles::Load(TestFiles::Read(file(QStringLiteral("Anna.sp3"))), grades);
            } catch (const CArchiveException& e) {
                QFAIL(qPrintable(QStringLiteral("round %1: a broken file: %2").arg(round).arg(e.Text())));
            }
            QVERIFY2(grades.size() == kCount || grades.size() == kCount + 1, qPrintable(QString::number(grades.size())));
        }
    }
};

ORTHEX_TEST_MAIN(ResultFilesTest)
#include "resultfiles_test.moc"
