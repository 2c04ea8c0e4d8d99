#pragma once

#include <QStringView>

// Small text helpers shared by the analyser's checks. They work on views and never allocate.
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

inline bool Contains(QStringView text, QStringView group)
{
    const qsizetype last = text.size() - group.size();
    for (qsizetype i = 0; i <= last; ++i) {
        if (HasAt(text, i, group))
            return true;
    }
    return false;
}

inline qsizetype CountLetter(QChar letter, QStringView text)
{
    qsizetype count = 0;
    for (QChar c : text)
        count += (c == letter);
    return count;
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
