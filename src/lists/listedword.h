#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class CSpellingListDB;

// A word of the open list as the words page shows it: its text and which of the rows with that
// text it is (0 for the first), counted in the list's order. Rows with the same word keep their
// order among themselves whatever the page does, so this names one row.
namespace ListedWord {
// Its recording; nothing when the list has no such row.
std::optional<QByteArray> Sound(CSpellingListDB& list, const QString& word, int occurrence);
// Gives the row a new spelling and recording in one transaction; false (after the message)
// when there is no such row any more or the file refused the change, which then leaves the
// file as it was.
bool Replace(CSpellingListDB& list, const QString& word, int occurrence, const QString& newWord,
             const QByteArray& sound);
}  // namespace ListedWord
