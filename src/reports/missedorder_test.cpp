#include "reports/missedorder.h"
#include "rules/spellingrules.h"
#include "testing/testenvironment.h"

#include <QtTest>

#include <memory>
#include <random>

namespace {
std::unique_ptr<CMissed> missed(const QString& word, const QString& misspelling, const QString& list = QString())
{
    auto record = std::make_unique<CMissed>();
    record->SetListName(list);
    record->SetWord(word);
    record->SetMisspelling(misspelling);
    return record;
}

QStringList misspellings(const CRecordList<CMissed>& list)
{
    QStringList texts;
    for (const CMissed& record : list)
        texts << record.GetMisspelling();
    return texts;
}

// The order made by inserting the records one by one: walk from the head, remember the last
// record whose key is not greater, stop at the first greater one after it, insert after the
// remembered one (or at the head).
QStringList insertedOneByOne(const QList<QPair<QString, QString>>& pairs)
{
    CSpellingRules rules;
    QList<QPair<QString, QString>> ordered;  // key, misspelling
    for (const auto& pair : pairs) {
        const QString key = MissedOrder::SortKey(rules.AnalyzeMisspelling(pair.first, pair.second));
        qsizetype remembered = -1;
        for (qsizetype i = 0; i < ordered.size(); ++i) {
            if (!MissedOrder::KeyLess(key, ordered.at(i).first))
                remembered = i;
            else if (remembered >= 0)
                break;
        }
        ordered.insert(remembered + 1, {key, pair.second});
    }
    QStringList texts;
    for (const auto& entry : ordered)
        texts << entry.second;
    return texts;
}
}  // namespace

class CMissedOrderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void orderByLabel_data()
    {
        QTest::addColumn<QStringList>("pairs");  // word, misspelling, word, misspelling ...
        QTest::addColumn<QStringList>("order");  // misspellings in the expected order
        QTest::newRow("ie/ei before plurals") << QStringList{"boxes", "boxs", "receive", "recieve"}
                                              << QStringList{"recieve", "boxs"};
        QTest::newRow("equal labels keep their order")
            << QStringList{"cat", "cot", "bat", "bot", "hat", "hot"} << QStringList{"cot", "bot", "hot"};
        // "double l" and "double L" differ only in case: neither moves past the other.
        QTest::newRow("labels differing in case, lower first")
            << QStringList{"ball", "bal", "baLL", "baL"} << QStringList{"bal", "baL"};
        QTest::newRow("labels differing in case, upper first")
            << QStringList{"baLL", "baL", "ball", "bal"} << QStringList{"baL", "bal"};
        QTest::newRow("? sorts before letters") << QStringList{"cart", "cat", "dog", "dog"}
                                                << QStringList{"dog", "cat"};
        QTest::newRow("empty list") << QStringList{} << QStringList{};
    }
    void orderByLabel()
    {
        QFETCH(QStringList, pairs);
        CRecordList<CMissed> list;
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            list.AddTail(missed(pairs.at(i), pairs.at(i + 1), QStringLiteral("row %1").arg(i / 2)));
        MissedOrder::SortMissedByErrors(list);
        QTEST(misspellings(list), "order");
        // Every record carries its label, and keeps its other fields.
        CSpellingRules rules;
        for (const CMissed& record : list) {
            QCOMPARE(record.GetErrors(), rules.AnalyzeMisspelling(record.GetWord(), record.GetMisspelling()));
            const qsizetype row = record.GetListName().mid(4).toInt();
            QCOMPARE(record.GetWord(), pairs.at(2 * row));
        }
    }

    void labelsDifferingInCaseReallyDo()
    {
        CSpellingRules rules;
        const QString lower = rules.AnalyzeMisspelling(QStringLiteral("ball"), QStringLiteral("bal"));
        const QString upper = rules.AnalyzeMisspelling(QStringLiteral("baLL"), QStringLiteral("baL"));
        QVERIFY(lower != upper);
        QCOMPARE(MissedOrder::SortKey(lower), MissedOrder::SortKey(upper));
    }

    void sameOrderAsInsertingOneByOne()
    {
        const char* words[] = {"believe", "boxes", "happy", "knives", "ball", "Ball", "cat", "phone", "judge",
                               "nation", "witch", "prize", "sleeve", "Monday", "receive"};
        std::mt19937 random(7);
        QList<QPair<QString, QString>> pairs;
        for (int i = 0; i < 400; ++i) {
            QString word = QString::fromLatin1(words[random() % std::size(words)]);
            QString misspelling = word;
            switch (random() % 4) {
            case 0: misspelling.remove(int(random() % misspelling.size()), 1); break;
            case 1: misspelling.insert(int(random() % misspelling.size()), QLatin1Char("aeiosL"[random() % 6])); break;
            case 2: misspelling[int(random() % misspelling.size())] = QLatin1Char("eiyksZ"[random() % 6]); break;
            default: misspelling = misspelling.toUpper(); break;
            }
            pairs.append({word, misspelling});
        }
        CRecordList<CMissed> list;
        for (const auto& pair : pairs)
            list.AddTail(missed(pair.first, pair.second));
        MissedOrder::SortMissedByErrors(list);
        QCOMPARE(misspellings(list), insertedOneByOne(pairs));
    }

    void keysCompareByCodeUnits_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("less");
        QTest::newRow("prefix first") << "double" << "double l" << true;
        QTest::newRow("equal") << "sh" << "sh" << false;
        QTest::newRow("comma before letters") << "a, b" << "ab" << true;
        // A surrogate (D800..DFFF) is below U+E000..U+FFFF as a code unit.
        QTest::newRow("surrogate before private use")
            << QString::fromUtf16(u"\U0001F600") << QString::fromUtf16(u"\uE000") << true;
    }
    void keysCompareByCodeUnits()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QTEST(MissedOrder::KeyLess(a, b), "less");
    }
};

ORTHEX_TEST_MAIN(CMissedOrderTest)
#include "missedorder_test.moc"
