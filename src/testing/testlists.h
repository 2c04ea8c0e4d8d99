#pragma once

// Spelling-list files for tests: made with rows put straight into the file, and read back row by
// row, the way another program would see them.

#include "storage/listdatabase.h"
#include "storage/spellinglistdb.h"
#include "storage/sqlitedatabase.h"
#include "storage/sqlitestatement.h"
#include "testing/testenvironment.h"
#include "testing/testwav.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMetaType>
#include <QPair>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace TestLists {
struct Row {
    qint64 order = 0;  // as stored: the program writes whole numbers, another program any
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

// The words given with their sounds, numbered 1..n.
inline QList<Row> WithSounds(const QList<QPair<QString, QByteArray>>& words, const QString& createdBy)
{
    QList<Row> rows;
    for (const auto& [word, sound] : words)
        rows.append({rows.size() + 1, createdBy, word, sound});
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

// The same in the test's temporary folder, in place of a file of that name made before; the
// file's path, or empty on failure.
inline QString MakeInRoot(const QString& name, const QList<Row>& rows)
{
    const QString path = QDir(CTestEnvironment::Instance().Root()).filePath(name);
    QFile::remove(path);
    return Make(path, rows) ? path : QString();
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
        rows.append({select.Int64(0), select.Text(1), select.Text(2), select.Blob(3)});
    return rows;
}

inline QStringList Words(const QList<Row>& rows)
{
    QStringList words;
    for (const Row& row : rows)
        words.append(row.word);
    return words;
}

inline QList<qint64> Orders(const QList<Row>& rows)
{
    QList<qint64> orders;
    for (const Row& row : rows)
        orders.append(row.order);
    return orders;
}

// The rows the cursor passes from the first to the end, as "order:word".
inline QStringList Walk(CSpellingListDB& list)
{
    QStringList seen;
    if (list.IsBOF() && list.IsEOF())
        return seen;
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
        seen << QStringLiteral("%1:%2").arg(list.Order()).arg(list.Word());
    return seen;
}
}  // namespace TestLists

Q_DECLARE_METATYPE(TestLists::Row)
