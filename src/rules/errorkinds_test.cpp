#include "testing/analyzercases.h"
#include "rules/errorkinds.h"
#include "rules/spellingrules.h"
#include "testing/testenvironment.h"

#include <QtTest>

namespace {

using CheckFunction = QString (CSpellingRules::*)() const;

// The checks by the number the analyser gives their findings, as they run.
const CheckFunction kChecks[24] = {
    &CSpellingRules::CheckIeEi,         &CSpellingRules::CheckYFinal,        &CSpellingRules::CheckEFinal,
    &CSpellingRules::CheckIeY,          &CSpellingRules::CheckIEeYEy,        &CSpellingRules::CheckPlurals,
    &CSpellingRules::CheckChTch,        &CSpellingRules::CheckJDge,          &CSpellingRules::CheckVFinal,
    &CSpellingRules::CheckZFinal,       &CSpellingRules::CheckCapitalize,    &CSpellingRules::CheckAlElLe,
    &CSpellingRules::CheckLetterPairs,  &CSpellingRules::CheckSoundGroups,   &CSpellingRules::CheckCKCk,
    &CSpellingRules::CheckShSound,      &CSpellingRules::CheckDoubleLetters, &CSpellingRules::CheckSuffix,
    &CSpellingRules::CheckDigraphs,     &CSpellingRules::CheckBlends,        &CSpellingRules::CheckEndingE,
    &CSpellingRules::CheckWrongLetters, &CSpellingRules::CheckMissingLetters, &CSpellingRules::CheckExtraLetters,
};

QStringList names(const QList<EErrorKind>& kinds)
{
    QStringList texts;
    for (EErrorKind kind : kinds)
        texts << ErrorKinds::Name(kind);
    return texts;
}

}  // namespace

class ErrorKindsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The analyser's examples of every check, with the checks that find something and the kinds
    // of error they make up.
    void kindsOfExamples_data()
    {
        AnalyzerCases::AddColumns();
        QTest::addColumn<QList<int>>("checks");
        QTest::addColumn<QStringList>("kinds");
        auto row = [](const char* word, const char* misspelling, const char* label, QList<int> checks,
                      QStringList kinds) {
            QTest::addRow("%s / %s", word, misspelling) << QString::fromUtf8(word) << QString::fromUtf8(misspelling)
                                                        << QString::fromUtf8(label) << checks << kinds;
        };
        row("believe", "beleive", "ie/ei:  ei to ie", {1}, {"ie/ei"});
        row("receive", "recieve", "ie/ei:  ie to ei", {1}, {"ie/ei"});
        row("happiness", "happyness", "y final:  y to i", {2}, {"final y"});
        row("enjoyment", "enjoiment", "y final:  keep y", {2}, {"final y"});
        row("hopeful", "hopful", "e final:  keep e", {3}, {"final e"});
        row("hoping", "hopeing", "e final:  drop e", {3}, {"final e"});
        row("dying", "dieing", "ie/y:  ie to y", {4}, {"ie/y"});
        row("key", "kee", "i/ee/y/ey", {5}, {"sound-alike letters"});
        row("knives", "knifes", "plurals:  f/fe to ve", {6}, {"plurals"});
        row("boxes", "boxs", "plurals:  s to es", {6}, {"plurals"});
        row("witch", "wich", "ch/tch:  ch to tch", {7}, {"word endings tch, dge, ve, ze"});
        row("judge", "juj", "j/dge:  j to dge", {8}, {"word endings tch, dge, ve, ze"});
        row("sleeve", "sleev", "v final:  v to ve", {9}, {"word endings tch, dge, ve, ze"});
        row("prize", "priz", "z final:  end ze", {10}, {"word endings tch, dge, ve, ze"});
        row("Monday", "monday", "capitalize", {11}, {"capital letters"});
        row("metal", "metle", "al/el/le", {12}, {"sound-alike letters"});
        row("sad", "zad", "s/z", {13}, {"sound-alike letters"});
        row("phone", "fone", "f/ph", {14}, {"sound-alike letters"});
        row("duck", "duk", "c/k/ck", {15}, {"sound-alike letters"});
        row("nation", "nashun", "sh", {16}, {"sound-alike letters"});
        row("comma", "coma", "double m", {17}, {"doubled letters"});
        row("quickly", "quick", "suffix ly", {18}, {"suffixes"});
        row("rain", "ran", "ai", {19}, {"letter groups"});
        row("crab", "cab", "cr", {20}, {"letter groups"});
        row("came", "cam", "ending e", {21}, {"final e"});
        row("cup", "cub", "p not b", {22}, {"wrong letters"});
        row("cart", "cat", "missing letter r", {23}, {"missing letters"});
        row("cat", "cart", "extra letter r", {24}, {"extra letters"});
        // Several kinds in one misspelling, each once and in the kinds' order.
        row("cars", "carz", "plurals:  end s, s/z", {6, 13}, {"plurals", "sound-alike letters"});
        row("Hats", "hat", "plurals:  end s, capitalize", {6, 11}, {"plurals", "capital letters"});
        row("Ball", "bal", "capitalize, double l", {11, 17}, {"capital letters", "doubled letters"});
        row("between", "betwen", "e final:  keep e, ee", {3, 19}, {"final e", "letter groups"});
        row("scratch", "sratch", "s/sc, scr", {14, 20}, {"sound-alike letters", "letter groups"});
        row("Mississippi", "Misisipi", "sh, double p s s", {16, 17}, {"sound-alike letters", "doubled letters"});
        row("cats", "cadz", "plurals:  end s, s/z, d/t", {6, 13}, {"plurals", "sound-alike letters"});
        row("guess", "gess", "g/gu, gue", {14, 20}, {"sound-alike letters", "letter groups"});
        row("seen", "sin", "i/ee/y/ey, ee", {5, 19}, {"sound-alike letters", "letter groups"});
        // Nothing found: no kind at all.
        row("cat", "cat", "?", {}, {});
        row("cat", "", "?", {}, {});
    }
    void kindsOfExamples()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, expected);
        QFETCH(QList<int>, checks);
        QFETCH(QStringList, kinds);
        AnalyzerCases::Verify(word, misspelling, expected);
        if (QTest::currentTestFailed())
            return;

        CSpellingRules rules;
        const QList<CRuleFinding> findings = rules.AnalyzeFindings(word, misspelling);
        QList<int> found;
        for (const CRuleFinding& finding : findings) {
            found << finding.check;
            // The number a finding carries names the check that gives its label.
            CSpellingRules single;
            single.SetPair(word, misspelling);
            QCOMPARE((single.*kChecks[finding.check - 1])(), finding.label);
        }
        QCOMPARE(found, checks);
        QCOMPARE(names(ErrorKinds::Of(findings)), kinds);
    }

    // Each kind's checks; together they are every check exactly once.
    void checksOfEachKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<int>>("checks");
        QTest::newRow("ie/ei") << "ie/ei" << QList<int>{1};
        QTest::newRow("ie/y") << "ie/y" << QList<int>{4};
        QTest::newRow("final y") << "final y" << QList<int>{2};
        QTest::newRow("final e") << "final e" << QList<int>{3, 21};
        QTest::newRow("plurals") << "plurals" << QList<int>{6};
        QTest::newRow("word endings") << "word endings tch, dge, ve, ze" << QList<int>{7, 8, 9, 10};
        QTest::newRow("capital letters") << "capital letters" << QList<int>{11};
        QTest::newRow("sound-alike letters") << "sound-alike letters" << QList<int>{5, 12, 13, 14, 15, 16};
        QTest::newRow("doubled letters") << "doubled letters" << QList<int>{17};
        QTest::newRow("suffixes") << "suffixes" << QList<int>{18};
        QTest::newRow("letter groups") << "letter groups" << QList<int>{19, 20};
        QTest::newRow("wrong letters") << "wrong letters" << QList<int>{22};
        QTest::newRow("missing letters") << "missing letters" << QList<int>{23};
        QTest::newRow("extra letters") << "extra letters" << QList<int>{24};
    }
    void checksOfEachKind()
    {
        QFETCH(QString, kind);
        QFETCH(QList<int>, checks);
        const std::optional<EErrorKind> found = ErrorKinds::FromName(kind);
        QVERIFY(found);
        QCOMPARE(ErrorKinds::Checks(*found), checks);
        for (int check : checks)
            QCOMPARE(ErrorKinds::OfCheck(check), found);
    }

    void everyCheckHasOneKind()
    {
        QList<int> all;
        for (EErrorKind kind : ErrorKinds::All())
            all << ErrorKinds::Checks(kind);
        std::sort(all.begin(), all.end());
        QList<int> expected;
        for (int check = 1; check <= 24; ++check)
            expected << check;
        QCOMPARE(all, expected);
        QCOMPARE(ErrorKinds::OfCheck(0), std::nullopt);
        QCOMPARE(ErrorKinds::OfCheck(25), std::nullopt);
        QCOMPARE(ErrorKinds::Of({{0, QStringLiteral("x")}, {25, QStringLiteral("y")}}), QList<EErrorKind>{});
    }
};

ORTHEX_TEST_MAIN(ErrorKindsTest)
#include "errorkinds_test.moc"
