#pragma once

#include <QString>
#include <QStringView>

#include <cstring>

// Small text helpers shared by the analyser's checks. Those that compare and count work on
// views and never allocate.
namespace RuleText {

// The last n letters of a text longer than n letters, otherwise the empty text: a text of
// exactly n letters has an empty tail.
inline QStringView Tail(QStringView text, qsizetype n)
{
    return text.size() > n ? text.last(n) : QStringView();
}

// Whether the letters of text from position pos on start with group (pos + group fits).
inline bool HasAt(QStringView text, qsizetype pos, QStringView group)
{
    const QChar* t = text.data() + pos;
    for (qsizetype i = 0; i < group.size(); ++i) {
        if (t[i] != group[i])
            return false;
    }
    return true;
}

inline bool Equal(QStringView a, QStringView b)
{
    return a.size() == b.size() && HasAt(a, 0, b);
}

// A text ends in a group when its tail of the group's length is the group.
inline bool EndsIn(QStringView text, QStringView group)
{
    return text.size() > group.size() && HasAt(text, text.size() - group.size(), group);
}

// Whether the last letter of a non-empty text is the letter.
inline bool LastIs(QStringView text, char16_t letter)
{
    return !text.isEmpty() && text.back() == QChar(letter);
}

// Two neighbouring letters read as one number, so that a pair is matched with one comparison.
inline quint32 PairAt(const QChar* letters)
{
    quint32 pair;
    std::memcpy(&pair, letters, sizeof pair);
    return pair;
}

// Non-overlapping occurrences of a non-empty pattern, left to right.
inline qsizetype Count(QStringView pattern, QStringView text)
{
    const qsizetype n = pattern.size();
    const qsizetype last = text.size() - n;
    if (n == 0 || last < 0)
        return 0;
    if (n == 2) {  // most groups are pairs of letters
        const quint32 wanted = PairAt(pattern.data());
        const QChar* t = text.data();
        qsizetype count = 0;
        for (qsizetype i = 0; i <= last;) {
            if (PairAt(t + i) == wanted) {
                ++count;
                i += 2;
            } else {
                ++i;
            }
        }
        return count;
    }
    const QChar first = pattern.front();
    qsizetype count = 0;
    for (qsizetype i = 0; i <= last;) {
        if (text[i] == first && HasAt(text, i, pattern)) {
            ++count;
            i += n;
        } else {
            ++i;
        }
    }
    return count;
}

// One bit per pair of neighbouring letters (hashed into 64 bits): a text whose signature lacks
// a pair's bit cannot hold that pair, so most group counts end without a scan.
inline quint64 PairBit(QChar a, QChar b)
{
    const quint32 pair = quint32(a.unicode()) << 16 | b.unicode();
    return quint64(1) << ((pair * 0x9E3779B1u) >> 26);
}

inline quint64 PairSignature(QStringView text)
{
    quint64 signature = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        signature |= PairBit(text[i], text[i + 1]);
    return signature;
}

// Count for a group of 2 letters or more in a text with that signature.
inline qsizetype CountGroup(QStringView group, QStringView text, quint64 signature)
{
    if (group.size() >= 2 && !(signature & PairBit(group[0], group[1])))
        return 0;
    return Count(group, text);
}

inline bool Contains(QStringView text, QStringView group)
{
    const qsizetype last = text.size() - group.size();
    for (qsizetype i = 0; i <= last; ++i) {
        if (HasAt(text, i, group))
            return true;
    }
    return false;
}

// Appends item to label, after separator unless label is still empty.
inline void Append(QString& label, QStringView separator, QStringView item)
{
    if (!label.isEmpty())
        label += separator;
    label += item;
}

// The same for a whole label: an empty label takes it over without copying its letters.
inline void Append(QString& label, QStringView separator, const QString& item)
{
    if (label.isEmpty()) {
        label = item;
    } else {
        label += separator;
        label += item;
    }
}

}  // namespace RuleText
