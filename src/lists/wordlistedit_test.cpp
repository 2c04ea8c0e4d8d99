#include "lists/wordlistedit.h"
#include "testing/testenvironment.h"

#include <QtTest>

class WordListEditTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sortAToZ_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("capitals fold") << QStringList{"banana", "Apple", "cherry"}
                                       << QStringList{"Apple", "banana", "cherry"};
        QTest::newRow("equal keys keep their order: apple, Apple")
            << QStringList{"apple", "Apple"} << QStringList{"apple", "Apple"};
        QTest::newRow("equal keys keep their order: Apple, apple")
            << QStringList{"Apple", "apple"} << QStringList{"Apple", "apple"};
        QTest::newRow("three equal keys among others")
            << QStringList{"THE", "an", "the", "The", "a"} << QStringList{"a", "an", "THE", "the", "The"};
        // Folding goes to lower case: '_' (0x5F) lies between 'Z' and 'a'.
        QTest::newRow("folded to lower case, not upper") << QStringList{"B", "_"} << QStringList{"_", "B"};
        QTest::newRow("code units after folding") << QStringList{"a b", "a-b", "ab", "a"}
                                                  << QStringList{"a", "a b", "a-b", "ab"};
        QTest::newRow("a prefix comes first") << QStringList{"Catalog", "cat"} << QStringList{"cat", "Catalog"};
        // Only A-Z fold: an accented capital keeps its code unit, above every ASCII letter.
        QTest::newRow("accented letters do not fold")
            << QStringList{"\u00e9clair", "\u00c9cole", "zebra", "Eel"}
            << QStringList{"Eel", "zebra", "\u00c9cole", "\u00e9clair"};
        QTest::newRow("digits before letters") << QStringList{"b2", "B10", "a"} << QStringList{"a", "B10", "b2"};
        QTest::newRow("empty list") << QStringList{} << QStringList{};
        QTest::newRow("one word") << QStringList{"Zoo"} << QStringList{"Zoo"};
        QTest::newRow("already sorted") << QStringList{"ant", "Bee", "cat"} << QStringList{"ant", "Bee", "cat"};
        QTest::newRow("reversed") << QStringList{"d", "C", "b", "A"} << QStringList{"A", "b", "C", "d"};
    }

    void sortAToZ()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, sorted);
        WordListEdit::SortAToZ(words);
        QCOMPARE(words, sorted);
    }

    void enabledButtons_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("enabled");  // S(ort), U(p), D(own), X (delete)
        QTest::newRow("empty list") << 0 << -1 << 0 << "";
        QTest::newRow("one word, selected") << 1 << 0 << 1 << "X";
        QTest::newRow("two words, none current") << 2 << -1 << 0 << "S";
        QTest::newRow("first of three") << 3 << 0 << 1 << "SDX";
        QTest::newRow("middle, not selected") << 3 << 1 << 0 << "SUD";
        QTest::newRow("last of three") << 3 << 2 << 2 << "SUX";
        QTest::newRow("current row past the end") << 2 << 2 << 0 << "S";
    }

    void enabledButtons()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(int, selected);
        QFETCH(QString, enabled);
        const WordListEdit::SListButtons b = WordListEdit::EnabledButtons(count, current, selected);
        QString letters;
        for (const auto& [on, letter] : {std::pair{b.sort, 'S'}, {b.up, 'U'}, {b.down, 'D'}, {b.remove, 'X'}})
            if (on)
                letters += QLatin1Char(letter);
        QCOMPARE(letters, enabled);
    }

    // Against the neighbour-swapping passes the list has always been sorted with, on lists with
    // many equal keys.
    void sortMatchesSwappingPasses()
    {
        const QStringList pool{"a", "A", "b", "B", "ab", "Ab", "aB", "_", "[", "z", "Z"};
        QRandomGenerator generator(7);
        for (int round = 0; round < 200; ++round) {
            QStringList words;
            const int n = int(generator.bounded(12));
            for (int i = 0; i < n; ++i)
                words.append(pool.at(int(generator.bounded(int(pool.size())))) + QString::number(i % 2));
            QStringList expected = words;
            auto key = [](QString s) {
                for (QChar& c : s)
                    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                        c = QChar(c.unicode() + 32);
                return s;
            };
            bool swapped = true;
            for (qsizetype last = expected.size() - 1; swapped && last > 0; --last) {
                swapped = false;
                for (qsizetype i = 0; i < last; ++i) {
                    if (key(expected.at(i)) > key(expected.at(i + 1))) {
                        expected.swapItemsAt(i, i + 1);
                        swapped = true;
                    }
                }
            }
            WordListEdit::SortAToZ(words);
            QCOMPARE(words, expected);
        }
    }
};

ORTHEX_TEST_MAIN(WordListEditTest)
#include "wordlistedit_test.moc"
