#pragma once

#include "storage/sqlitedatabase.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CSqliteStatement;

// Words with their recordings waiting to be added to a list, kept in a private temporary
// database on disk rather than in memory: an import of many long dictations holds one
// recording at a time, and the list itself is changed only at the end, in one short
// transaction, so that it gets all the words or none. SQLite removes the database when the
// store goes, and on POSIX systems unlinks it as soon as it is made, so that not even a killed
// process leaves it behind. It is made in SQLite's temporary folder ($SQLITE_TMPDIR, $TMPDIR or
// /var/tmp, /tmp), apart from every list, so no lock of a list is held while words are spoken.
// Any one thread at a time may use a store.
class StagedWords
{
public:
    StagedWords();
    ~StagedWords();
    StagedWords(const StagedWords&) = delete;
    StagedWords& operator=(const StagedWords&) = delete;

    // Keeps the word and its recording after those added before; false after the message
    // saying why (a full disk, say), and then the store is of no further use.
    bool add(const QString& word, const QByteArray& sound);
    int count() const { return int(m_words.size()); }
    // The words added, in their order.
    const QStringList& words() const { return m_words; }

    // Calls take(word, sound) for each word in the order added, reading one recording at a
    // time, until take returns false. False when take did, or (after the message) when the
    // store could not be read.
    bool forEach(const std::function<bool(const QString& word, const QByteArray& sound)>& take);

    // What is said when a word cannot be kept; why: the database's reason.
    static QString NotKeptMessage(const QString& why);

private:
    bool open();
    bool fail();

    CSqliteDatabase m_database;
    std::unique_ptr<CSqliteStatement> m_insert;
    QStringList m_words;
    bool m_failed = false;
};
