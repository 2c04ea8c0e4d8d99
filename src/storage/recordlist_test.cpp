#include "storage/recordlist.h"
#include "storage/records.h"
#include "testing/testenvironment.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <QtTest>

#include <optional>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray Utf16(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// A short text in its usual stored form.
QByteArray Text(const QString& text)
{
    return Hex("FFFEFF") + char(text.size()) + Utf16(text);
}

QByteArray NewClass(const QByteArray& name, quint16 schema)
{
    QByteArray bytes = Hex("FFFF");
    bytes.append(char(schema & 0xFF)).append(char(schema >> 8));
    bytes.append(char(name.size())).append('\0');
    return bytes + name;
}

const QByteArray kGradeClass = NewClass("CGrade", 0);
const QByteArray kMissedClass = NewClass("CMissed", 0);
const QByteArray kVocabularyClass = NewClass("CVocabulary", 1);
// The fields of one grade, one missed word and one vocabulary word.
const QByteArray kGradeFields = Hex("08000000 0A000000") + Text("d") + Text("L");
const QByteArray kFourTexts = Text("L") + Text("d") + Text("w") + Text("x");

// The user record goes through the same list functions; this stand-in has its layout.
struct CTestUser {
    static constexpr const char* kClassName = "CUser";
    static constexpr quint16 kSchema = 0;
    QString name;
    QString password;
    void Serialize(CArchive& ar)
    {
        if (ar.IsStoring()) {
            ar.WriteText(name);
            ar.WriteText(password);
        } else {
            name = ar.ReadText();
            password = ar.ReadText();
        }
    }
};

// Loads bytes into list; the archive error, if any.
template <class T>
std::optional<CArchiveException> LoadBytes(const QByteArray& bytes, CRecordList<T>& list)
{
    try {
        LoadListBytes(bytes, list);
    } catch (const CArchiveException& e) {
        return e;
    }
    return std::nullopt;
}

struct SLoadResult {
    qsizetype records = 0;
    std::optional<CArchiveException> error;
};

SLoadResult LoadKind(const QString& kind, const QByteArray& bytes)
{
    SLoadResult result;
    if (kind == QLatin1String("grades")) {
        CRecordList<CGrade> list;
        result.error = LoadBytes(bytes, list);
        result.records = list.size();
    } else if (kind == QLatin1String("missed")) {
        CRecordList<CMissed> list;
        result.error = LoadBytes(bytes, list);
        result.records = list.size();
    } else if (kind == QLatin1String("vocabulary")) {
        CRecordList<CVocabulary> list;
        result.error = LoadBytes(bytes, list);
        result.records = list.size();
    } else {
        CRecordList<CTestUser> list;
        result.error = LoadBytes(bytes, list);
        result.records = list.size();
    }
    return result;
}

std::unique_ptr<CGrade> Grade(const QString& list, const QString& date, qint32 correct, qint32 words)
{
    auto g = std::make_unique<CGrade>();
    g->SetListName(list);
    g->SetDateText(date);
    g->SetCorrectCount(correct);
    g->SetWordCount(words);
    return g;
}

std::unique_ptr<CMissed> Missed(const QString& word, const QString& typed)
{
    auto m = std::make_unique<CMissed>();
    m->SetListName(QStringLiteral("Spelling Week 3"));
    m->SetDateText(QStringLiteral("12/08/26, 03:10 AM"));
    m->SetWord(word);
    m->SetMisspelling(typed);
    return m;
}

std::unique_ptr<CVocabulary> Vocabulary(const QString& word, const QString& extra)
{
    auto v = std::make_unique<CVocabulary>();
    v->SetListName(QStringLiteral("Animals"));
    v->SetDateText(QStringLiteral("01/02/26, 12:00 PM"));
    v->SetWord(word);
    v->SetExtra(extra);
    return v;
}

// Three valid records of each kind, whose texts use all three length forms and cross the
// archive's buffer size.
template <class T>
CRecordList<T> ThreeRecords();

template <>
CRecordList<CGrade> ThreeRecords()
{
    CRecordList<CGrade> list;
    list.AddTail(Grade("Week1", "12/08/26, 03:10 AM", 8, 10));
    list.AddTail(Grade(QString(300, u'g') + "--Repeat", "Time Error", -1, 0));
    list.AddTail(Grade(QString(2500, u'\u00e9'), "", 65535, 70000));
    return list;
}

template <>
CRecordList<CMissed> ThreeRecords()
{
    CRecordList<CMissed> list;
    list.AddTail(Missed("receive", "recieve"));
    list.AddTail(Missed(QString(300, u'p'), "fone"));
    list.AddTail(Missed("rhythm", QString(3000, u'\u0444')));
    return list;
}

template <>
CRecordList<CVocabulary> ThreeRecords()
{
    CRecordList<CVocabulary> list;
    list.AddTail(Vocabulary("giraffe", ""));
    list.AddTail(Vocabulary(QString(255, u'v'), "x"));
    list.AddTail(Vocabulary("hippopotamus", QString(2100, u'e')));
    return list;
}

// Byte offset at which each record of a stored list ends.
template <class T>
QList<qint64> RecordEnds(const CRecordList<T>& records)
{
    QList<qint64> ends;
    CRecordList<T> prefix;
    for (const T& r : records) {
        prefix.AddTail(std::make_unique<T>(r));
        ends << StoreListBytes(prefix).size();
    }
    return ends;
}

template <class T>
void CheckEveryCut()
{
    const CRecordList<T> records = ThreeRecords<T>();
    const QByteArray bytes = StoreListBytes(records);
    const QList<qint64> ends = RecordEnds(records);
    QCOMPARE(ends.size(), 3);
    QCOMPARE(ends.last(), qint64(bytes.size()));
    for (qint64 cut = 0; cut < bytes.size(); ++cut) {
        CRecordList<T> list;
        list.AddTail(std::make_unique<T>());  // a record already held stays first
        const std::optional<CArchiveException> error = LoadBytes(bytes.left(cut), list);
        if (!error)
            QFAIL(qPrintable(QStringLiteral("no archive error for a cut at %1").arg(cut)));
        QCOMPARE(error->Offset(), cut);
        QVERIFY2(error->Reason().startsWith(QLatin1String("the stream ends inside ")),
                 qPrintable(error->Reason()));
        const qsizetype complete = std::count_if(ends.begin(), ends.end(), [&](qint64 end) { return end <= cut; });
        QCOMPARE(list.size(), 1 + complete);
        QCOMPARE(list.at(0), T());
        for (qsizetype i = 0; i < complete; ++i)
            QCOMPARE(list.at(1 + i), records.at(i));
    }
    CRecordList<T> whole;
    QVERIFY(!LoadBytes(bytes, whole));
    QCOMPARE(whole.size(), 3);
}

}  // namespace

class RecordListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void headAndTailOrder()
    {
        CRecordList<CGrade> list;
        QVERIFY(list.isEmpty());
        list.AddTail(Grade("b", "", 0, 0));
        list.AddHead(Grade("a", "", 0, 0));
        list.AddTail(Grade("c", "", 0, 0));
        list.AddHead(nullptr);
        list.AddTail(nullptr);
        QStringList names;
        for (const CGrade& g : std::as_const(list))
            names << g.GetListName();
        QCOMPARE(names, QStringList({"a", "b", "c"}));

        for (CGrade& g : list)
            g.SetCorrectCount(7);
        QCOMPARE(list.at(2).GetCorrectCount(), 7);

        std::unique_ptr<CGrade> removed = list.RemoveAt(1);
        QCOMPARE(removed->GetListName(), QStringLiteral("b"));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(1).GetListName(), QStringLiteral("c"));

        std::vector<std::unique_ptr<CGrade>> all = list.TakeAll();
        QCOMPARE(all.size(), size_t(2));
        QCOMPARE(all[0]->GetListName(), QStringLiteral("a"));
        QVERIFY(list.isEmpty());

        list.AddTail(std::move(all[1]));
        CRecordList<CGrade> moved = std::move(list);
        QCOMPARE(moved.size(), 1);
        moved.Clear();
        QVERIFY(moved.isEmpty());
    }

    // The grade list of one grade, byte for byte.
    void gradeExampleBytes()
    {
        CRecordList<CGrade> list;
        list.AddTail(Grade("Week1", "12/08/26, 03:10 AM", 8, 10));
        const QByteArray expected = Hex("0100") + kGradeClass + Hex("08000000 0A000000") + Hex("FFFEFF12")
                                    + Utf16("12/08/26, 03:10 AM") + Hex("FFFEFF05") + Utf16("Week1");
        QCOMPARE(expected.size(), 76);
        QCOMPARE(StoreListBytes(list), expected);

        CRecordList<CGrade> back;
        QVERIFY(!LoadBytes(expected, back));
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.at(0), list.at(0));
    }

    void emptyList_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("grades") << "grades";
        QTest::newRow("missed") << "missed";
        QTest::newRow("vocabulary") << "vocabulary";
        QTest::newRow("users") << "users";
    }

    void emptyList()
    {
        QFETCH(QString, kind);
        QCOMPARE(StoreListBytes(CRecordList<CGrade>()), Hex("0000"));
        QCOMPARE(StoreListBytes(CRecordList<CMissed>()), Hex("0000"));
        QCOMPARE(StoreListBytes(CRecordList<CVocabulary>()), Hex("0000"));
        QCOMPARE(StoreListBytes(CRecordList<CTestUser>()), Hex("0000"));
        const SLoadResult result = LoadKind(kind, Hex("0000"));
        QVERIFY(!result.error);
        QCOMPARE(result.records, 0);
    }

    // Counts below 0xFFFF take 2 bytes; from 0xFFFF on, FF FF and 4 bytes.
    void largeCounts_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("head");
        QTest::newRow("65534") << 65534 << Hex("FEFF");
        QTest::newRow("65535") << 65535 << Hex("FFFF FFFF0000");
        QTest::newRow("65536") << 65536 << Hex("FFFF 00000100");
    }

    void largeCounts()
    {
        QFETCH(int, count);
        QFETCH(QByteArray, head);
        CRecordList<CGrade> list;
        for (int i = 0; i < count; ++i)
            list.AddTail(Grade({}, {}, i, -i));
        const QByteArray bytes = StoreListBytes(list);
        QCOMPARE(bytes.left(head.size()), head);
        // The class description once, then the 2-byte class index before every further grade.
        const qsizetype fields = 8 + 4 + 4;
        QCOMPARE(bytes.size(), head.size() + kGradeClass.size() + fields + (count - 1) * (2 + fields));

        CRecordList<CGrade> back;
        QVERIFY(!LoadBytes(bytes, back));
        QCOMPARE(back.size(), count);
        QCOMPARE(back.at(count - 1).GetCorrectCount(), count - 1);
        QCOMPARE(back.at(count - 1).GetWordCount(), 1 - count);
    }

    // The first entry carries the class description, each later one the class index 1.
    void classTags_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("description");
        QTest::newRow("grades") << "grades" << Hex("FFFF 0000 0600") + "CGrade";
        QTest::newRow("missed") << "missed" << Hex("FFFF 0000 0700") + "CMissed";
        QTest::newRow("vocabulary") << "vocabulary" << Hex("FFFF 0100 0B00") + "CVocabulary";
        QTest::newRow("users") << "users" << Hex("FFFF 0000 0500") + "CUser";
    }

    void classTags()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, description);
        QByteArray bytes;
        QList<qint64> ends;
        if (kind == QLatin1String("grades")) {
            bytes = StoreListBytes(ThreeRecords<CGrade>());
            ends = RecordEnds(ThreeRecords<CGrade>());
        } else if (kind == QLatin1String("missed")) {
            bytes = StoreListBytes(ThreeRecords<CMissed>());
            ends = RecordEnds(ThreeRecords<CMissed>());
        } else if (kind == QLatin1String("vocabulary")) {
            bytes = StoreListBytes(ThreeRecords<CVocabulary>());
            ends = RecordEnds(ThreeRecords<CVocabulary>());
        } else {
            CRecordList<CTestUser> users;
            for (const char* name : {"Ann", "Bob", "Cy"})
                users.AddTail(std::make_unique<CTestUser>(CTestUser{name, " "}));
            bytes = StoreListBytes(users);
            CRecordList<CTestUser> back;
            QVERIFY(!LoadBytes(bytes, back));
            QCOMPARE(back.at(2).name, QStringLiteral("Cy"));
            ends = {2 + description.size() + 10 + 6, 0, 0};
            ends[1] = ends[0] + 2 + 10 + 6;
        }
        QCOMPARE(bytes.left(2), Hex("0300"));
        QCOMPARE(bytes.mid(2, description.size()), description);
        QCOMPARE(bytes.mid(ends[0], 2), Hex("0180"));
        QCOMPARE(bytes.mid(ends[1], 2), Hex("0180"));
        QCOMPARE(LoadKind(kind, bytes).records, 3);
    }

    // Every damaged or unusual entry: how many records it leaves and which error it gives.
    void entries_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<qint64>("offset");  // -1: no error
        QTest::addColumn<QString>("reason");

        const QByteArray grade = kGradeClass + kGradeFields;
        const QByteArray two = Hex("0200") + grade;
        const qint64 second = two.size();  // offset of the second entry
        const QString ends = QStringLiteral("the stream ends inside an object entry");

        QTest::newRow("empty stream") << "grades" << QByteArray() << 0 << qint64(0)
                                      << "the stream ends inside the element count";
        QTest::newRow("count cut") << "grades" << Hex("01") << 0 << qint64(1)
                                   << "the stream ends inside the element count";
        QTest::newRow("tag cut") << "grades" << Hex("0100 FF") << 0 << qint64(3) << ends;
        QTest::newRow("class name cut") << "grades" << Hex("0100 FFFF 0000 0600") + "CGr" << 0 << qint64(11) << ends;

        QTest::newRow("unknown class") << "grades" << Hex("0100") + NewClass("CGrades", 0) + kGradeFields
                                       << 0 << qint64(8) << "unknown class \"CGrades\"";
        QTest::newRow("unknown odd name") << "grades" << Hex("0100") + NewClass("C\x01\\G", 0)
                                          << 0 << qint64(8) << "unknown class \"C\\x01\\x5cG\"";
        QTest::newRow("name of 63 bytes") << "grades" << Hex("0100") + NewClass(QByteArray(63, 'A'), 0)
                                          << 0 << qint64(8) << "unknown class \"" + QString(63, u'A') + "\"";
        QTest::newRow("name of 64 bytes") << "grades" << Hex("0100") + NewClass(QByteArray(64, 'A'), 0)
                                          << 0 << qint64(6) << "class name of 64 bytes is too long";
        QTest::newRow("name of 65535 bytes") << "grades" << Hex("0100 FFFF 0000 FFFF") << 0 << qint64(6)
                                             << "class name of 65535 bytes is too long";

        QTest::newRow("vocabulary schema 1") << "vocabulary" << Hex("0100") + kVocabularyClass + kFourTexts
                                             << 1 << qint64(-1) << "";
        QTest::newRow("vocabulary schema 0") << "vocabulary" << Hex("0100") + NewClass("CVocabulary", 0) + kFourTexts
                                             << 0 << qint64(4) << "class \"CVocabulary\" stored with schema 0, expected 1";
        QTest::newRow("grade schema 1") << "grades" << Hex("0100") + NewClass("CGrade", 1) + kGradeFields
                                        << 0 << qint64(4) << "class \"CGrade\" stored with schema 1, expected 0";
        QTest::newRow("missed schema 0x8000") << "missed" << Hex("0100") + NewClass("CMissed", 0x8000) + kFourTexts
                                              << 0 << qint64(4) << "class \"CMissed\" stored with schema 32768, expected 0";
        QTest::newRow("user schema 0") << "users" << Hex("0100") + NewClass("CUser", 0) + Text("a") + Text(" ")
                                       << 1 << qint64(-1) << "";

        QTest::newRow("missed in a grade list") << "grades" << Hex("0100") + kMissedClass + kFourTexts
                                                << 0 << qint64(2) << "unexpected class \"CMissed\" where \"CGrade\" belongs";
        QTest::newRow("user in a missed list") << "missed" << Hex("0100") + NewClass("CUser", 0) + Text("a") + Text("b")
                                               << 0 << qint64(2) << "unexpected class \"CUser\" where \"CMissed\" belongs";
        QTest::newRow("spelling rules in a vocabulary list") << "vocabulary" << Hex("0100") + NewClass("CSpellingRules", 0)
                                                             << 0 << qint64(2)
                                                             << "unexpected class \"CSpellingRules\" where \"CVocabulary\" belongs";
        QTest::newRow("grade in a user list") << "users" << Hex("0100") + grade
                                              << 0 << qint64(2) << "unexpected class \"CGrade\" where \"CUser\" belongs";
        QTest::newRow("second entry of another class") << "grades" << two + kMissedClass + kFourTexts
                                                       << 1 << second << "unexpected class \"CMissed\" where \"CGrade\" belongs";

        QTest::newRow("null entry") << "grades" << Hex("0200 0000") + grade << 1 << qint64(-1) << "";
        QTest::newRow("only null entries") << "missed" << Hex("0300 0000 0000 0000") << 0 << qint64(-1) << "";
        QTest::newRow("big null entry") << "grades" << Hex("0200 FF7F00000000") + grade << 1 << qint64(-1) << "";
        QTest::newRow("reference to an earlier record") << "grades" << two + Hex("0200") << 2 << qint64(-1) << "";
        QTest::newRow("big reference") << "grades" << two + Hex("FF7F 02000000") << 2 << qint64(-1) << "";
        QTest::newRow("big class index") << "grades" << two + Hex("FF7F 01000080") + kGradeFields << 2 << qint64(-1) << "";
        QTest::newRow("index after a reference") << "grades" << Hex("0400") + grade + Hex("0200 0180") + kGradeFields + Hex("0300")
                                                 << 4 << qint64(-1) << "";
        QTest::newRow("references repeating more than the stream holds")
            << "grades" << Hex("0400") + grade + Hex("0200 0200 0200") << 2 << qint64(2) + grade.size() + 2
            << "reference to object index 2 repeats more records than the stream holds";

        QTest::newRow("reference not read before") << "grades" << two + Hex("0300") << 1 << second
                                                   << "reference to object index 3, which was not read before";
        QTest::newRow("reference to the class") << "grades" << two + Hex("0100") << 1 << second
                                                << "reference to index 1 as an object, but it is a class";
        QTest::newRow("big reference not read") << "grades" << two + Hex("FF7F FFFFFF7F") << 1 << second
                                                << "reference to object index 2147483647, which was not read before";
        QTest::newRow("reference in the first entry") << "grades" << Hex("0100 0100") << 0 << qint64(2)
                                                      << "reference to object index 1, which was not read before";
        QTest::newRow("class index before any class") << "grades" << Hex("0100 0180") << 0 << qint64(2)
                                                      << "reference to class index 1, which was not read before";
        QTest::newRow("class index 0") << "grades" << two + Hex("0080") << 1 << second
                                       << "reference to class index 0, which was not read before";
        QTest::newRow("class index of an object") << "grades" << two + Hex("0280") << 1 << second
                                                  << "reference to index 2 as a class, but it is an object";
        QTest::newRow("big class index not read") << "grades" << two + Hex("FF7F 05000080") << 1 << second
                                                  << "reference to class index 5, which was not read before";

        QTest::newRow("count 0xFFFFFFFF, one record") << "grades" << Hex("FFFF FFFFFFFF") + grade
                                                      << 1 << qint64(6) + grade.size() << ends;
        QTest::newRow("count 65535, one record") << "missed" << Hex("FFFF FFFF0000") + kMissedClass + kFourTexts
                                                 << 1 << qint64(6) + kMissedClass.size() + kFourTexts.size() << ends;
        QTest::newRow("huge text in a record") << "missed" << Hex("0100") + kMissedClass + Hex("FFFEFF FF FFFF FFFFFF7F") + "ab"
                                               << 0 << qint64(2) + kMissedClass.size() + 12
                                               << "the stream ends inside a text";
    }

    void entries()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QFETCH(qint64, offset);
        QFETCH(QString, reason);
        const SLoadResult result = LoadKind(kind, bytes);
        QCOMPARE(result.records, records);
        if (offset < 0) {
            if (result.error)
                QFAIL(qPrintable(result.error->Text()));
            return;
        }
        QVERIFY(result.error.has_value());
        QCOMPARE(result.error->Reason(), reason);
        QCOMPARE(result.error->Offset(), offset);
    }

    // A reference adds a record of its own, equal to the one referred to.
    void referenceAddsACopy()
    {
        CRecordList<CMissed> list;
        QVERIFY(!LoadBytes(Hex("0200") + kMissedClass + kFourTexts + Hex("0200"), list));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list.at(1), list.at(0));
        QVERIFY(&list.at(1) != &list.at(0));
        list.at(0).SetWord(QStringLiteral("changed"));
        QCOMPARE(list.at(1).GetWord(), QStringLiteral("w"));
    }

    // References to one long record cannot make a small file load, and later write, many copies
    // of it: what is read, stored again, stays within twice the bytes that were read.
    void referencesCannotMultiplyAStream_data()
    {
        QTest::addColumn<int>("textLength");
        QTest::addColumn<int>("references");
        QTest::newRow("empty texts") << 0 << 1000;
        QTest::newRow("300 units") << 300 << 1000;
        QTest::newRow("20000 units") << 20000 << 100000;
    }

    void referencesCannotMultiplyAStream()
    {
        QFETCH(int, textLength);
        QFETCH(int, references);
        const QString text(textLength, QLatin1Char('x'));
        const QByteArray longText = Hex("FFFEFF FF") + char(textLength & 0xFF) + char(textLength >> 8) + Utf16(text);
        QByteArray bytes = Hex("FFFF") + QByteArray::fromRawData("\0\0\0\0", 4);
        qToLittleEndian<quint32>(quint32(1 + references), bytes.data() + 2);
        bytes += kGradeClass + Hex("08000000 0A000000") + longText + Text("L");
        for (int i = 0; i < references; ++i)
            bytes += Hex("0200");
        CRecordList<CGrade> list;
        const std::optional<CArchiveException> error = LoadBytes(bytes, list);
        QVERIFY(error.has_value());
        QVERIFY(list.size() >= 2);
        QCOMPARE(list.at(1), list.at(0));
        QCOMPARE(list.at(0).GetDateText(), text);
        QVERIFY2(StoreListBytes(list).size() <= 2 * bytes.size(), qPrintable(QString::number(list.size())));
    }

    // Successive records whose fields are alike, equal or differ by one unit read back exactly
    // (the reader shares a field's string with the previous record's when they are equal).
    void similarSuccessiveRecords()
    {
        CRecordList<CMissed> records;
        const char* rows[][2] = {{"word", "wrod"}, {"word", "wrod"}, {"wore", "wrod"}, {"word", "wrox"},
                                 {"", ""}, {"word", ""}, {"wrod", "word"}};
        for (const auto& r : rows)
            records.AddTail(Missed(r[0], r[1]));
        records.at(3).SetListName(QStringLiteral("Spelling Week 4"));
        CRecordList<CMissed> back;
        QVERIFY(!LoadBytes(StoreListBytes(records), back));
        QCOMPARE(back.size(), records.size());
        for (qsizetype i = 0; i < back.size(); ++i)
            QCOMPARE(back.at(i), records.at(i));
        back.at(0).SetWord(QStringLiteral("changed"));
        QCOMPARE(back.at(1).GetWord(), QStringLiteral("word"));
    }

    // A second list read from the same stream may not refer to a record of the first one.
    void referenceAcrossLists()
    {
        QByteArray bytes = Hex("0100") + kGradeClass + kGradeFields + Hex("0200 0180") + kGradeFields + Hex("0200");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        CRecordList<CGrade> first;
        LoadList(ar, first);
        QCOMPARE(first.size(), 1);
        {
            CRecordList<CGrade> discarded;
            QVERIFY_THROWS_EXCEPTION(CArchiveException, LoadList(ar, discarded));
        }
    }

    // Texts in the 8-bit form are read and converted as Windows-1252.
    void eightBitTexts()
    {
        const QByteArray bytes = Hex("0100") + kMissedClass + Hex("05") + "Week1" + Hex("01") + "d"
                                 + Hex("07") + "na\xEFve" "\x80" "s" + Hex("00");
        CRecordList<CMissed> list;
        const std::optional<CArchiveException> error = LoadBytes(bytes, list);
        QVERIFY(!error);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0).GetListName(), QStringLiteral("Week1"));
        QCOMPARE(list.at(0).GetWord(), QStringLiteral(u"na\u00efve\u20acs"));
        QCOMPARE(list.at(0).GetMisspelling(), QString());
        // Written again, every text takes the UTF-16 form.
        QCOMPARE(StoreListBytes(list), Hex("0100") + kMissedClass + Text("Week1") + Text("d")
                                       + Text(QStringLiteral(u"na\u00efve\u20acs")) + Text(""));
    }

    void everyCutKeepsCompleteRecords_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("grades") << "grades";
        QTest::newRow("missed") << "missed";
        QTest::newRow("vocabulary") << "vocabulary";
    }

    void everyCutKeepsCompleteRecords()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("grades"))
            CheckEveryCut<CGrade>();
        else if (kind == QLatin1String("missed"))
            CheckEveryCut<CMissed>();
        else
            CheckEveryCut<CVocabulary>();
    }

    // Through a real file, and appending after what the list already holds.
    void fileRoundTrip()
    {
        const QString path = CTestEnvironment::Instance().Root() + QStringLiteral("/Pupil.sp4");
        const CRecordList<CMissed> records = ThreeRecords<CMissed>();
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            CArchive ar(file, CArchive::Store);
            StoreList(ar, records);
            QVERIFY(ar.Flush());
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), qint64(StoreListBytes(records).size()));
        CRecordList<CMissed> list;
        list.AddTail(Missed("first", "frist"));
        CArchive ar(file, CArchive::Load);
        LoadList(ar, list);
        QCOMPARE(list.size(), 4);
        QCOMPARE(list.at(0).GetWord(), QStringLiteral("first"));
        for (qsizetype i = 0; i < 3; ++i)
            QCOMPARE(list.at(i + 1), records.at(i));
    }
};

ORTHEX_TEST_MAIN(RecordListTest)
#include "recordlist_test.moc"
