#pragma once

// Shared by the analyser's tests: one table row is a word, a misspelling and the error label.

#include "rules/spellingrules.h"

#include <QTest>

namespace AnalyzerCases {

inline void AddColumns()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("misspelling");
    QTest::addColumn<QString>("expected");
}

inline void AddRow(const char* word, const char* misspelling, const char* expected)
{
    QTest::addRow("%s / %s", word, misspelling)
        << QString::fromUtf8(word) << QString::fromUtf8(misspelling) << QString::fromUtf8(expected);
}

// One analyser kept across every row of a run, to prove that nothing carries over between pairs.
inline CSpellingRules& SharedAnalyzer()
{
    static CSpellingRules analyzer;
    return analyzer;
}

// The label of a fresh analyser, of the reused one, and of the findings joined, all compared
// with the expected label; the findings come in check order, each with a label of its own.
inline void Verify(const QString& word, const QString& misspelling, const QString& expected)
{
    CSpellingRules fresh;
    QCOMPARE(fresh.AnalyzeMisspelling(word, misspelling), expected);
    QCOMPARE(fresh.Word(), word);
    QCOMPARE(fresh.Misspelling(), misspelling);

    QCOMPARE(SharedAnalyzer().AnalyzeMisspelling(word, misspelling), expected);

    const QList<CRuleFinding> findings = SharedAnalyzer().AnalyzeFindings(word, misspelling);
    QCOMPARE(CSpellingRules::JoinFindings(findings), expected);
    QCOMPARE(findings.isEmpty(), expected == QStringLiteral("?"));
    int previous = 0;
    for (const CRuleFinding& finding : findings) {
        QVERIFY2(finding.check > previous && finding.check <= 24, qPrintable(finding.label));
        QVERIFY(!finding.label.isEmpty());
        previous = finding.check;
    }
}

}  // namespace AnalyzerCases

// The body of a data-driven test over AnalyzerCases rows.
#define ORTHEX_VERIFY_ANALYZER_ROW()                                   \
    do {                                                               \
        QFETCH(QString, word);                                         \
        QFETCH(QString, misspelling);                                  \
        QFETCH(QString, expected);                                     \
        AnalyzerCases::Verify(word, misspelling, expected);            \
    } while (false)
