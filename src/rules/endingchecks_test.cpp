#include "testing/analyzercases.h"
#include "rules/spellingrules.h"
#include "testing/testenvironment.h"

#include <QtTest>

// Endings, suffixes and the order of i and e.
class EndingChecksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analyzer_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        AddRow("believe", "beleive", "ie/ei:  ei to ie");
        AddRow("receive", "recieve", "ie/ei:  ie to ei");
        AddRow("field", "feld", "ie/ei:  ie");
        AddRow("ceiling", "celing", "ie/ei:  ei");
        AddRow("happiness", "happyness", "y final:  y to i");
        AddRow("enjoyment", "enjoiment", "y final:  keep y");
        AddRow("hopeful", "hopful", "e final:  keep e");
        AddRow("hoping", "hopeing", "e final:  drop e");
        AddRow("dying", "dieing", "ie/y:  ie to y");
        AddRow("knives", "knifes", "plurals:  f/fe to ve");
        AddRow("boxes", "boxs", "plurals:  s to es");
        AddRow("bus", "buses", "plurals:  es to s");
        AddRow("hats", "hat", "plurals:  end s");
        AddRow("hat", "hats", "plurals:  no s");
        AddRow("witch", "wich", "ch/tch:  ch to tch");
        AddRow("much", "mutch", "ch/tch:  tch to ch");
        AddRow("judge", "juj", "j/dge:  j to dge");
        AddRow("sleeve", "sleev", "v final:  v to ve");
        AddRow("prize", "priz", "z final:  end ze");
        AddRow("quickly", "quick", "suffix ly");
        AddRow("walk", "walked", "suffix ed");
        AddRow("playing", "played", "suffix ed to ing, ng");
        AddRow("came", "cam", "ending e");
        AddRow("cam", "came", "ending e");
    }
    void analyzer() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void moreEdges_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        // A word ending in "ies" gets no ie/ei label at all.
        AddRow("babies", "babeis", "plurals:  s to es");
        // Both "ie" and "ei" in the word: the label comes even against the word itself.
        AddRow("eiderbie", "eiderbie", "ie/ei:  ei to ie");
        AddRow("tie", "", "ie/ei:  ie");
        // Suffixes only in texts of 5 letters or more.
        AddRow("cars", "carz", "plurals:  end s, s/z");
        AddRow("between", "betwen", "e final:  keep e, ee");
        AddRow("baker", "bakr", "suffix er");
        // A one-letter text never ends in anything.
        AddRow("a", "ae", "ending e");
        AddRow("e", "a", "e not a");
        // No non-empty guard on the suffix check.
        AddRow("nation", "", "suffix tion");
        AddRow("", "nation", "suffix tion");
        AddRow("nation", "nations", "plurals:  no s");
        AddRow("boxes", "boxe", "plurals:  end es");
        // "ieing" in the misspelling stops the y-final check; "ying" in the word the e-final one.
        AddRow("crying", "crieing", "ie/y:  ie to y");
        AddRow("eyeing", "eying", "ie/ei:  ei, e final:  keep e");
    }
    void moreEdges() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void singleCheck_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* check, const char* word, const char* misspelling,
                            const char* expected) {
            QTest::addRow("%s %s / %s", check, word, misspelling)
                << QString::fromLatin1(check) << QString::fromUtf8(word)
                << QString::fromUtf8(misspelling) << QString::fromUtf8(expected);
        };
        row("IeEi", "babies", "babeis", "");
        row("IeEi", "ies", "eis", "ie/ei:  ei to ie");  // exactly "ies" does not end in "ies"
        row("IeEi", "friend", "frend", "ie/ei:  ie");
        row("IeEi", "friend", "friend", "");
        row("IeEi", "weird", "wierd", "ie/ei:  ie to ei");
        row("IeEi", "weird", "weird", "");
        row("IeEi", "", "", "");
        row("YFinal", "happiness", "happiness", "");
        row("YFinal", "happiness", "happyless", "");  // different suffixes
        row("YFinal", "crying", "crieing", "");       // misspelling ends in "ieing"
        row("YFinal", "crying", "criing", "y final:  keep y");
        row("YFinal", "carrying", "carriing", "y final:  keep y");
        row("EFinal", "hopeful", "hopeful", "");
        row("EFinal", "freer", "fraer", "");       // the word's suffix is "er"
        row("EFinal", "taker", "takeer", "");      // the misspelling's suffix is "er"
        row("EFinal", "eyeing", "eying", "e final:  keep e");  // "eing" is not "ying"
        row("EFinal", "dying", "dyeing", "");      // the word ends in "ying"
        row("EFinal", "flying", "fleing", "");
        row("IeY", "dying", "dieing", "ie/y:  ie to y");
        row("IeY", "dying", "dying", "");
        row("IeY", "ying", "ieing", "");           // the word needs more than 4 letters
        row("IeY", "dying", "eing", "");           // the misspelling needs more than 5
        row("IeY", "dying", "dyieing", "ie/y:  ie to y");
        row("Plurals", "wolves", "wolfs", "plurals:  f/fe to ve");
        row("Plurals", "wolves", "ves", "");  // "ves" of exactly 3 letters has no tail of 3
        row("Plurals", "es", "s", "");
        row("Plurals", "hats", "hat", "plurals:  end s");
        row("Plurals", "hat", "", "");
        row("Plurals", "ax", "axs", "");           // a two-letter word has no two-letter tail
        row("ChTch", "tch", "ch", "");
        row("ChTch", "watch", "wach", "ch/tch:  ch to tch");
        row("ChTch", "watch", "watc", "");
        row("ChTch", "rich", "ritch", "ch/tch:  tch to ch");
        row("JDge", "judge", "j", "");             // one letter never ends in "j"
        row("JDge", "judge", "jujdge", "");
        row("VFinal", "sleeve", "sleev", "v final:  v to ve");
        row("VFinal", "ve", "v", "");
        row("ZFinal", "prize", "", "");
        row("ZFinal", "prize", "prise", "z final:  end ze");
        row("ZFinal", "ze", "z", "");
        row("Suffix", "nation", "", "suffix tion");
        row("Suffix", "bake", "baker", "");        // the word ends in "e" without a suffix
        row("Suffix", "green", "greener", "");     // "een"
        row("Suffix", "quickly", "quicker", "suffix er to ly");
        row("Suffix", "kindness", "kindness", "");
        row("EndingE", "came", "cam", "ending e");
        row("EndingE", "came", "", "");
        row("EndingE", "e", "a", "");
    }

    void singleCheck()
    {
        QFETCH(QString, check);
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, expected);
        using Check = QString (CSpellingRules::*)() const;
        const QHash<QString, Check> checks = {
            {"IeEi", &CSpellingRules::CheckIeEi},       {"YFinal", &CSpellingRules::CheckYFinal},
            {"EFinal", &CSpellingRules::CheckEFinal},   {"IeY", &CSpellingRules::CheckIeY},
            {"Plurals", &CSpellingRules::CheckPlurals}, {"ChTch", &CSpellingRules::CheckChTch},
            {"JDge", &CSpellingRules::CheckJDge},       {"VFinal", &CSpellingRules::CheckVFinal},
            {"ZFinal", &CSpellingRules::CheckZFinal},   {"Suffix", &CSpellingRules::CheckSuffix},
            {"EndingE", &CSpellingRules::CheckEndingE},
        };
        QVERIFY(checks.contains(check));
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE((rules.*checks.value(check))(), expected);
    }
};

ORTHEX_TEST_MAIN(EndingChecksTest)
#include "endingchecks_test.moc"
