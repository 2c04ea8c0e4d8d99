#include "storage/sqlitestatement.h"

#include "storage/sqlitedatabase.h"

#include <sqlite3.h>

void CSqliteStatement::Finalizer::operator()(sqlite3_stmt* stmt) const
{
    sqlite3_finalize(stmt);
}

CSqliteStatement::CSqliteStatement(CSqliteDatabase& db, const char* sql)
{
    if (!db.IsOpen())
        return;
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v3(db.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr) == SQLITE_OK)
        m_stmt.reset(raw);
    else
        sqlite3_finalize(raw);
}

CSqliteStatement::~CSqliteStatement() = default;

void CSqliteStatement::BindInt(int index, qint64 value)
{
    if (m_stmt)
        sqlite3_bind_int64(m_stmt.get(), index, value);
}

void CSqliteStatement::BindText(int index, const QString& value)
{
    if (!m_stmt)
        return;
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text64(m_stmt.get(), index, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

void CSqliteStatement::BindBlob(int index, const QByteArray& value)
{
    if (!m_stmt)
        return;
    // A zero-length blob is still a blob, never NULL.
    static const char empty = 0;
    sqlite3_bind_blob64(m_stmt.get(), index, value.isEmpty() ? &empty : value.constData(),
                        sqlite3_uint64(value.size()), SQLITE_TRANSIENT);
}

void CSqliteStatement::BindNull(int index)
{
    if (m_stmt)
        sqlite3_bind_null(m_stmt.get(), index);
}

CSqliteStatement::Step CSqliteStatement::Next()
{
    if (!m_stmt)
        return Step::Error;
    switch (sqlite3_step(m_stmt.get())) {
    case SQLITE_ROW: return Step::Row;
    case SQLITE_DONE: return Step::Done;
    default: return Step::Error;
    }
}

bool CSqliteStatement::Run()
{
    Step step;
    while ((step = Next()) == Step::Row) {
    }
    return step == Step::Done;
}

void CSqliteStatement::Reset()
{
    if (!m_stmt)
        return;
    sqlite3_reset(m_stmt.get());
    sqlite3_clear_bindings(m_stmt.get());
}

bool CSqliteStatement::IsNull(int column) const
{
    return !m_stmt || sqlite3_column_type(m_stmt.get(), column) == SQLITE_NULL;
}

qint64 CSqliteStatement::Int64(int column) const
{
    return m_stmt ? sqlite3_column_int64(m_stmt.get(), column) : 0;
}

int CSqliteStatement::Int(int column) const
{
    return m_stmt ? sqlite3_column_int(m_stmt.get(), column) : 0;
}

QString CSqliteStatement::Text(int column) const
{
    if (!m_stmt)
        return QString();
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt.get(), column));
    const int bytes = sqlite3_column_bytes(m_stmt.get(), column);
    return text ? QString::fromUtf8(text, bytes) : QString();
}

QByteArray CSqliteStatement::Blob(int column) const
{
    if (!m_stmt)
        return QByteArray();
    const void* data = sqlite3_column_blob(m_stmt.get(), column);
    const int bytes = sqlite3_column_bytes(m_stmt.get(), column);
    return data ? QByteArray(static_cast<const char*>(data), bytes) : QByteArray();
}
