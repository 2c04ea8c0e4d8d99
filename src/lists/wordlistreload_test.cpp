#include "storage/listmessages.h"
#include "document/orthexdoc.h"
#include "lists/wordlistreload.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testlists.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using TestLists::Row;
using Outcome = CWordListReload::Outcome;

Q_DECLARE_METATYPE(CWordListReload::Outcome)

namespace {
// What another program does to the list file while it is open.
enum class Meddle { None, AddRow, DropTable, ReplaceFile };
}  // namespace
Q_DECLARE_METATYPE(Meddle)

class WordListReloadTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageSink> m_sink;

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/reload-XXXXXX"));
        QVERIFY(m_dir->isValid());
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void cleanup() { m_sink.reset(); }

    void reload_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<Meddle>("meddle");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("listOpen");

        QTest::newRow("words in their order")
            << QList<Row>{{2, "Ms Brown", "second", {}}, {1, "Ms Brown", "first", {}}, {3, "Ms Brown", "third", {}}}
            << Meddle::None << Outcome::Loaded << QStringList{"first", "second", "third"} << true;
        QTest::newRow("rows without a word are left out")
            << TestLists::Numbered({"one", "", "three"}) << Meddle::None << Outcome::Loaded
            << QStringList{"one", "three"} << true;
        QTest::newRow("only rows without a word") << TestLists::Numbered({"", ""}) << Meddle::None
                                                  << Outcome::Loaded << QStringList{} << true;
        QTest::newRow("no rows") << QList<Row>{} << Meddle::None << Outcome::NoWords << QStringList{} << true;
        QTest::newRow("a row added by another program is read")
            << TestLists::Numbered({"one"}) << Meddle::AddRow << Outcome::Loaded << QStringList{"one", "added"}
            << true;
        QTest::newRow("table gone: reopened as far as the connection")
            << TestLists::Numbered({"one"}) << Meddle::DropTable << Outcome::NotOpened << QStringList{} << false;
        QTest::newRow("file replaced: reopen fails") << TestLists::Numbered({"one"}) << Meddle::ReplaceFile
                                                     << Outcome::Closed << QStringList{} << false;
    }

    void reload()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(Meddle, meddle);
        QFETCH(Outcome, outcome);
        QFETCH(QStringList, words);
        QFETCH(bool, listOpen);
        const QString path = m_dir->filePath(QStringLiteral("Week 1.orthex"));
        QVERIFY(TestLists::Make(path, rows));
        COrthexDoc doc;
        QVERIFY(doc.OpenDocumentFile(path));

        if (meddle != Meddle::None) {
            CSqliteDatabase other;
            QVERIFY(other.Open(path, CSqliteDatabase::Mode::ReadWrite));
            if (meddle == Meddle::AddRow)
                QVERIFY(other.Execute("INSERT INTO tblList VALUES (2, 'Mr Green', 'added', NULL)"));
            else
                QVERIFY(other.Execute("DROP TABLE tblList"));
        }
        if (meddle == Meddle::ReplaceFile) {
            const QString stranger = m_dir->filePath(QStringLiteral("notes.txt"));
            QFile file(stranger);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a list");
            file.close();
            QVERIFY(QFile::remove(path));
            QVERIFY(QFile::rename(stranger, path));
        }

        const CWordListReload::Result result = CWordListReload::Run(doc);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.words, words);
        QCOMPARE(doc.IsListOpen(), listOpen);

        QStringList texts;
        if (meddle == Meddle::DropTable)
            texts << ListMessages::CannotOpen(path, QStringLiteral("no such table: tblList"))
                  << QStringLiteral("CWords::OnBnClickedCancel -- DB Not Opened");
        if (meddle == Meddle::ReplaceFile)
            texts << ListMessages::NotAList(path);
        QCOMPARE(m_sink->Texts(), texts);
    }

    void noListOpen()
    {
        COrthexDoc doc;
        const CWordListReload::Result result = CWordListReload::Run(doc);
        QCOMPARE(result.outcome, Outcome::NoWords);
        QVERIFY(result.words.isEmpty());
        QVERIFY(m_sink->Texts().isEmpty());
    }
};

ORTHEX_TEST_MAIN(WordListReloadTest)
#include "wordlistreload_test.moc"
