#include "storage/stagedwords.h"

#include "base/messages.h"
#include "storage/sqlitestatement.h"

#include <QCoreApplication>

StagedWords::StagedWords() = default;

StagedWords::~StagedWords()
{
    m_insert.reset();  // before the connection it was made on
}

QString StagedWords::NotKeptMessage(const QString& why)
{
    return QCoreApplication::translate("StagedWords",
                                       "The spoken words could not be kept in a temporary file, so none was added: %1")
        .arg(why);
}

bool StagedWords::fail()
{
    Messages::Show(NotKeptMessage(m_database.ErrorMessage()), MessageIcon::Exclamation);
    m_insert.reset();
    m_database.Close();
    m_failed = true;
    return false;
}

bool StagedWords::open()
{
    if (!m_database.OpenTemporary())
        return fail();
    // Only pages beyond a small cache are held in memory; the file needs no journal, since a
    // store that fails is given up whole.
    if (!m_database.Execute("PRAGMA cache_size = -1024; PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;"
                            "CREATE TABLE staged (word TEXT NOT NULL, sound BLOB NOT NULL)"))
        return fail();
    m_insert = std::make_unique<CSqliteStatement>(m_database, "INSERT INTO staged (word, sound) VALUES (?, ?)");
    return m_insert->IsValid() || fail();
}

bool StagedWords::add(const QString& word, const QByteArray& sound)
{
    if (m_failed || (!m_insert && !open()))
        return false;
    m_insert->Reset();
    m_insert->BindText(1, word);
    m_insert->BindBlob(2, sound);
    if (!m_insert->Run())
        return fail();
    m_words << word;
    return true;
}

bool StagedWords::forEach(const std::function<bool(const QString& word, const QByteArray& sound)>& take)
{
    if (m_failed)
        return false;
    if (m_words.isEmpty())
        return true;
    CSqliteStatement select(m_database, "SELECT word, sound FROM staged ORDER BY rowid");
    if (!select.IsValid())
        return fail();
    for (;;) {
        switch (select.Next()) {
        case CSqliteStatement::Step::Row:
            if (!take(select.Text(0), select.Blob(1)))
                return false;
            break;
        case CSqliteStatement::Step::Done:
            return true;
        case CSqliteStatement::Step::Error:
            return fail();
        }
    }
}
