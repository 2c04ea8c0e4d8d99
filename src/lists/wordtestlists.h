#pragma once

// Spelling-list files for the words page's tests: made with rows put straight into the file, and
// read back row by row, the way another program would see them.

#include "lists/listdatabase.h"
#include "lists/sqlitedatabase.h"
#include "lists/sqlitestatement.h"
#include "testing/testwav.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMetaType>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace WordTestLists {
struct Row {
    int order = 0;
    QString createdBy;
    QString word;
    QByteArray sound;
    bool operator==(const Row&) const = default;
};

// A recording for these tests: a WAV file (16-bit mono) of noise, `size` bytes long (even,
// above 46), different for every seed.
inline QByteArray FakeSound(int seed, int size = 300)
{
    QByteArray noise;
    QRandomGenerator generator{quint32(seed) + 1u};
    while (noise.size() < size - 44)
        noise.append(char(generator.bounded(256)));
    return TestWav::Pcm16(noise);
}

// The words given, numbered 1..n, each with its own sound (seed = its index).
inline QList<Row> Numbered(const QStringList& words, const QString& createdBy = QStringLiteral("Ms Brown"))
{
    QList<Row> rows;
    for (int i = 0; i < words.size(); ++i)
        rows.append({i + 1, createdBy, words.at(i), FakeSound(i)});
    return rows;
}

// A new list file at the path holding the rows, in that order of insertion. False on failure.
inline bool Make(const QString& path, const QList<Row>& rows)
{
    if (!CListDatabase::Create(path))
        return false;
    CSqliteDatabase db;
    if (!db.Open(path, CSqliteDatabase::Mode::ReadWrite) || !db.Execute("BEGIN"))
        return false;
    CSqliteStatement insert(db, "INSERT INTO tblList ([Order], CreatedBy, Word, Sound) VALUES (?1, ?2, ?3, ?4)");
    if (!insert.IsValid())
        return false;
    for (const Row& row : rows) {
        insert.Reset();
        insert.BindInt(1, row.order);
        insert.BindText(2, row.createdBy);
        insert.BindText(3, row.word);
        insert.BindBlob(4, row.sound);
        if (!insert.Run())
            return false;
    }
    insert.Reset();
    return db.Execute("COMMIT");
}

// Every row of the file, in [Order] (rows of equal [Order] in the order they were added). Opened
// for writing, so that a change left half done by a crash is rolled back first.
inline QList<Row> Read(const QString& path)
{
    QList<Row> rows;
    CSqliteDatabase db;
    if (!db.Open(path, CSqliteDatabase::Mode::ReadWrite))
        return rows;
    CSqliteStatement select(db, "SELECT [Order], CreatedBy, Word, Sound FROM tblList ORDER BY [Order], rowid");
    while (select.IsValid() && select.Next() == CSqliteStatement::Step::Row)
        rows.append({select.Int(0), select.Text(1), select.Text(2), select.Blob(3)});
    return rows;
}

inline QStringList Words(const QList<Row>& rows)
{
    QStringList words;
    for (const Row& row : rows)
        words.append(row.word);
    return words;
}

inline QList<int> Orders(const QList<Row>& rows)
{
    QList<int> orders;
    for (const Row& row : rows)
        orders.append(row.order);
    return orders;
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace WordTestLists

Q_DECLARE_METATYPE(WordTestLists::Row)
