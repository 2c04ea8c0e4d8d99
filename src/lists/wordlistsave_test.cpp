#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/spellinglistdb.h"
#include "lists/wordlistsave.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>

using TestLists::Row;

namespace {
constexpr int kCrashExit = 42;

void crashNow(sqlite3_context*, int, sqlite3_value**)
{
    _exit(kCrashExit);
}
}  // namespace

class WordListSaveTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageSink> m_sink;

    QString makeList(const QList<Row>& rows)
    {
        const QString path = m_dir->filePath(QStringLiteral("Week 1.orthex"));
        return TestLists::Make(path, rows) ? path : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/save-XXXXXX"));
        QVERIFY(m_dir->isValid());
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void cleanup() { m_sink.reset(); }

    void save_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("screen");
        QTest::addColumn<QList<Row>>("saved");

        const QList<Row> abc = TestLists::Numbered({"apple", "banana", "cherry"});
        QTest::newRow("unchanged") << abc << QStringList{"apple", "banana", "cherry"} << abc;
        QTest::newRow("reordered") << abc << QStringList{"cherry", "apple", "banana"}
                                   << QList<Row>{{1, abc[2].createdBy, "cherry", abc[2].sound},
                                                 {2, abc[0].createdBy, "apple", abc[0].sound},
                                                 {3, abc[1].createdBy, "banana", abc[1].sound}};
        QTest::newRow("one deleted") << abc << QStringList{"apple", "cherry"}
                                     << QList<Row>{{1, abc[0].createdBy, "apple", abc[0].sound},
                                                   {2, abc[2].createdBy, "cherry", abc[2].sound}};
        QTest::newRow("all deleted") << abc << QStringList{} << QList<Row>{};

        // Two rows with the same word: the first rows in the old order are matched first.
        const QList<Row> twice = TestLists::Numbered({"their", "there", "their"});
        QTest::newRow("the same word twice, both kept")
            << twice << QStringList{"there", "their", "their"}
            << QList<Row>{{1, twice[1].createdBy, "there", twice[1].sound},
                          {2, twice[0].createdBy, "their", twice[0].sound},
                          {3, twice[2].createdBy, "their", twice[2].sound}};
        QTest::newRow("the same word twice, one deleted")
            << twice << QStringList{"their", "there"}
            << QList<Row>{{1, twice[0].createdBy, "their", twice[0].sound},
                          {2, twice[1].createdBy, "there", twice[1].sound}};

        const QList<Row> cases = TestLists::Numbered({"Apple", "apple"});
        QTest::newRow("words match exactly, case and all")
            << cases << QStringList{"apple", "Apple"}
            << QList<Row>{{1, cases[1].createdBy, "apple", cases[1].sound},
                          {2, cases[0].createdBy, "Apple", cases[0].sound}};

        // A row without a word is never on screen, so it goes.
        QList<Row> blank = TestLists::Numbered({"one", "", "two"});
        QTest::newRow("a row without a word goes")
            << blank << QStringList{"one", "two"}
            << QList<Row>{{1, blank[0].createdBy, "one", blank[0].sound}, {2, blank[2].createdBy, "two", blank[2].sound}};

        // A word on screen whose row was never stored keeps its place free.
        QTest::newRow("a word on screen without a row")
            << abc << QStringList{"apple", "kiwi", "cherry"}
            << QList<Row>{{1, abc[0].createdBy, "apple", abc[0].sound}, {3, abc[2].createdBy, "cherry", abc[2].sound}};

        // Old numbers with gaps and repeats, from another program: numbered 1..n again.
        const QList<Row> loose{{7, "Mr Green", "seven", TestLists::FakeSound(7)},
                               {2, "Mr Green", "two", TestLists::FakeSound(2)},
                               {7, "Mr Green", "seven too", TestLists::FakeSound(8)},
                               {-4, "Mr Green", "minus", TestLists::FakeSound(9)}};
        QTest::newRow("loose old numbers")
            << loose << QStringList{"minus", "two", "seven", "seven too"}
            << QList<Row>{{1, "Mr Green", "minus", loose[3].sound},
                          {2, "Mr Green", "two", loose[1].sound},
                          {3, "Mr Green", "seven", loose[0].sound},
                          {4, "Mr Green", "seven too", loose[2].sound}};
    }

    void save()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, screen);
        QFETCH(QList<Row>, saved);
        const QString path = makeList(rows);
        QVERIFY(!path.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(path));
        CSpellingListDB list(db);
        QVERIFY(list.Open());

        QVERIFY(CWordListSave::Save(list, screen));
        QVERIFY2(m_sink->Texts().isEmpty(), qPrintable(m_sink->Texts().join(QLatin1Char('|'))));
        QCOMPARE(TestLists::Read(path), saved);
        // The cursor follows the file's new order at once.
        QStringList expected;
        for (const Row& row : saved)
            expected << QStringLiteral("%1:%2").arg(row.order).arg(row.word);
        QCOMPARE(TestLists::Walk(list), expected);
    }

    // Another copy of the program adds words while the page shows the list: they were never on
    // screen, so they stay, numbered after the words on screen.
    void wordsAddedElsewhereAreKeptAfterTheScreen()
    {
        const QList<Row> abc = TestLists::Numbered({"apple", "banana", "cherry"});
        const QString path = makeList(abc);
        CListDatabase db;
        QVERIFY(db.Open(path));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        {
            CListDatabase other;
            QVERIFY(other.Open(path));
            CSpellingListDB elsewhere(other);
            QVERIFY(elsewhere.Open());
            QVERIFY(elsewhere.AppendWord(4, QStringLiteral("Mr Green"), QStringLiteral("kiwi"), "k"));
            QVERIFY(elsewhere.AppendWord(5, QStringLiteral("Mr Green"), QStringLiteral("apple"), "a"));
        }

        QVERIFY(CWordListSave::Save(list, {"cherry", "apple"}));
        QVERIFY(m_sink->Texts().isEmpty());
        QCOMPARE(TestLists::Read(path), (QList<Row>{{1, abc[2].createdBy, "cherry", abc[2].sound},
                                                       {2, abc[0].createdBy, "apple", abc[0].sound},
                                                       {3, "Mr Green", "kiwi", "k"},
                                                       {4, "Mr Green", "apple", "a"}}));
    }

    // The list file refuses a change part way through a pass.
    void failureLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QByteArray>("trigger");
        // The screen is "e", "d", "c", "b" of the rows a..e: n = 4, so a goes; the rows are
        // renumbered b 4, c 3, d 2 and e 1, in that order.
        QTest::newRow("the last change") << QByteArray(
            "CREATE TEMP TRIGGER refuse BEFORE UPDATE ON main.tblList WHEN NEW.[Order] = 1 "
            "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
        QTest::newRow("a change in the middle") << QByteArray(
            "CREATE TEMP TRIGGER refuse BEFORE UPDATE ON main.tblList WHEN NEW.[Order] = 2 "
            "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
        QTest::newRow("the first change, a deletion") << QByteArray(
            "CREATE TEMP TRIGGER refuse BEFORE DELETE ON main.tblList "
            "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    }

    void failureLeavesTheFileAsItWas()
    {
        QFETCH(QByteArray, trigger);
        const QList<Row> rows = TestLists::Numbered({"a", "b", "c", "d", "e"});
        const QString path = makeList(rows);
        const QByteArray before = TestFiles::Read(path);
        CListDatabase db;
        QVERIFY(db.Open(path));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QVERIFY(db.Connection().Execute(trigger.constData()));
        const QStringList screen{"e", "d", "c", "b"};

        QVERIFY(!CWordListSave::Save(list, screen));
        const QStringList texts = m_sink->Texts();
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts.at(0), ListMessages::CannotChange(path, QStringLiteral("refused by the test")));
        QCOMPARE(texts.at(1), CWordListSave::NotSavedMessage());
        QCOMPARE(TestFiles::Read(path), before);
        QCOMPARE(TestLists::Walk(list), (QStringList{"1:a", "2:b", "3:c", "4:d", "5:e"}));

        // Another try, once the file takes changes again.
        QVERIFY(db.Connection().Execute("DROP TRIGGER temp.refuse"));
        m_sink->Clear();
        QVERIFY(CWordListSave::Save(list, screen));
        QVERIFY(m_sink->Texts().isEmpty());
        QCOMPARE(TestLists::Words(TestLists::Read(path)), screen);
        QCOMPARE(TestLists::Orders(TestLists::Read(path)), (QList<qint64>{1, 2, 3, 4}));
    }

    // The program dies in the middle of a save, after part of it has reached the file: the
    // next open finds the list as it was before.
    void crashLeavesTheFileAsItWas()
    {
        QStringList words;
        for (int i = 0; i < 120; ++i)
            words << QStringLiteral("word%1").arg(i, 3, 10, QLatin1Char('0'));
        const QList<Row> rows = TestLists::Numbered(words);
        const QString path = makeList(rows);
        const QByteArray before = TestFiles::Read(path);
        QStringList screen = words;
        std::reverse(screen.begin(), screen.end());
        screen.removeAt(5);

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            CListDatabase db;
            if (!db.Open(path))
                _exit(2);
            CSpellingListDB list(db);
            if (!list.Open())
                _exit(3);
            sqlite3* handle = db.Connection().Handle();
            // A tiny page cache makes the changes reach the file before the commit.
            if (!db.Connection().Execute("PRAGMA cache_size=1")
                || sqlite3_create_function(handle, "crash", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr, crashNow,
                                           nullptr, nullptr) != SQLITE_OK
                || !db.Connection().Execute(
                    "CREATE TEMP TRIGGER crash BEFORE UPDATE ON main.tblList WHEN NEW.[Order] = 1 "
                    "BEGIN SELECT crash(); END"))
                _exit(4);
            CWordListSave::Save(list, screen);
            _exit(5);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), kCrashExit);
        // The crash left the file half changed, with the journal that undoes it.
        QVERIFY(QFile::exists(path + QStringLiteral("-journal")));
        QVERIFY(TestFiles::Read(path) != before);

        QCOMPARE(TestLists::Read(path), rows);
        QCOMPARE(TestFiles::Read(path), before);
        CListDatabase db;
        QVERIFY(db.Open(path));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QCOMPARE(list.CountRows(), 120);
    }
};

ORTHEX_TEST_MAIN(WordListSaveTest)
#include "wordlistsave_test.moc"
