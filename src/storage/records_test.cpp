#include "base/archive.h"
#include "storage/records.h"
#include "testing/testarchive.h"
#include "testing/testenvironment.h"

#include <QBuffer>
#include <QtTest>

namespace {

QByteArray Text(const QString& text)
{
    QByteArray bytes = QByteArray::fromHex("FFFEFF");
    bytes.append(char(text.size()));
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

template <class T>
QByteArray Stored(T record)
{
    return TestArchive::Stored([&](CArchive& ar) { record.Serialize(ar); });
}

template <class T>
T Loaded(QByteArray bytes, T record = T())
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(buffer, CArchive::Load);
    record.Serialize(ar);
    return record;
}

CGrade Grade(const QString& list, const QString& date, qint32 correct, qint32 words)
{
    CGrade g;
    g.SetListName(list);
    g.SetDateText(date);
    g.SetCorrectCount(correct);
    g.SetWordCount(words);
    return g;
}

CMissed Missed(const QString& list, const QString& date, const QString& word, const QString& typed)
{
    CMissed m;
    m.SetListName(list);
    m.SetDateText(date);
    m.SetWord(word);
    m.SetMisspelling(typed);
    return m;
}

CVocabulary Vocabulary(const QString& list, const QString& date, const QString& word, const QString& extra)
{
    CVocabulary v;
    v.SetListName(list);
    v.SetDateText(date);
    v.SetWord(word);
    v.SetExtra(extra);
    return v;
}

}  // namespace

class RecordsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecordsAreEmpty()
    {
        const CGrade g;
        QVERIFY(g.GetListName().isEmpty() && g.GetDateText().isEmpty());
        QCOMPARE(g.GetCorrectCount(), 0);
        QCOMPARE(g.GetWordCount(), 0);
        const CMissed m;
        QVERIFY(m.GetListName().isEmpty() && m.GetDateText().isEmpty() && m.GetWord().isEmpty()
                && m.GetMisspelling().isEmpty() && m.GetErrors().isEmpty());
        const CVocabulary v;
        QVERIFY(v.GetListName().isEmpty() && v.GetDateText().isEmpty() && v.GetWord().isEmpty()
                && v.GetExtra().isEmpty());
    }

    // The grade stores its counts first and its date before its list name.
    void gradeFieldOrder_data()
    {
        QTest::addColumn<qint32>("correct");
        QTest::addColumn<qint32>("words");
        QTest::addColumn<QByteArray>("counts");
        QTest::newRow("8 of 10") << 8 << 10 << QByteArray::fromHex("08000000 0A000000");
        QTest::newRow("zero") << 0 << 0 << QByteArray::fromHex("00000000 00000000");
        QTest::newRow("negative") << -1 << -300 << QByteArray::fromHex("FFFFFFFF D4FEFFFF");
        QTest::newRow("extremes") << std::numeric_limits<qint32>::min() << std::numeric_limits<qint32>::max()
                                  << QByteArray::fromHex("00000080 FFFFFF7F");
    }

    void gradeFieldOrder()
    {
        QFETCH(qint32, correct);
        QFETCH(qint32, words);
        QFETCH(QByteArray, counts);
        const CGrade g = Grade("Week1--Repeat", "12/08/26, 03:10 AM", correct, words);
        const QByteArray expected = counts + Text("12/08/26, 03:10 AM") + Text("Week1--Repeat");
        QCOMPARE(Stored(g), expected);
        QCOMPARE(Loaded<CGrade>(expected), g);
    }

    void missedFieldOrder()
    {
        CMissed m = Missed("Week1", "12/08/26, 03:10 AM", "receive", "recieve");
        m.SetErrors("ie/ei");
        const QByteArray expected = Text("Week1") + Text("12/08/26, 03:10 AM") + Text("receive") + Text("recieve");
        QCOMPARE(Stored(m), expected);
        const CMissed back = Loaded<CMissed>(expected);
        QCOMPARE(back.GetWord(), QStringLiteral("receive"));
        QCOMPARE(back.GetMisspelling(), QStringLiteral("recieve"));
    }

    // Loading a missed word empties its errors text, whatever it held before.
    void loadingMissedEmptiesErrors()
    {
        CMissed before = Missed("Old", "Time Error", "a", "b");
        before.SetErrors("Dropped final e");
        const CMissed back = Loaded(Stored(Missed("Week2", "d", "phone", "fone")), before);
        QCOMPARE(back, Missed("Week2", "d", "phone", "fone"));
        QVERIFY(back.GetErrors().isEmpty());
    }

    void vocabularyFieldOrder()
    {
        const CVocabulary v = Vocabulary("Week1", "12/08/26, 03:10 AM", "rhythm", "x");
        const QByteArray expected = Text("Week1") + Text("12/08/26, 03:10 AM") + Text("rhythm") + Text("x");
        QCOMPARE(Stored(v), expected);
        QCOMPARE(Loaded<CVocabulary>(expected), v);
    }

    // A read that fails part way leaves the record as it was.
    void failedLoadLeavesRecordUnchanged_data()
    {
        QTest::addColumn<int>("cut");
        const int size = Stored(Missed("Week1", "date", "word", "wrod")).size();
        for (int cut : {0, 3, 10, size / 2, size - 1})
            QTest::newRow(qPrintable(QString::number(cut))) << cut;
    }

    void failedLoadLeavesRecordUnchanged()
    {
        QFETCH(int, cut);
        QByteArray bytes = Stored(Missed("Week1", "date", "word", "wrod")).left(cut);
        CMissed record = Missed("Keep", "me", "as", "is");
        record.SetErrors("label");
        const CMissed original = record;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        QVERIFY_THROWS_EXCEPTION(CArchiveException, record.Serialize(ar));
        QCOMPARE(record, original);
    }
};

ORTHEX_TEST_MAIN(RecordsTest)
#include "records_test.moc"
