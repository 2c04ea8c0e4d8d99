#include "reports/practicelistwords.h"

#include "testing/testenvironment.h"

#include <QtTest>

namespace {
SPracticeSource row(const char* word, const char* list = "Week 1.orthex")
{
    return {QString::fromUtf8(word), QString::fromUtf8(list)};
}
}  // namespace

class PracticeListWordsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void collect_data()
    {
        QTest::addColumn<PracticeSources>("sources");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("tooLong");

        const QString fifty(50, QLatin1Char('a'));
        const QString fiftyOne(51, QLatin1Char('b'));
        QTest::newRow("none") << PracticeSources{} << QStringList{} << QStringList{};
        QTest::newRow("order kept") << PracticeSources{row("said"), row("because"), row("friend")}
                                    << QStringList{"said", "because", "friend"} << QStringList{};
        QTest::newRow("duplicates at their first place")
            << PracticeSources{row("said"), row("because"), row("said"), row("friend"), row("because")}
            << QStringList{"said", "because", "friend"} << QStringList{};
        QTest::newRow("case tells words apart") << PracticeSources{row("Paris"), row("paris"), row("Paris")}
                                                << QStringList{"Paris", "paris"} << QStringList{};
        QTest::newRow("spaces count") << PracticeSources{row("ice cream"), row("ice  cream"), row("icecream")}
                                      << QStringList{"ice cream", "ice  cream", "icecream"} << QStringList{};
        QTest::newRow("empty words dropped") << PracticeSources{row(""), row("said"), row("")}
                                             << QStringList{"said"} << QStringList{};
        QTest::newRow("fifty fits, fifty-one is set aside once")
            << PracticeSources{{fiftyOne, "A.orthex"}, {fifty, "A.orthex"}, {fiftyOne, "B.orthex"}}
            << QStringList{fifty} << QStringList{fiftyOne};
        QTest::newRow("non-Latin letters counted as characters")
            << PracticeSources{{QString(50, QChar(0x00E9)), "A.orthex"}} << QStringList{QString(50, QChar(0x00E9))}
            << QStringList{};
    }

    void collect()
    {
        QFETCH(PracticeSources, sources);
        QFETCH(QStringList, words);
        QFETCH(QStringList, tooLong);
        const SPracticeWords result = PracticeListWords::Collect(sources);
        QStringList got;
        for (const SPracticeWord& word : result.words)
            got << word.word;
        QCOMPARE(got, words);
        QCOMPARE(result.tooLong, tooLong);
    }

    // A word tested from several lists remembers each, in the order of its rows, so a list
    // that is gone can be made up for by another.
    void listsOfAWord()
    {
        const SPracticeWords result = PracticeListWords::Collect(
            {row("said", "Week 1.orthex"), row("was", "Week 1.orthex"), row("said", "Week 2.orthex--Repeat"),
             row("said", "Week 1.orthex"), row("said", "Week 3.orthex")});
        QCOMPARE(result.words.size(), 2);
        QCOMPARE(result.words.at(0).listNames,
                 (QStringList{"Week 1.orthex", "Week 2.orthex--Repeat", "Week 3.orthex"}));
        QCOMPARE(result.words.at(1).listNames, QStringList{"Week 1.orthex"});
    }
};

ORTHEX_TEST_MAIN(PracticeListWordsTest)
#include "practicelistwords_test.moc"
