#pragma once

#include "lists/listdatabase.h"
#include "lists/spellinglistdb.h"

#include <QByteArray>
#include <QString>

#include <memory>

// An open list file that words are added to at its end: each new word gets the [Order] after
// the highest one in the file, however its rows are numbered.
class CListAppender
{
public:
    // Opens the file and its cursor; false after the message saying why.
    bool Open(const QString& path);
    // Closes the cursor and the file.
    void Close();

    // The [Order] the word got, or 0 (after the message) when it could not be stored.
    int Append(const QString& creator, const QString& word, const QByteArray& sound);

    // The cursor; only while open.
    CSpellingListDB& List() { return *m_list; }

private:
    CListDatabase m_database;
    std::unique_ptr<CSpellingListDB> m_list;
    int m_nNextOrder = 1;
};
