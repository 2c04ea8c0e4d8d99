#include "testing/analyzercases.h"
#include "rules/spellingrules.h"
#include "testing/testenvironment.h"

#include <QtTest>

// Capitals, doubled letters, letter groups and the letter-by-letter fallbacks.
class LetterChecksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analyzer_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        AddRow("Monday", "monday", "capitalize");
        AddRow("monday", "Monday", "capitalize: do not capitalize first letter");
        AddRow("comma", "coma", "double m");
        AddRow("coma", "comma", "double m");
        AddRow("Mississippi", "Misisipi", "sh, double p s s");
        AddRow("rain", "ran", "ai");
        AddRow("eight", "eihgt", "gh");
        AddRow("balloon", "balon", "double l, oo");
        AddRow("street", "steet", "str");
        AddRow("crab", "cab", "cr");
        AddRow("stop", "sop", "st");
        AddRow("scratch", "sratch", "s/sc, scr");
        AddRow("quick", "qick", "ui, qu");
        AddRow("lamp", "lap", "mp");
        AddRow("dog", "dgo", "o not g , g not o");
        AddRow("cup", "cub", "p not b");
        AddRow("banana", "banan", "missing letter a , a , a");
        AddRow("horse", "hoarse", "extra letter a");
        AddRow("cat", "caat", "double a");
    }
    void analyzer() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void moreEdges_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        // "ee" and "oo" are never doubled letters; the digraph table names them.
        AddRow("bee", "be", "ee");
        AddRow("form", "from", "o not r , r not o");
        // Only the first letter is compared with its capital.
        AddRow("Ann", "ANN", "double n N");
        AddRow("startrek", "sarek", "st tr");
        AddRow("Émile", "émile", "capitalize");
        AddRow("ärger", "Ärger", "capitalize: do not capitalize first letter");
        // The fallbacks need both texts.
        AddRow("", "cat", "?");
        AddRow("cat", "", "?");
        AddRow("", "", "?");
        AddRow("cat", "cat", "?");
    }
    void moreEdges() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    // A character outside the Basic Multilingual Plane is two letters, named one by one.
    void surrogatesAreLetters_data()
    {
        AnalyzerCases::AddColumns();
        const QString grin = QString::fromUtf8("\xF0\x9F\x98\x80");
        QVERIFY(grin.size() == 2);
        const QString high(grin[0]);
        const QString low(grin[1]);
        QTest::newRow("missing") << "c" + grin + "t" << "ct"
                                 << "missing letter " + high + " , " + low;
        QTest::newRow("extra") << "ct" << "c" + grin + "t" << "extra letter " + high + " , " + low;
        QTest::newRow("wrong") << "c" + grin << "cab" << high + " not a , " + low + " not b";
        QTest::newRow("half") << "c" + high << "c" + grin << "extra letter " + low;
    }
    void surrogatesAreLetters() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void groupMissing_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lost") << "rain" << "ran" << "ai" << "ai";
        QTest::newRow("kept") << "rain" << "raian" << "ai" << "";
        QTest::newRow("not in the word") << "" << "ai" << "ai" << "";
        QTest::newRow("fewer") << "aiai" << "ai" << "ai" << "ai";
        QTest::newRow("three letters") << "league" << "leage" << "gue" << "gue";
    }

    void groupMissing()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, group);
        QFETCH(QString, expected);
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE(rules.GroupMissing(group).toString(), expected);
    }

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
        row("Capitalize", "1st", "1St", "");  // a digit counts as a capital
        row("Capitalize", "'twas", "Twas", "");
        row("Capitalize", "", "A", "");
        row("Capitalize", "\xF0\x9D\x90\x80" "bc", "abc", "capitalize");  // a surrogate has no case
        row("DoubleLetters", "lll", "l", "double l l");
        row("DoubleLetters", "bookkeeper", "bokeper", "double k");
        row("DoubleLetters", "abbcc", "abc", "double c b");  // last-found first
        row("DoubleLetters", "abbc", "abcc", "double b c");  // the word's before the misspelling's
        row("DoubleLetters", "aabb", "aabb", "");
        row("DoubleLetters", "aaa", "aa", "");  // pairs do not overlap: one in each
        row("DoubleLetters", "aaaa", "aaba", "double a a a");
        row("DoubleLetters", "", "", "");
        row("Digraphs", "thought", "tot", "gh ou th");
        row("Digraphs", "eight", "eit", "gh");
        row("Blends", "crstr", "", "cr str");
        row("Blends", "screw", "sew", "scr");
        row("Blends", "strap", "sap", "str");
        row("Blends", "blend", "bend", "bl");
        row("Blends", "startrek", "sarek", "st tr");
        row("Blends", "league", "leage", "gue");
        row("WrongLetters", "ab", "ab", "");
        row("WrongLetters", "", "", "");
        row("WrongLetters", "ab", "abc", "");
        row("MissingLetters", "aab", "ab", "missing letter a , a");
        row("MissingLetters", "abc", "", "");
        row("MissingLetters", "ab", "ab", "");
        row("ExtraLetters", "ab", "aab", "extra letter a");
        row("ExtraLetters", "ab", "abcdc", "extra letter c , d");
        row("ExtraLetters", "", "abc", "");
        // A space already in the list as part of a separator is not named again.
        row("ExtraLetters", "ab", "axb, ", "extra letter x , ,");
        row("ExtraLetters", "ab", " a,b", "extra letter   , ,");  // no separator yet
    }

    void singleCheck()
    {
        QFETCH(QString, check);
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, expected);
        using Check = QString (CSpellingRules::*)() const;
        const QHash<QString, Check> checks = {
            {"Capitalize", &CSpellingRules::CheckCapitalize},
            {"DoubleLetters", &CSpellingRules::CheckDoubleLetters},
            {"Digraphs", &CSpellingRules::CheckDigraphs},
            {"Blends", &CSpellingRules::CheckBlends},
            {"WrongLetters", &CSpellingRules::CheckWrongLetters},
            {"MissingLetters", &CSpellingRules::CheckMissingLetters},
            {"ExtraLetters", &CSpellingRules::CheckExtraLetters},
        };
        QVERIFY(checks.contains(check));
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE((rules.*checks.value(check))(), expected);
    }
};

ORTHEX_TEST_MAIN(LetterChecksTest)
#include "letterchecks_test.moc"
