#pragma once

#include <QString>
#include <QStringList>

class COrthexDoc;

// Every update of the words page, and a change the file refused: the open list's words read
// again from the file, in row order. When the file cannot be read again it is opened anew.
class CWordListReload
{
public:
    enum class Outcome {
        Loaded,     // the words of the list (none when all of them are empty)
        NoWords,    // the list has no rows, or no list is open
        NotOpened,  // reopening the file got as far as its connection only (message shown)
        Closed,     // reopening the file failed (its own message said why)
    };
    struct Result {
        Outcome outcome = Outcome::NoWords;
        QStringList words;
    };

    static Result Run(COrthexDoc& doc);

    static QString NotOpenedMessage();
};
