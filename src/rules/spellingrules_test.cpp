#include "testing/analyzercases.h"
#include "rules/spellingrules.h"
#include "testing/testarchive.h"
#include "testing/testenvironment.h"
#include "base/archive.h"

#include <QBuffer>
#include <QtTest>

namespace {

QByteArray StoredPair(const QString& word, const QString& misspelling)
{
    CSpellingRules rules;
    rules.SetPair(word, misspelling);
    return TestArchive::Stored([&](CArchive& ar) { rules.Serialize(ar); });
}

}  // namespace

Q_DECLARE_METATYPE(QList<CRuleFinding>)

// The analyser as a whole: order of the checks, guards, joiners, and the shared operations.
class SpellingRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analyzer_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        AddRow("cat", "cat", "?");
        AddRow("eiderbie", "eiderbie", "ie/ei:  ei to ie");
        AddRow("cat", "", "?");
        AddRow("", "cat", "?");
        AddRow("tie", "", "ie/ei:  ie");
        AddRow("Ball", "bal", "capitalize, double l");
        AddRow("cat", "cot", "a not o");
        AddRow("cat", "cet", "a not e");
        AddRow("cat", "cit", "a not i");
        AddRow("cart", "cat", "missing letter r");
        AddRow("cat", "cart", "extra letter r");
        AddRow("bill", "bil", "double l");
        AddRow("Bill", "bil", "capitalize, double l");
        AddRow("Ann", "ANN", "double n N");
        // A plural error comes before the capital.
        AddRow("Hats", "hat", "plurals:  end s, capitalize");
        // The "if empty" checks stand down after any finding; the others always run.
        AddRow("nation", "", "suffix tion");
        AddRow("shoeless", "shoeless", "sh");
        AddRow("Cat", "cot", "capitalize");
        AddRow("seen", "sin", "i/ee/y/ey, ee");
    }
    void analyzer() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void findings_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QList<CRuleFinding>>("expected");
        using F = CRuleFinding;
        QTest::newRow("nothing") << "cat" << "cat" << QList<F>{};
        QTest::newRow("two checks")
            << "Ball" << "bal" << QList<F>{{11, "capitalize"}, {17, "double l"}};
        QTest::newRow("sub-labels are one finding")
            << "cats" << "cadz" << QList<F>{{6, "plurals:  end s"}, {13, "s/z, d/t"}};
        QTest::newRow("suffix and digraph")
            << "playing" << "played" << QList<F>{{18, "suffix ed to ing"}, {19, "ng"}};
        QTest::newRow("sh sound")
            << "Mississippi" << "Misisipi" << QList<F>{{16, "sh"}, {17, "double p s s"}};
        QTest::newRow("blend") << "guess" << "gess" << QList<F>{{14, "g/gu"}, {20, "gue"}};
        QTest::newRow("wrong letters") << "dog" << "dgo" << QList<F>{{22, "o not g , g not o"}};
        QTest::newRow("ie first") << "believe" << "beleive" << QList<F>{{1, "ie/ei:  ei to ie"}};
        QTest::newRow("missing") << "cart" << "cat" << QList<F>{{23, "missing letter r"}};
        QTest::newRow("extra") << "cat" << "cart" << QList<F>{{24, "extra letter r"}};
        QTest::newRow("ending e") << "came" << "cam" << QList<F>{{21, "ending e"}};
    }

    void findings()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QList<CRuleFinding>, expected);
        CSpellingRules rules;
        const QList<CRuleFinding> found = rules.AnalyzeFindings(word, misspelling);
        QCOMPARE(found.size(), expected.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            QCOMPARE(found[i].check, expected[i].check);
            QCOMPARE(found[i].label, expected[i].label);
        }
        QCOMPARE(CSpellingRules::JoinFindings(found), rules.AnalyzeMisspelling(word, misspelling));
    }

    // One object analysing many pairs, in two orders, agrees with a fresh object for each.
    void reusedAnalyzerMatchesFreshOnes()
    {
        const QList<QPair<QString, QString>> pairs = {
            {"believe", "beleive"}, {"cat", ""},       {"", "cat"},        {"Ball", "bal"},
            {"nation", "nashun"},   {"cat", "cat"},    {"playing", "played"}, {"banana", "banan"},
            {"horse", "hoarse"},    {"Mississippi", "Misisipi"}, {"tie", ""}, {"dog", "dgo"},
        };
        CSpellingRules reused;
        for (int round = 0; round < 2; ++round) {
            for (qsizetype i = 0; i < pairs.size(); ++i) {
                const auto& [word, misspelling] =
                    pairs[round == 0 ? i : pairs.size() - 1 - i];
                CSpellingRules fresh;
                QCOMPARE(reused.AnalyzeMisspelling(word, misspelling),
                         fresh.AnalyzeMisspelling(word, misspelling));
            }
        }
    }

    void countOccurrences_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("ee in eee") << "ee" << "eee" << 1;
        QTest::newRow("si in session") << "si" << "session" << 1;
        QTest::newRow("ss in session") << "ss" << "session" << 1;
        QTest::newRow("pattern longer") << "abc" << "ab" << 0;
        QTest::newRow("empty pattern") << "" << "abc" << 0;
        QTest::newRow("empty text") << "a" << "" << 0;
        QTest::newRow("both empty") << "" << "" << 0;
        QTest::newRow("aa in aaaa") << "aa" << "aaaa" << 2;
        QTest::newRow("aa in aaaaa") << "aa" << "aaaaa" << 2;
        QTest::newRow("aba in ababa") << "aba" << "ababa" << 1;
        QTest::newRow("single letters") << "x" << "xaxx" << 3;
        QTest::newRow("case counts") << "ab" << "AB" << 0;
        QTest::newRow("whole text") << "cat" << "cat" << 1;
        QTest::newRow("at the end") << "ng" << "playing" << 1;
    }

    void countOccurrences()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(CSpellingRules::CountOccurrences(pattern, text), qsizetype(expected));
    }

    void findSuffix_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("four letters") << "less" << "";
        QTest::newRow("helpless") << "helpless" << "less";
        QTest::newRow("tion before ion") << "nation" << "tion";
        QTest::newRow("ion") << "union" << "ion";
        QTest::newRow("xtion") << "xtion" << "tion";
        QTest::newRow("ness") << "kindness" << "ness";
        QTest::newRow("ly") << "sweetly" << "ly";
        QTest::newRow("ing") << "reading" << "ing";
        QTest::newRow("es") << "boxes" << "es";
        QTest::newRow("ed") << "ended" << "ed";
        QTest::newRow("er") << "dancer" << "er";
        QTest::newRow("ible") << "audible" << "ible";
        QTest::newRow("ful") << "hopeful" << "ful";
        QTest::newRow("en") << "between" << "en";
        QTest::newRow("none") << "hello" << "";
        QTest::newRow("capitals") << "ENDED" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("two letters") << "ed" << "";
        QTest::newRow("five letters of 2-suffix") << "abler" << "er";
    }

    void findSuffix()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CSpellingRules::FindSuffix(text).toString(), expected);
    }

    void serializeStores_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("pair") << "cat" << "kat"
                              << QByteArray::fromHex("FFFEFF03630061007400" "FFFEFF036B0061007400");
        QTest::newRow("empty") << "" << "" << QByteArray::fromHex("FFFEFF00" "FFFEFF00");
        QTest::newRow("non-ASCII") << QString::fromUtf8("é") << "e"
                                   << QByteArray::fromHex("FFFEFF01E900" "FFFEFF016500");
    }

    void serializeStores()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QByteArray, expected);
        QCOMPARE(StoredPair(word, misspelling), expected);
    }

    void serializeLoads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::newRow("round trip") << StoredPair("Ball", "bal") << "Ball" << "bal";
        QTest::newRow("8-bit texts") << QByteArray("\x05" "boxes" "\x04" "boxs") << "boxes" << "boxs";
    }

    void serializeLoads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        CSpellingRules loaded;
        loaded.Serialize(ar);
        QCOMPARE(loaded.Word(), word);
        QCOMPARE(loaded.Misspelling(), misspelling);
        // The loaded pair is whole: its lengths agree with its texts.
        CSpellingRules fresh;
        fresh.SetPair(word, misspelling);
        QCOMPARE(loaded.CheckMissingLetters(), fresh.CheckMissingLetters());
        QCOMPARE(loaded.CheckDoubleLetters(), fresh.CheckDoubleLetters());
    }

    void serializeLoadFailureKeepsThePair()
    {
        QByteArray bytes = StoredPair("word", "misspelling");
        bytes.chop(3);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        CArchive ar(buffer, CArchive::Load);
        CSpellingRules rules;
        rules.SetPair("cat", "cot");
        QVERIFY_THROWS_EXCEPTION(CArchiveException, rules.Serialize(ar));
        QCOMPARE(rules.Word(), QStringLiteral("cat"));
        QCOMPARE(rules.Misspelling(), QStringLiteral("cot"));
    }

    void joinFindingsOfNothingIsQuestionMark()
    {
        QCOMPARE(CSpellingRules::JoinFindings({}), QStringLiteral("?"));
    }
};

ORTHEX_TEST_MAIN(SpellingRulesTest)
#include "spellingrules_test.moc"
