#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct sqlite3_stmt;
class CSqliteDatabase;

// One prepared statement, finalised when the object goes. Parameters and columns count from 1
// and 0 as in SQLite.
class CSqliteStatement
{
public:
    enum class Step { Row, Done, Error };

    CSqliteStatement(CSqliteDatabase& db, const char* sql);
    ~CSqliteStatement();
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    // False when the statement did not compile (the database's message says why).
    bool IsValid() const { return m_stmt != nullptr; }

    void BindInt(int index, qint64 value);
    void BindText(int index, const QString& value);
    void BindBlob(int index, const QByteArray& value);
    void BindNull(int index);

    Step Next();
    // Steps to the end; true when it got there without an error.
    bool Run();
    // Ready to run again with new parameters.
    void Reset();

    bool IsNull(int column) const;
    qint64 Int64(int column) const;
    int Int(int column) const;
    QString Text(int column) const;
    QByteArray Blob(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> m_stmt;
};
