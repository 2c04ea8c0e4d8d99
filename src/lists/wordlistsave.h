#pragma once

#include <QString>
#include <QStringList>

class CSpellingListDB;

// Every sort, move and deletion on the words page: writes its on-screen list back to the open list file. Rows are
// numbered 1..n in the order of the n words on screen, and rows whose word is no longer on
// screen are deleted. Each word on screen takes the first row, in the file's old order, that has
// exactly that word and is not taken yet, so two rows with the same word both stay. Rows that
// another copy of the program added since the page read the list were never on screen: they are
// kept, numbered n + 1 onwards in their order.
//
// The result is that of three passes over the rows: every row numbered n + 10; word i on screen
// giving i + 1 to the first row with that word still numbered above n; the rows left above n
// deleted. It is worked out first and then written as one change per row, so that a row (with
// its whole recording) is rewritten only when its number changes. Everything happens in one
// transaction: a failure (or a crash) part way leaves the file exactly as it was before.
class CWordListSave
{
public:
    // True when the file now holds the new order (also when there was nothing to do because no
    // list is open). On failure the file is unchanged, the cursor reads it again, and the
    // message of NotSavedMessage() has been shown after the database's own.
    static bool Save(CSpellingListDB& list, const QStringList& words);

    static QString NotSavedMessage();
};
