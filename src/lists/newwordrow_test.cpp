#include "base/boundedfile.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "lists/newwordrow.h"
#include "document/orthexdoc.h"
#include "document/usersession.h"
#include "sound/recordingcheck.h"
#include "testing/recordingmessagesink.h"
#include "testing/testenvironment.h"
#include "testing/testlists.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

using TestLists::Row;
using Result = CNewWordRow::Result;

Q_DECLARE_METATYPE(CNewWordRow::Result)

namespace {
class CFixedUserSession : public CNoUserSession
{
public:
    explicit CFixedUserSession(QString name) : m_name(std::move(name)) {}
    QString LogInAtStart() override { return m_name; }

private:
    QString m_name;
};
}  // namespace

class NewWordRowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<CRecordingMessageSink> m_sink;

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>(CTestEnvironment::Instance().Root() + QStringLiteral("/row-XXXXXX"));
        QVERIFY(m_dir->isValid());
        m_sink = std::make_unique<CRecordingMessageSink>();
    }

    void cleanup() { m_sink.reset(); }

    void append_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("sound");  // empty: no recording file at all; FIFO, SPARSE: see append
        QTest::addColumn<Result>("result");

        QTest::newRow("stored with its user") << "Ms Brown" << "necessary" << TestLists::FakeSound(1, 70000)
                                              << Result::Stored;
        QTest::newRow("nobody logged in") << "" << "rhythm" << TestLists::FakeSound(2) << Result::Stored;
        QTest::newRow("word of 50 characters") << "Ms Brown" << QString(50, QLatin1Char('w'))
                                               << TestLists::FakeSound(3) << Result::Stored;
        QTest::newRow("a sentence with spaces kept") << "Ms Brown" << "  their  " << TestLists::FakeSound(4)
                                                     << Result::Stored;
        QTest::newRow("no recording") << "Ms Brown" << "word" << QByteArray() << Result::NotRead;
        QTest::newRow("a pipe in place of the recording") << "Ms Brown" << "word" << QByteArray("FIFO") << Result::NotRead;
        QTest::newRow("a sparse recording of 3 GB") << "Ms Brown" << "word" << QByteArray("SPARSE") << Result::Unplayable;
        QTest::newRow("recording at 1 Hz") << "Ms Brown" << "word"
                                           << TestWav::File(TestWav::Fmt(1, 1, 1, 16), QByteArray(100, 'x'))
                                           << Result::Unplayable;
        QTest::newRow("recording without sound") << "Ms Brown" << "word" << TestWav::Pcm16({}) << Result::Unplayable;
        QTest::newRow("word of 51 characters") << "Ms Brown" << QString(51, QLatin1Char('w'))
                                               << TestLists::FakeSound(5) << Result::NotStored;
        QTest::newRow("creator of 26 characters") << QString(26, QLatin1Char('u')) << "word"
                                                  << TestLists::FakeSound(6) << Result::NotStored;
    }

    void append()
    {
        QFETCH(QString, user);
        QFETCH(QString, word);
        QFETCH(QByteArray, sound);
        QFETCH(Result, result);
        const QString listPath = m_dir->filePath(QStringLiteral("list.orthex"));
        // Numbered with a gap: the new word still comes after the highest number.
        QList<Row> before = TestLists::Numbered({"first"});
        before[0].order = 4;
        QVERIFY(TestLists::Make(listPath, before));
        // The recording folder is shared: anything may stand at the path, and nothing is waited on
        // or read whole without a limit.
        const bool fifo = sound == "FIFO";
        const bool sparse = sound == "SPARSE";
        const QString wavPath = sound.isEmpty() || fifo || sparse ? m_dir->filePath(QStringLiteral("Temp.wav"))
                                                                  : writeFile(QStringLiteral("Temp.wav"), sound);
        QVERIFY(!wavPath.isEmpty());
        if (fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(wavPath).constData(), 0600), 0);
        if (QFile made(wavPath); sparse)
            QVERIFY(made.open(QIODevice::WriteOnly) && made.resize(3LL << 30));
        COrthexDoc doc(std::make_unique<CFixedUserSession>(user));
        QVERIFY(doc.OpenList(listPath));

        QCOMPARE(CNewWordRow::Append(doc, word, wavPath), result);

        QList<Row> expected = before;
        QStringList texts;
        switch (result) {
        case Result::Stored:
            expected.append({5, user, word, sound});
            break;
        case Result::NotRead: {
            QFile unread;
            QString why;
            BoundedFile::Open(unread, wavPath, &why);
            texts << why;
            break;
        }
        case Result::Unplayable:
            texts << CNewWordRow::UnplayableMessage(wavPath, sparse ? BoundedFile::TooLargeText(RecordingCheck::kMaxBytes)
                                                                    : RecordingCheck::UnplayableReason(sound));
            break;
        case Result::NotStored:
            texts << (word.size() > CListDatabase::kMaxWordLength
                          ? ListMessages::WordTooLong(word, CListDatabase::kMaxWordLength)
                          : ListMessages::CreatorTooLong(user, CListDatabase::kMaxCreatedByLength));
            break;
        default:
            break;
        }
        QCOMPARE(m_sink->Texts(), texts);
        QCOMPARE(TestLists::Read(listPath), expected);
        QCOMPARE(doc.GetWordCount(), int(expected.size()));
    }

    void noListStoresNothing()
    {
        const QString wavPath = writeFile(QStringLiteral("Temp.wav"), TestLists::FakeSound(9));
        COrthexDoc doc(std::make_unique<CFixedUserSession>(QStringLiteral("Ms Brown")));
        QCOMPARE(CNewWordRow::Append(doc, QStringLiteral("word"), wavPath), Result::NoList);
        QVERIFY(m_sink->Texts().isEmpty());
    }
};

ORTHEX_TEST_MAIN(NewWordRowTest)
#include "newwordrow_test.moc"
