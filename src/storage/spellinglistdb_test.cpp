#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/listtransaction.h"
#include "storage/spellinglistdb.h"
#include "storage/sqlitestatement.h"
#include "storage/stagedwords.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testfiles.h"
#include "testing/testlists.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <sqlite3.h>
#include <unistd.h>

using TestLists::Row;

namespace {
QByteArray fakeWav(int seed, int size)
{
    QByteArray bytes("RIFF....WAVEfmt ");
    QRandomGenerator generator{quint32(seed)};
    while (bytes.size() < size)
        bytes.append(char(generator.bounded(256)));
    bytes.truncate(size);
    return bytes;
}

}  // namespace

class SpellingListDBTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }

    // A created list holding the rows, added through the cursor.
    QString makeList(const QString& name, const QList<Row>& rows)
    {
        const QString file = path(name);
        if (!CListDatabase::Create(file))
            return QString();
        CListDatabase db;
        if (!db.Open(file))
            return QString();
        CSpellingListDB list(db);
        if (!list.Open())
            return QString();
        for (const Row& r : rows)
            if (!list.AppendWord(int(r.order), r.createdBy, r.word, r.sound))
                return QString();
        return file;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/db-XXXXXX"));
        QVERIFY(m_dir->isValid());
    }

    void createMakesTheTableAndNothingElse()
    {
        const QString file = path(QStringLiteral("Week 1.orthex"));
        QVERIFY(CListDatabase::Create(file));
        QCOMPARE(TestFiles::FilesIn(m_dir->path()), QStringList{QStringLiteral("Week 1.orthex")});
        CSqliteDatabase db;
        QVERIFY(db.Open(file, CSqliteDatabase::Mode::ReadOnly));
        CSqliteStatement schema(db, "SELECT type, name, sql FROM sqlite_master");
        QCOMPARE(schema.Next(), CSqliteStatement::Step::Row);
        QCOMPARE(schema.Text(0), QStringLiteral("table"));
        QCOMPARE(schema.Text(1), QStringLiteral("tblList"));
        QCOMPARE(schema.Text(2),
                 QStringLiteral("CREATE TABLE tblList ([Order] Number, CreatedBy Text(25), Word TEXT(50), Sound LongBinary)"));
        QCOMPARE(schema.Next(), CSqliteStatement::Step::Done);
        CSqliteStatement journal(db, "PRAGMA journal_mode");
        QCOMPARE(journal.Next(), CSqliteStatement::Step::Row);
        QCOMPARE(journal.Text(0), QStringLiteral("delete"));
    }

    void createFails_data()
    {
        QTest::addColumn<QString>("name");  // relative to the folder; "" is the empty path
        QTest::addColumn<bool>("existing");
        QTest::newRow("empty path") << "" << false;
        QTest::newRow("existing file") << "taken.orthex" << true;
        QTest::newRow("missing folder") << "no/such/folder/x.orthex" << false;
    }

    void createFails()
    {
        QFETCH(QString, name);
        QFETCH(bool, existing);
        CRecordingMessageSink sink;
        const QString file = name.isEmpty() ? QString() : path(name);
        const QByteArray before("precious bytes that are not a list");
        if (existing)
            QVERIFY(TestFiles::Write(file, before));
        QVERIFY(!CListDatabase::Create(file));
        QCOMPARE(sink.Texts(), QStringList());  // creation fails silently
        if (existing)
            QCOMPARE(TestFiles::Read(file), before);
        QCOMPARE(TestFiles::FilesIn(m_dir->path()), existing ? QStringList{name} : QStringList());
    }

    void openRefusesWhatIsNotAList_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("kind");  // 0 not a list, 1 old Windows list
        QByteArray random = fakeWav(7, 4096);
        random[0] = 'X';
        QByteArray jet(4096, '\0');
        jet.replace(4, 15, "Standard Jet DB");
        QByteArray ace(4096, '\0');
        ace.replace(4, 15, "Standard ACE DB");
        QTest::newRow("random bytes") << random << 0;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("text file") << QByteArray("Order,Word\n1,cat\n") << 0;
        QTest::newRow("Access Jet") << jet << 1;
        QTest::newRow("Access ACE") << ace << 1;
    }

    void openRefusesWhatIsNotAList()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        const QString file = path(QStringLiteral("bad.orthex"));
        QVERIFY(TestFiles::Write(file, content));
        CRecordingMessageSink sink;
        CListDatabase db;
        QVERIFY(!db.Open(file));
        QVERIFY(!db.IsOpen());
        const QString expected = kind == 1 ? ListMessages::OldWindowsList(file) : ListMessages::NotAList(file);
        QCOMPARE(sink.Texts(), QStringList{expected});
        QVERIFY(expected.contains(file));
        QCOMPARE(TestFiles::Read(file), content);  // the file is left as it was
    }

    void openFailsWithTheReason_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");  // part of the message
        QTest::newRow("missing file") << "missing" << "The file does not exist.";
        QTest::newRow("database without the table") << "no table" << "no such table: tblList";
        QTest::newRow("table without Sound") << "no sound" << "no such column: Sound";
        QTest::newRow("damaged header") << "damaged" << "file is not a database";
    }

    void openFailsWithTheReason()
    {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        const QString file = path(QStringLiteral("list.orthex"));
        if (setup == QLatin1String("no table") || setup == QLatin1String("no sound")) {
            CSqliteDatabase raw;
            QVERIFY(raw.Open(file, CSqliteDatabase::Mode::Create));
            QVERIFY(raw.Execute(setup == QLatin1String("no table") ? "CREATE TABLE other (x)"
                                                                   : "CREATE TABLE tblList ([Order], CreatedBy, Word)"));
        } else if (setup == QLatin1String("damaged")) {
            QByteArray bytes("SQLite format 3", 16);
            bytes.append(QByteArray(4080, '\x7f'));
            QVERIFY(TestFiles::Write(file, bytes));
        }
        CRecordingMessageSink sink;
        CListDatabase db;
        bool opened = db.Open(file);
        if (opened) {
            CSpellingListDB list(db);
            opened = list.Open();
            QVERIFY(!list.IsOpen());
        }
        QVERIFY(!opened);
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY2(sink.Texts().first().startsWith(ListMessages::CannotOpen(file, QString())), qPrintable(sink.Texts().first()));
        QVERIFY2(sink.Texts().first().contains(reason), qPrintable(sink.Texts().first()));
    }

    void openWithAnEmptyPathFails()
    {
        CRecordingMessageSink sink;
        CListDatabase db;
        QVERIFY(!db.Open(QString()));
        QCOMPARE(sink.Texts(), QStringList{ListMessages::NoFileName()});
        QVERIFY(TestFiles::FilesIn(QDir::currentPath()).filter(QStringLiteral("journal")).isEmpty());
    }

    void anEmptyListIsAtBofAndEof()
    {
        const QString file = makeList(QStringLiteral("empty.orthex"), {});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QVERIFY(list.IsBOF());
        QVERIFY(list.IsEOF());
        QCOMPARE(list.CountRows(), 0);
        QVERIFY(!list.MoveFirst());
        QVERIFY(!list.ReadWord(1));
        QCOMPARE(list.ListWords(), QStringList());
    }

    void rowsComeInOrderWithTiesInInsertionOrder_data()
    {
        QTest::addColumn<QList<int>>("orders");
        QTest::addColumn<QStringList>("expected");  // words w0, w1, ... named by insertion index
        QTest::newRow("in order") << QList<int>{1, 2, 3} << QStringList{"1:w0", "2:w1", "3:w2"};
        QTest::newRow("reversed") << QList<int>{3, 2, 1} << QStringList{"1:w2", "2:w1", "3:w0"};
        QTest::newRow("duplicates") << QList<int>{2, 1, 2, 1} << QStringList{"1:w1", "1:w3", "2:w0", "2:w2"};
        QTest::newRow("gaps and negatives") << QList<int>{40, -3, 7} << QStringList{"-3:w1", "7:w2", "40:w0"};
    }

    void rowsComeInOrderWithTiesInInsertionOrder()
    {
        QFETCH(QList<int>, orders);
        QFETCH(QStringList, expected);
        QList<Row> rows;
        for (int i = 0; i < orders.size(); ++i)
            rows.append({orders[i], QStringLiteral("anna"), QStringLiteral("w%1").arg(i), fakeWav(i, 64)});
        const QString file = makeList(QStringLiteral("order.orthex"), rows);
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QCOMPARE(TestLists::Walk(list), expected);
        QCOMPARE(list.CountRows(), orders.size());
        QVERIFY(list.IsEOF());
        QVERIFY(!list.IsBOF());
    }

    void readWordGivesTheWholeRecording_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("word");  // empty: no row
        QTest::newRow("first") << 1 << "cat";
        QTest::newRow("middle") << 2 << "dog";
        QTest::newRow("last") << 3 << "émeute";
        QTest::newRow("past the end") << 4 << "";
        QTest::newRow("zero") << 0 << "";
    }

    void readWordGivesTheWholeRecording()
    {
        QFETCH(int, k);
        QFETCH(QString, word);
        const QList<Row> rows{{1, "anna", "cat", fakeWav(1, 300000)},
                              {2, "anna", "dog", fakeWav(2, 17)},
                              {3, "anna", QStringLiteral("émeute"), fakeWav(3, 70001)}};
        const QString file = makeList(QStringLiteral("read.orthex"), rows);
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        CRecordingMessageSink sink;
        const std::optional<SWordRow> row = list.ReadWord(k);
        QCOMPARE(row.has_value(), !word.isEmpty());
        if (row) {
            QCOMPARE(row->word, word);
            QCOMPARE(row->sound, rows[k - 1].sound);
        }
        QCOMPARE(sink.Texts(), QStringList());
    }

    void creatorIsReadFromTheRow_data()
    {
        QTest::addColumn<QString>("createdBy");
        QTest::newRow("named") << "Mr Grey";
        QTest::newRow("empty") << "";
        QTest::newRow("longest") << "abcdefghijklmnopqrstuvwxy";
    }

    void creatorIsReadFromTheRow()
    {
        QFETCH(QString, createdBy);
        const QString file = makeList(QStringLiteral("creator.orthex"), {{1, createdBy, "cat", {}}, {2, "other", "dog", {}}});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QVERIFY(list.MoveFirst());
        QCOMPARE(list.CreatedBy(), createdBy);
        QVERIFY(list.MoveNext());
        QCOMPARE(list.CreatedBy(), QStringLiteral("other"));
    }

    void appendedRowsJoinTheEndUntilRequery()
    {
        const QString file = makeList(QStringLiteral("append.orthex"), {{5, "a", "five", {}}, {9, "a", "nine", {}}});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QVERIFY(list.MoveFirst());
        QVERIFY(list.AppendWord(1, QStringLiteral("b"), QStringLiteral("one"), fakeWav(9, 100)));
        QCOMPARE(list.Word(), QStringLiteral("five"));  // the cursor stays where it was
        QCOMPARE(TestLists::Walk(list), (QStringList{"5:five", "9:nine", "1:one"}));
        QCOMPARE(list.RecordCount(), 3);
        QVERIFY(list.SetAbsolutePosition(3));
        QCOMPARE(list.Sound(), fakeWav(9, 100));
        QCOMPARE(list.SoundSize(), 100);
        QVERIFY(list.Requery());
        QCOMPARE(TestLists::Walk(list), (QStringList{"1:one", "5:five", "9:nine"}));

        // An append at EOF leaves the cursor at EOF.
        list.CountRows();
        QVERIFY(list.AppendWord(2, QStringLiteral("b"), QStringLiteral("two"), {}));
        QVERIFY(list.IsEOF());
    }

    void editChangesTheRowAndKeepsItsPlace()
    {
        const QString file = makeList(QStringLiteral("edit.orthex"),
                                      {{1, "a", "one", fakeWav(1, 50)}, {2, "a", "two", fakeWav(2, 60)}, {3, "a", "three", {}}});
        QVERIFY(!file.isEmpty());
        {
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            QVERIFY(list.MoveFirst());
            QVERIFY(list.Edit());
            list.SetOrder(13);
            QVERIFY(list.Update());
            QVERIFY(list.MoveNext());
            QVERIFY(list.Edit());
            list.SetWord(QStringLiteral("TWO"));
            QVERIFY(list.Update());
            QCOMPARE(TestLists::Walk(list), (QStringList{"13:one", "2:TWO", "3:three"}));
            QVERIFY(list.SetAbsolutePosition(2));
            QCOMPARE(list.Sound(), fakeWav(2, 60));  // what was not set stays
            QCOMPARE(list.CreatedBy(), QStringLiteral("a"));

            // A move cancels a pending change.
            QVERIFY(list.MoveFirst());
            QVERIFY(list.Edit());
            list.SetWord(QStringLiteral("lost"));
            QVERIFY(list.MoveNext());
            QVERIFY(list.Requery());
            QCOMPARE(TestLists::Walk(list), (QStringList{"2:TWO", "3:three", "13:one"}));
        }
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QCOMPARE(TestLists::Walk(list), (QStringList{"2:TWO", "3:three", "13:one"}));
    }

    void deletedRowsAreSkipped()
    {
        const QString file = makeList(QStringLiteral("delete.orthex"),
                                      {{1, "a", "one", {}}, {2, "a", "two", {}}, {3, "a", "three", {}}, {4, "a", "four", {}}});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QVERIFY(list.SetAbsolutePosition(2));
        QVERIFY(list.Delete());
        QVERIFY(list.IsDeleted());
        QCOMPARE(list.Word(), QString());
        QVERIFY(!list.Edit());
        QVERIFY(list.MoveNext());
        QCOMPARE(list.Word(), QStringLiteral("three"));
        QCOMPARE(list.CountRows(), 3);
        QVERIFY(list.SetAbsolutePosition(2));
        QCOMPARE(list.Word(), QStringLiteral("three"));
        QVERIFY(!list.SetAbsolutePosition(4));
        QVERIFY(list.IsEOF());
        QVERIFY(list.MoveFirst());
        QVERIFY(list.Delete());
        QVERIFY(list.MoveFirst());
        QCOMPARE(list.Word(), QStringLiteral("three"));
        QCOMPARE(TestLists::Walk(list), (QStringList{"3:three", "4:four"}));
        QVERIFY(list.Requery());
        QCOMPARE(TestLists::Walk(list), (QStringList{"3:three", "4:four"}));

        // Deleting every row leaves an empty cursor.
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
            QVERIFY(list.Delete());
        QVERIFY(list.IsBOF() && list.IsEOF());
        QCOMPARE(list.CountRows(), 0);
    }

    void overLongValuesAreRefused_data()
    {
        QTest::addColumn<int>("wordLength");
        QTest::addColumn<int>("creatorLength");
        QTest::addColumn<bool>("stored");
        QTest::newRow("at the limits") << 50 << 25 << true;
        QTest::newRow("word too long") << 51 << 5 << false;
        QTest::newRow("creator too long") << 5 << 26 << false;
    }

    void overLongValuesAreRefused()
    {
        QFETCH(int, wordLength);
        QFETCH(int, creatorLength);
        QFETCH(bool, stored);
        const QString file = makeList(QStringLiteral("long.orthex"), {{1, "a", "one", {}}});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        const QString word(wordLength, QLatin1Char('w'));
        const QString creator(creatorLength, QLatin1Char('c'));
        CRecordingMessageSink sink;
        QCOMPARE(list.AppendWord(2, creator, word, {}), stored);
        QStringList expectedTexts;
        if (wordLength > 50)
            expectedTexts << ListMessages::WordTooLong(word, 50);
        else if (creatorLength > 25)
            expectedTexts << ListMessages::CreatorTooLong(creator, 25);
        QCOMPARE(sink.Texts(), expectedTexts);
        QCOMPARE(list.GetEditMode(), CSpellingListDB::EditMode::None);

        // Editing is checked the same way.
        sink.Clear();
        QVERIFY(list.MoveFirst());
        QVERIFY(list.Edit());
        list.SetWord(word);
        list.SetCreatedBy(creator);
        QCOMPARE(list.Update(), stored);
        QCOMPARE(sink.Texts(), expectedTexts);
        list.CancelUpdate();
        QVERIFY(list.Requery());
        QCOMPARE(list.CountRows(), stored ? 2 : 1);
        QVERIFY(list.MoveFirst());
        QCOMPARE(list.Word(), stored ? word : QStringLiteral("one"));
    }

    void aRolledBackTransactionLeavesTheListAsItWas()
    {
        const QString file = makeList(QStringLiteral("tx.orthex"), {{1, "a", "one", {}}, {2, "a", "two", {}}, {3, "a", "three", {}}});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        const QByteArray before = TestFiles::Read(file);
        {
            CListTransaction transaction(list);
            QVERIFY(transaction.IsActive());
            for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
                QVERIFY(list.Edit());
                list.SetOrder(list.Order() + 10);
                QVERIFY(list.Update());
            }
            QVERIFY(list.MoveFirst());
            QVERIFY(list.Delete());
            QCOMPARE(list.CountRows(), 2);
            // Leaving without Commit, as a failure in the middle would.
        }
        QCOMPARE(TestLists::Walk(list), (QStringList{"1:one", "2:two", "3:three"}));
        QCOMPARE(TestFiles::Read(file), before);
        {
            CListTransaction transaction(list);
            QVERIFY(list.MoveFirst());
            QVERIFY(list.Delete());
            QVERIFY(transaction.Commit());
        }
        QCOMPARE(TestLists::Walk(list), (QStringList{"2:two", "3:three"}));
        CListDatabase other;
        QVERIFY(other.Open(file, CListDatabase::Access::ReadOnly));
        CSpellingListDB otherList(other);
        QVERIFY(otherList.Open());
        QCOMPARE(TestLists::Walk(otherList), (QStringList{"2:two", "3:three"}));
    }

    void openingAndReadingLeavesTheFileIntact()
    {
        const QString file = makeList(QStringLiteral("intact.orthex"), {{1, "a", "one", fakeWav(4, 5000)}});
        QVERIFY(!file.isEmpty());
        const QByteArray before = TestFiles::Read(file);
        {
            CListDatabase db;
            QVERIFY(db.Open(file));
            CSpellingListDB list(db);
            QVERIFY(list.Open());
            QCOMPARE(list.CountRows(), 1);
            const std::optional<SWordRow> row = list.ReadWord(1);
            QVERIFY(row);
            QCOMPARE(row->word, QStringLiteral("one"));
            QVERIFY(list.Requery());
        }
        QCOMPARE(TestFiles::Read(file), before);
        QCOMPARE(TestFiles::FilesIn(m_dir->path()), QStringList{"intact.orthex"});
    }

    void aListInWriteAheadModeIsSwitchedBack()
    {
        const QString file = makeList(QStringLiteral("wal.orthex"), {{1, "a", "one", {}}});
        QVERIFY(!file.isEmpty());
        {
            CSqliteDatabase raw;
            QVERIFY(raw.Open(file, CSqliteDatabase::Mode::ReadWrite));
            QVERIFY(raw.Execute("PRAGMA journal_mode=WAL"));
        }
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSqliteStatement journal(db.Connection(), "PRAGMA journal_mode");
        QCOMPARE(journal.Next(), CSqliteStatement::Step::Row);
        QCOMPARE(journal.Text(0), QStringLiteral("delete"));
        CSqliteStatement sync(db.Connection(), "PRAGMA synchronous");
        QCOMPARE(sync.Next(), CSqliteStatement::Step::Row);
        QCOMPARE(sync.Int(0), 2);  // FULL
    }

    void aRowRemovedByAnotherCopyCannotBeEdited()
    {
        const QString file = makeList(QStringLiteral("shared.orthex"), {{1, "a", "one", {}}, {2, "a", "two", {}}});
        QVERIFY(!file.isEmpty());
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        {
            CSqliteDatabase other;
            QVERIFY(other.Open(file, CSqliteDatabase::Mode::ReadWrite));
            QVERIFY(other.Execute("DELETE FROM tblList WHERE Word='one'"));
        }
        CRecordingMessageSink sink;
        QVERIFY(list.MoveFirst());
        QVERIFY(list.Edit());
        list.SetOrder(7);
        QVERIFY(!list.Update());
        QCOMPARE(sink.Texts().size(), 1);
        QVERIFY(sink.Texts().first().startsWith(ListMessages::CannotChange(file, QString())));
        QCOMPARE(TestLists::Walk(list), QStringList{"2:two"});
    }

    void valuesWrittenByOtherProgramsAreRead()
    {
        const QString file = path(QStringLiteral("foreign.orthex"));
        QVERIFY(TestLists::Make(file, {{1, QStringLiteral("Zoë"), QStringLiteral("naïve"), QByteArray()},
                                       {2, QString(), QStringLiteral("日本"), fakeWav(5, 10)}}));
        {
            CSqliteDatabase raw;
            QVERIFY(raw.Open(file, CSqliteDatabase::Mode::ReadWrite));
            QVERIFY(raw.Execute("INSERT INTO tblList ([Order], CreatedBy, Word, Sound) VALUES (3, NULL, NULL, NULL)"));
        }
        CListDatabase db;
        QVERIFY(db.Open(file));
        CSpellingListDB list(db);
        QVERIFY(list.Open());
        QCOMPARE(list.ListWords(), (QStringList{QStringLiteral("naïve"), QStringLiteral("日本")}));
        QVERIFY(list.SetAbsolutePosition(1));
        QCOMPARE(list.CreatedBy(), QStringLiteral("Zoë"));
        QCOMPARE(list.SoundSize(), 0);
        QVERIFY(list.SetAbsolutePosition(3));
        QCOMPARE(list.Word(), QString());
        QCOMPARE(list.SoundSize(), 0);
        QCOMPARE(list.Sound(), QByteArray());
    }

    // Words waiting for a list come back in their order, byte for byte, from a file on disk
    // (not memory) that no folder shows, so that a killed import leaves nothing behind.
    void stagedWordsAreKeptOnDiskUnseen()
    {
        StagedWords staged;
        QCOMPARE(staged.count(), 0);
        QVERIFY(staged.forEach([](const QString&, const QByteArray&) { return false; }));  // none to take
        const QStringList words{"cat", QStringLiteral("\u00E9t\u00E9"), "dog"};
        for (int i = 0; i < words.size(); ++i)
            QVERIFY(staged.add(words.at(i), fakeWav(i, 3 * 1024 * 1024)));  // far past the cache
        QCOMPARE(staged.words(), words);
        QStringList read;
        QVERIFY(staged.forEach([&](const QString& word, const QByteArray& sound) {
            if (sound != fakeWav(int(read.size()), 3 * 1024 * 1024))
                return false;
            read << word;
            return true;
        }));
        QCOMPARE(read, words);
        // Stops at the first refusal.
        int taken = 0;
        QVERIFY(!staged.forEach([&](const QString&, const QByteArray&) { return ++taken < 2; }));
        QCOMPARE(taken, 2);
#ifdef Q_OS_LINUX
        // Open, but unlinked: its descriptor names a deleted file.
        int unlinked = 0;
        const QDir fds(QStringLiteral("/proc/self/fd"));
        for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            char target[4096];
            const ssize_t size = ::readlink(QFile::encodeName(QStringLiteral("/proc/self/fd/") + fd).constData(), target,
                                            sizeof target);
            unlinked += size > 0 && QByteArrayView(target, size).endsWith(" (deleted)") ? 1 : 0;
        }
        QVERIFY(unlinked >= 1);
#endif
    }
};

ORTHEX_TEST_MAIN(SpellingListDBTest)
#include "spellinglistdb_test.moc"
