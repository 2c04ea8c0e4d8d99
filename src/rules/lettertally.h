#pragma once

#include <QHash>
#include <QStringView>

#include <array>

// A number per letter (UTF-16 code unit), filled in one pass over a text, so that a check asks
// for a letter's figure in constant time instead of counting over the whole text again.
// ASCII letters, the usual case, live in a small array; other letters in a hash.
class CLetterTally
{
public:
    enum class EWhat {
        Letters,        // each letter's occurrences in the text
        DoubledPairs,   // for each letter x, the non-overlapping occurrences of "xx" (as
                        // RuleText::Count finds them): half of every run of x, rounded down
    };

    CLetterTally() = default;
    CLetterTally(QStringView text, EWhat what)
    {
        if (what == EWhat::Letters) {
            for (QChar c : text)
                Add(c, 1);
            return;
        }
        for (qsizetype i = 0; i < text.size();) {
            qsizetype end = i + 1;
            while (end < text.size() && text[end] == text[i])
                ++end;
            if (end - i >= 2)
                Add(text[i], (end - i) / 2);
            i = end;
        }
    }

    void Add(QChar letter, qsizetype n)
    {
        const char16_t c = letter.unicode();
        if (c < m_ascii.size())
            m_ascii[c] += quint32(n);  // a text of 2^32 letters would not fit in memory twice
        else
            m_other[c] += n;
    }

    qsizetype Of(QChar letter) const
    {
        const char16_t c = letter.unicode();
        return c < m_ascii.size() ? qsizetype(m_ascii[c]) : m_other.value(c);
    }

private:
    std::array<quint32, 128> m_ascii{};
    QHash<char16_t, qsizetype> m_other;
};
