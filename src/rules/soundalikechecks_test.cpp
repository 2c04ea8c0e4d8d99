#include "testing/analyzercases.h"
#include "rules/spellingrules.h"
#include "testing/testenvironment.h"

#include <QtTest>

// Letters and letter groups that sound alike.
class SoundAlikeChecksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analyzer_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        AddRow("happy", "happi", "i/ee/y/ey");
        AddRow("key", "kee", "i/ee/y/ey");
        AddRow("donkey", "donky", "i/ee/y/ey");
        AddRow("seen", "sin", "i/ee/y/ey, ee");
        AddRow("metal", "metle", "al/el/le");
        AddRow("little", "littel", "al/el/le");
        AddRow("sad", "zad", "s/z");
        AddRow("cat", "cad", "d/t");
        AddRow("gem", "jem", "g/j");
        AddRow("nice", "nise", "c/s");
        AddRow("phone", "fone", "f/ph");
        AddRow("phone", "pone", "p/ph");
        AddRow("wheel", "weel", "w/wh");
        AddRow("edge", "ege", "g/dg");
        AddRow("put", "poot", "u/oo");
        AddRow("book", "buk", "oo");
        AddRow("duck", "duk", "c/k/ck");
        AddRow("kite", "cite", "c/k/ck");
        AddRow("nation", "nashun", "sh");
        AddRow("science", "sience", "sh");
        AddRow("guess", "gess", "g/gu, gue");
    }
    void analyzer() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void moreEdges_data()
    {
        AnalyzerCases::AddColumns();
        using AnalyzerCases::AddRow;
        // A group for a letter is found only within one letter of length difference.
        AddRow("photograph", "fotograf", "missing letter p , h , p , h");
        // Letter pairs need equal lengths.
        AddRow("cats", "cadz", "plurals:  end s, s/z, d/t");
        AddRow("cat", "cadd", "double d");
        // An "ie" or "ui" on the other side stops the group tests.
        AddRow("phie", "fie", "missing letter p , h");
        AddRow("dose", "tozs", "plurals:  no s, s/z, d/t");
        // The "sh" check fires on the misspelling's "sh" and the word's "ss", even unchanged.
        AddRow("shoeless", "shoeless", "sh");
        // "ti" for the word's "sh" is not an "sh" finding; the digraph check names the lost "sh".
        AddRow("fish", "fiti", "sh");
    }
    void moreEdges() { ORTHEX_VERIFY_ANALYZER_ROW(); }

    void lettersSwapped_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QChar>("x");
        QTest::addColumn<QChar>("y");
        QTest::addColumn<bool>("expected");
        QTest::newRow("d for t") << "cat" << "cad" << QChar(u'd') << QChar(u't') << true;
        QTest::newRow("symmetric") << "cat" << "cad" << QChar(u't') << QChar(u'd') << true;
        QTest::newRow("lengths differ") << "cat" << "cadd" << QChar(u'd') << QChar(u't') << false;
        QTest::newRow("both empty") << "" << "" << QChar(u'a') << QChar(u'b') << false;
        QTest::newRow("same letters") << "ab" << "ab" << QChar(u'a') << QChar(u'b') << false;
        QTest::newRow("case counts") << "Cat" << "kat" << QChar(u'c') << QChar(u'k') << false;
    }

    void lettersSwapped()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QChar, x);
        QFETCH(QChar, y);
        QFETCH(bool, expected);
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE(rules.LettersSwapped(x, y), expected);
    }

    void letterForGroup_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<bool>("expected");
        QTest::newRow("f for ph") << "phone" << "fone" << "ph" << QChar(u'f') << true;
        QTest::newRow("ph for f") << "fone" << "phone" << "ph" << QChar(u'f') << true;
        QTest::newRow("two letters shorter")
            << "photograph" << "fotograf" << "ph" << QChar(u'f') << false;
        QTest::newRow("ie in the misspelling") << "phie" << "fie" << "ph" << QChar(u'f') << false;
        QTest::newRow("ie in the word") << "fie" << "phie" << "ph" << QChar(u'f') << false;
        QTest::newRow("ui in the misspelling") << "phui" << "fui" << "ph" << QChar(u'f') << false;
        QTest::newRow("oo for u") << "put" << "poot" << "oo" << QChar(u'u') << true;
        QTest::newRow("u for oo") << "book" << "buk" << "oo" << QChar(u'u') << false;
        QTest::newRow("u for gu") << "guess" << "uess" << "gu" << QChar(u'u') << false;
        QTest::newRow("both have it") << "phone" << "phon" << "ph" << QChar(u'p') << false;
        QTest::newRow("group alone") << "ph" << "f" << "ph" << QChar(u'f') << true;
        QTest::newRow("not a group") << "phone" << "fone" << "p" << QChar(u'f') << false;
        QTest::newRow("empty misspelling") << "phone" << "" << "ph" << QChar(u'f') << false;
        QTest::newRow("other letter") << "phone" << "fone" << "ph" << QChar(u'p') << false;
        QTest::newRow("misspelling two longer")
            << "fotograf" << "photograph" << "ph" << QChar(u'f') << false;
    }

    void letterForGroup()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, group);
        QFETCH(QChar, letter);
        QFETCH(bool, expected);
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE(rules.LetterForGroup(group, letter), expected);
    }

    void groupsSwapped_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("misspelling");
        QTest::addColumn<QString>("group1");
        QTest::addColumn<QString>("group2");
        QTest::addColumn<bool>("expected");
        QTest::newRow("ey written ee") << "key" << "kee" << "ee" << "ey" << true;
        QTest::newRow("ee written ey") << "kee" << "key" << "ee" << "ey" << true;
        QTest::newRow("shorter misspelling") << "kee" << "ke" << "ee" << "ey" << false;
        QTest::newRow("longer misspelling") << "kee" << "keyy" << "ee" << "ey" << true;
        QTest::newRow("not groups") << "kee" << "key" << "e" << "ey" << false;
        QTest::newRow("empty word") << "" << "key" << "ee" << "ey" << false;
        QTest::newRow("other place") << "kee" << "eyk" << "ee" << "ey" << false;
    }

    void groupsSwapped()
    {
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, group1);
        QFETCH(QString, group2);
        QFETCH(bool, expected);
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE(rules.GroupsSwapped(group1, group2), expected);
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
        row("IEeYEy", "been", "bean", "");
        row("IEeYEy", "happy", "happy", "");
        row("AlElLe", "metal", "metl", "");
        row("AlElLe", "label", "lable", "al/el/le");
        row("AlElLe", "travel", "travle", "al/el/le");
        row("AlElLe", "alas", "elas", "al/el/le");  // counts are over the whole text
        row("LetterPairs", "sdgc", "ztjs", "s/z, d/t, g/j, c/s");
        row("LetterPairs", "gems", "jemz", "s/z, g/j");
        row("LetterPairs", "case", "sace", "c/s");
        row("LetterPairs", "", "", "");
        row("SoundGroups", "phwt", "fowh", "f/ph, w/wh");
        row("SoundGroups", "phone", "phone", "");
        row("CKCk", "back", "bac", "c/k/ck");
        row("CKCk", "bac", "back", "c/k/ck");
        row("CKCk", "back", "back", "");
        row("ShSound", "mission", "mition", "sh");
        row("ShSound", "pass", "pas", "");
        row("ShSound", "fish", "fiti", "");
        row("ShSound", "station", "stashon", "sh");
        row("ShSound", "special", "speshal", "sh");
    }

    void singleCheck()
    {
        QFETCH(QString, check);
        QFETCH(QString, word);
        QFETCH(QString, misspelling);
        QFETCH(QString, expected);
        using Check = QString (CSpellingRules::*)() const;
        const QHash<QString, Check> checks = {
            {"IEeYEy", &CSpellingRules::CheckIEeYEy},
            {"AlElLe", &CSpellingRules::CheckAlElLe},
            {"LetterPairs", &CSpellingRules::CheckLetterPairs},
            {"SoundGroups", &CSpellingRules::CheckSoundGroups},
            {"CKCk", &CSpellingRules::CheckCKCk},
            {"ShSound", &CSpellingRules::CheckShSound},
        };
        QVERIFY(checks.contains(check));
        CSpellingRules rules;
        rules.SetPair(word, misspelling);
        QCOMPARE((rules.*checks.value(check))(), expected);
    }
};

ORTHEX_TEST_MAIN(SoundAlikeChecksTest)
#include "soundalikechecks_test.moc"
