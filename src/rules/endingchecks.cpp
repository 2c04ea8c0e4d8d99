// The checks on the order of i and e, on word endings and on suffixes.
#include "rules/spellingrules.h"

#include "rules/ruletext.h"

using RuleText::EndsIn;
using RuleText::Equal;
using RuleText::LastIs;
using RuleText::Tail;

namespace {

// The letter just in front of the suffix that FindSuffix returned for the text; a text with a
// suffix is always longer than it.
QChar LetterBefore(QStringView text, QStringView suffix)
{
    return text[text.size() - suffix.size() - 1];
}

}  // namespace

QString CSpellingRules::CheckIeEi() const
{
    if (EndsIn(m_strWord, u"ies"))
        return {};
    const qsizetype ieWord = CountInWord(u"ie");
    const qsizetype ieMisspelling = CountInMisspelling(u"ie");
    const qsizetype eiWord = CountInWord(u"ei");
    const qsizetype eiMisspelling = CountInMisspelling(u"ei");
    if (ieWord > 0) {
        if (eiMisspelling > 0)
            return QStringLiteral("ie/ei:  ei to ie");
        if (ieMisspelling == 0)
            return QStringLiteral("ie/ei:  ie");
    }
    if (eiWord == 0)
        return {};
    if (ieMisspelling > 0)
        return QStringLiteral("ie/ei:  ie to ei");
    if (eiMisspelling == 0)
        return QStringLiteral("ie/ei:  ei");
    return {};
}

QString CSpellingRules::CheckYFinal() const
{
    const QStringView suffixMisspelling = m_svMisspellingSuffix;
    const QStringView suffixWord = m_svWordSuffix;
    if (suffixWord.isEmpty() || suffixMisspelling.isEmpty() || EndsIn(m_strMisspelling, u"ieing")
        || !Equal(suffixWord, suffixMisspelling))
        return {};
    const QChar before = LetterBefore(m_strWord, suffixWord);
    const QChar beforeMisspelt = LetterBefore(m_strMisspelling, suffixMisspelling);
    if (before == u'i')
        return beforeMisspelt != u'i' ? QStringLiteral("y final:  y to i") : QString();
    if (before == u'y' && beforeMisspelt != u'y')
        return QStringLiteral("y final:  keep y");
    return {};
}

QString CSpellingRules::CheckEFinal() const
{
    const QStringView suffixMisspelling = m_svMisspellingSuffix;
    const QStringView suffixWord = m_svWordSuffix;
    if (suffixWord.isEmpty() || suffixMisspelling.isEmpty() || EndsIn(m_strWord, u"ying")
        || !Equal(suffixWord, suffixMisspelling))
        return {};
    const QChar before = LetterBefore(m_strWord, suffixWord);
    const QChar beforeMisspelt = LetterBefore(m_strMisspelling, suffixMisspelling);
    if (before == u'e') {
        return beforeMisspelt != u'e' && !Equal(suffixWord, u"er")
                   ? QStringLiteral("e final:  keep e")
                   : QString();
    }
    if (beforeMisspelt == u'e' && !Equal(suffixMisspelling, u"er"))
        return QStringLiteral("e final:  drop e");
    return {};
}

QString CSpellingRules::CheckIeY() const
{
    const QStringView w = m_strWord;
    const QStringView m = m_strMisspelling;
    const bool wordYing = EndsIn(w, u"ing") && m_nWordLength > 4 && w[m_nWordLength - 4] == u'y';
    const bool misspeltY = m_nMisspellingLength > 4 && m[m_nMisspellingLength - 4] == u'y';
    const bool misspeltIeing = EndsIn(m, u"ing") && m_nMisspellingLength > 5
                               && m[m_nMisspellingLength - 5] == u'i'
                               && m[m_nMisspellingLength - 4] == u'e';
    if (wordYing && !misspeltY && misspeltIeing)
        return QStringLiteral("ie/y:  ie to y");
    return {};
}

QString CSpellingRules::CheckPlurals() const
{
    if (m_strWord.isEmpty() || m_strMisspelling.isEmpty())
        return {};
    const QStringView w3 = Tail(m_strWord, 3);
    const QStringView m3 = Tail(m_strMisspelling, 3);
    if (Equal(w3, u"ves") && !Equal(m3, u"ves") && m3.contains(u'f'))
        return QStringLiteral("plurals:  f/fe to ve");

    const QStringView w2 = Tail(m_strWord, 2);
    const QStringView m2 = Tail(m_strMisspelling, 2);
    if (w2.isEmpty() || m2.isEmpty())
        return {};
    const bool wordEs = Equal(w2, u"es");
    const bool misspeltEs = Equal(m2, u"es");
    const bool wordS = LastIs(m_strWord, u's');
    const bool misspeltS = LastIs(m_strMisspelling, u's');
    if (!wordS && misspeltS)
        return QStringLiteral("plurals:  no s");
    if (wordEs && misspeltS && !misspeltEs)
        return QStringLiteral("plurals:  s to es");
    if (wordEs && !misspeltEs)
        return QStringLiteral("plurals:  end es");
    if (wordS && misspeltEs && !wordEs)
        return QStringLiteral("plurals:  es to s");
    if (wordS && !misspeltS)
        return QStringLiteral("plurals:  end s");
    return {};
}

QString CSpellingRules::CheckChTch() const
{
    if (m_strWord.isEmpty() || m_strMisspelling.isEmpty())
        return {};
    const bool wordTch = Equal(Tail(m_strWord, 3), u"tch");
    const bool misspeltTch = Equal(Tail(m_strMisspelling, 3), u"tch");
    if (wordTch && !misspeltTch && Equal(Tail(m_strMisspelling, 2), u"ch"))
        return QStringLiteral("ch/tch:  ch to tch");
    if (!wordTch && misspeltTch && Equal(Tail(m_strWord, 2), u"ch"))
        return QStringLiteral("ch/tch:  tch to ch");
    return {};
}

QString CSpellingRules::CheckJDge() const
{
    if (EndsIn(m_strWord, u"dge") && !EndsIn(m_strMisspelling, u"dge")
        && EndsIn(m_strMisspelling, u"j"))
        return QStringLiteral("j/dge:  j to dge");
    return {};
}

QString CSpellingRules::CheckVFinal() const
{
    if (EndsIn(m_strWord, u"ve") && !EndsIn(m_strMisspelling, u"ve")
        && EndsIn(m_strMisspelling, u"v"))
        return QStringLiteral("v final:  v to ve");
    return {};
}

QString CSpellingRules::CheckZFinal() const
{
    if (!m_strMisspelling.isEmpty() && EndsIn(m_strWord, u"ze")
        && !EndsIn(m_strMisspelling, u"ze"))
        return QStringLiteral("z final:  end ze");
    return {};
}

QString CSpellingRules::CheckSuffix() const
{
    const QStringView suffixWord = m_svWordSuffix;
    const QStringView suffixMisspelling = m_svMisspellingSuffix;
    if (EndsIn(m_strWord, u"e") && suffixWord.isEmpty())
        return {};
    if (EndsIn(m_strMisspelling, u"e") && suffixMisspelling.isEmpty())
        return {};
    if (EndsIn(m_strWord, u"een") || EndsIn(m_strMisspelling, u"een"))
        return {};
    if (Equal(suffixWord, suffixMisspelling))  // the same suffix, or none in either
        return {};
    // What the pupil wrote first, what the word needs second.
    QString label = QStringLiteral("suffix ");
    if (suffixWord.isEmpty()) {
        label += suffixMisspelling;
    } else if (suffixMisspelling.isEmpty()) {
        label += suffixWord;
    } else {
        label += suffixMisspelling;
        label += u" to ";
        label += suffixWord;
    }
    return label;
}

QString CSpellingRules::CheckEndingE() const
{
    if (m_strWord.isEmpty() || m_strMisspelling.isEmpty())
        return {};
    if (EndsIn(m_strWord, u"e") != EndsIn(m_strMisspelling, u"e"))
        return QStringLiteral("ending e");
    return {};
}
