#pragma once

#include <QString>

class COrthexDoc;

// "Add Word To List": stores a word, its creator and the whole bytes of its recording as a new
// row at the end of the open list, at once. The row is numbered after the highest [Order] in the
// file, read under the file's write lock, so it comes last even when the list's numbers have
// gaps or another copy of the program added words meanwhile.
class CNewWordRow
{
public:
    enum class Result {
        Stored,        // the row is in the file
        NoList,        // no list is open: nothing was done
        NotRead,       // the recording could not be opened or read: the file's error was shown
        Unplayable,    // the file is no recording Orthex plays: what is wrong was shown
        NoFileStatus,  // the recording's size could not be had: " Error -- File Status On Button Save"
        NotStored,     // the list file refused the row: the database's message was shown
    };

    // [CreatedBy] = the document's logged-in user, [Word] = word, [Sound] = the bytes of the
    // file at wavPath.
    static Result Append(COrthexDoc& doc, const QString& word, const QString& wavPath);

    // What the page says when the recording at wavPath is no recording Orthex plays.
    static QString UnplayableMessage(const QString& wavPath, const QString& why);

    // What the page says when the word (as typed) cannot be on a list: a character no pupil can
    // type or see. Empty when it can.
    static QString RefusedWordMessage(const QString& word);

    // What the page says when there is no list to add a word to.
    static QString NoListMessage();
};
