#include "testtaking/spellingdiff.h"
#include "testing/testenvironment.h"

#include <QtTest>

class SpellingDiffTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void marks_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("markedAnswer");
        QTest::addColumn<QString>("markedWord");
        QTest::addColumn<QString>("differences");
        QTest::newRow("swapped letters") << "beleive" << "believe" << "bel[ei]ve" << "bel[ie]ve"
                                         << R"("ei" should be "ie")";
        QTest::newRow("missing letter") << "recive" << "receive" << "rec[_]ive" << "rec[e]ive" << R"("e" is missing)";
        QTest::newRow("extra letter") << "applle" << "apple" << "appl[l]e" << "appl[_]e" << R"("l" is extra)";
        QTest::newRow("two places") << "rythem" << "rhythm" << "r[_]yth[e]m" << "r[h]yth[_]m"
                                    << R"("h" is missing; "e" is extra)";
        QTest::newRow("capital") << "Apple" << "apple" << "[A]pple" << "[a]pple" << R"("A" should be "a")";
        QTest::newRow("trailing space") << "pear " << "pear" << "pear[ ]" << "pear[_]" << R"(" " is extra)";
        QTest::newRow("nothing alike") << "xyz" << "ab" << "[xyz]" << "[ab]" << R"("xyz" should be "ab")";
        QTest::newRow("same") << "plum" << "plum" << "plum" << "plum" << QString();
        QTest::newRow("word gone") << "plum" << "" << "[plum]" << "[_]" << R"("plum" is extra)";
    }

    void marks()
    {
        QFETCH(QString, answer);
        QFETCH(QString, word);
        QFETCH(QString, markedAnswer);
        QFETCH(QString, markedWord);
        QFETCH(QString, differences);
        const CSpellingDiff diff(answer, word);
        QCOMPARE(diff.MarkedAnswer(), markedAnswer);
        QCOMPARE(diff.MarkedWord(), markedWord);
        QString description = QStringLiteral("You wrote \"%1\"; the right spelling is \"%2\".").arg(answer, word);
        if (!differences.isEmpty())
            description += QStringLiteral(" Differences: %1.").arg(differences);
        QCOMPARE(diff.Description(), description);
    }

    // A pasted page is compared as one stretch rather than letter by letter.
    void longAnswerStaysCheap()
    {
        const QString answer(30000, QLatin1Char('a'));
        const CSpellingDiff diff(answer, QStringLiteral("apple"));
        QCOMPARE(diff.MarkedWord(), QStringLiteral("[apple]"));
        QCOMPARE(diff.MarkedAnswer(), QLatin1Char('[') + answer + QLatin1Char(']'));
    }
};

ORTHEX_TEST_MAIN(SpellingDiffTest)
#include "spellingdiff_test.moc"
