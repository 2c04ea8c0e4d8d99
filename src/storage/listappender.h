#pragma once

#include "storage/listdatabase.h"
#include "storage/listtransaction.h"
#include "storage/spellinglistdb.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// An open list file that words are added to at its end: each new word gets the [Order] after
// the highest one in the file, however its rows are numbered. The highest number is read inside
// the write transaction that stores the words, which holds the file's write lock from the start
// (waiting a while for another writer), so two copies adding words at once never give two words
// one number, and each copy's words stay together in their order.
class CListAppender
{
public:
    CListAppender();
    ~CListAppender();
    CListAppender(const CListAppender&) = delete;
    CListAppender& operator=(const CListAppender&) = delete;

    // Opens the file and its cursor; false after the message saying why.
    bool Open(const QString& path);
    // Closes the cursor and the file; words not committed are rolled back.
    void Close();

    // Every non-empty word of the list, in row order, as the file held them when it was opened.
    QStringList Words();

    // Words appended from Begin() to Commit() reach the file all together or, should anything
    // fail or the appender close first, not at all. False after the message when the write lock
    // or the highest number cannot be had.
    bool Begin();
    bool Commit();

    // The [Order] the word got, or 0 (after the message) when it could not be stored: also when
    // its number would pass the largest int. Outside Begin()/Commit() the word is stored at once,
    // in a transaction of its own.
    int Append(const QString& creator, const QString& word, const QByteArray& sound);

private:
    CListDatabase m_database;
    std::unique_ptr<CSpellingListDB> m_list;
    // Declared after the cursor it rolls back, so that it goes first.
    std::optional<CListTransaction> m_transaction;
    qint64 m_nNextOrder = 0;
};
