#include "storage/spellinglistdb.h"

#include "base/messages.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/sqlitestatement.h"

#include <limits>
#include <unordered_set>

namespace {
const char kSqlKeyset[] = "SELECT rowid, [Order], Word FROM tblList ORDER BY [Order], rowid";
const char kSqlCreatedBy[] = "SELECT CreatedBy FROM tblList WHERE rowid=?1";
const char kSqlSound[] = "SELECT Sound FROM tblList WHERE rowid=?1";
// length() counts characters of a text value; a blob's length is its bytes, read from the
// record header without loading the value.
const char kSqlSoundSize[] =
    "SELECT CASE typeof(Sound) WHEN 'null' THEN 0 WHEN 'blob' THEN length(Sound) "
    "ELSE length(CAST(Sound AS BLOB)) END FROM tblList WHERE rowid=?1";
const char kSqlInsert[] = "INSERT INTO tblList ([Order], CreatedBy, Word, Sound) VALUES (?1, ?2, ?3, ?4)";
const char kSqlDelete[] = "DELETE FROM tblList WHERE rowid=?1";
// [Order] as the cursor reads it: a whole number, whatever was stored. Counted in 64 bits, so a
// number past the largest int is seen as such.
const char kSqlHighestOrder[] = "SELECT max(CAST([Order] AS INTEGER)) FROM tblList";
}  // namespace

CSpellingListDB::CSpellingListDB(CListDatabase& database)
    : m_database(database)
{
}

CSpellingListDB::~CSpellingListDB() = default;

bool CSpellingListDB::Open()
{
    Close();
    CSqliteDatabase& db = m_database.Connection();
    QString reason;
    // Compiling the statements checks that the file has the table with its four columns.
    auto compile = [&](std::unique_ptr<CSqliteStatement>& statement, const char* sql) {
        if (!reason.isEmpty())
            return;
        statement = std::make_unique<CSqliteStatement>(db, sql);
        if (!statement->IsValid())
            reason = db.ErrorMessage();
    };
    compile(m_selectCreatedBy, kSqlCreatedBy);
    compile(m_selectSound, kSqlSound);
    compile(m_selectSoundSize, kSqlSoundSize);
    compile(m_insert, kSqlInsert);
    compile(m_delete, kSqlDelete);
    if (reason.isEmpty() && !ReadKeyset())
        reason = db.ErrorMessage();
    if (!db.IsOpen())
        reason = QStringLiteral("The file is not open.");
    if (!reason.isEmpty()) {
        Close();
        Messages::Show(ListMessages::CannotOpen(m_database.Path(), reason), MessageIcon::Exclamation);
        return false;
    }
    m_bOpen = true;
    GoTo(0);
    return true;
}

void CSpellingListDB::Close()
{
    m_bOpen = false;
    m_keys.clear();
    m_live = 0;
    m_pos = -1;
    LeaveRow();
    m_selectCreatedBy.reset();
    m_selectSound.reset();
    m_selectSoundSize.reset();
    m_insert.reset();
    m_delete.reset();
    for (auto& statement : m_updates)
        statement.reset();
}

std::optional<std::vector<CSpellingListDB::Key>> CSpellingListDB::ReadKeys()
{
    CSqliteStatement keyset(m_database.Connection(), kSqlKeyset);
    if (!keyset.IsValid())
        return std::nullopt;
    std::vector<Key> keys;
    CSqliteStatement::Step step;
    while ((step = keyset.Next()) == CSqliteStatement::Step::Row)
        keys.push_back({keyset.Int64(0), keyset.Int(1), keyset.Text(2), false});
    if (step != CSqliteStatement::Step::Done)
        return std::nullopt;
    return keys;
}

bool CSpellingListDB::ReadKeyset()
{
    std::optional<std::vector<Key>> keys = ReadKeys();
    if (!keys)
        return false;
    m_keys = std::move(*keys);
    m_live = int(m_keys.size());
    return true;
}

bool CSpellingListDB::OnRow() const
{
    return m_bOpen && m_pos >= 0 && m_pos < qsizetype(m_keys.size()) && !m_keys[size_t(m_pos)].deleted;
}

void CSpellingListDB::LeaveRow()
{
    m_mode = EditMode::None;
    m_dirty = 0;
    m_sound.reset();
    m_strCreatedBy.reset();
    if (OnRow()) {
        m_nOrder = m_keys[size_t(m_pos)].order;
        m_strWord = m_keys[size_t(m_pos)].word;
    } else {
        m_nOrder = 0;
        m_strWord.clear();
    }
}

// Goes to the first row not deleted at or after index; EOF when there is none.
void CSpellingListDB::GoTo(qsizetype index)
{
    const auto size = qsizetype(m_keys.size());
    while (index < size && m_keys[size_t(index)].deleted)
        ++index;
    m_pos = qMin(index, size);
    LeaveRow();
}

bool CSpellingListDB::IsBOF() const
{
    return !m_bOpen || m_live == 0 || m_pos < 0;
}

bool CSpellingListDB::IsEOF() const
{
    return !m_bOpen || m_live == 0 || m_pos >= qsizetype(m_keys.size());
}

bool CSpellingListDB::IsDeleted() const
{
    return m_bOpen && m_pos >= 0 && m_pos < qsizetype(m_keys.size()) && m_keys[size_t(m_pos)].deleted;
}

bool CSpellingListDB::MoveFirst()
{
    if (!m_bOpen)
        return false;
    GoTo(0);
    return OnRow();
}

bool CSpellingListDB::MoveNext()
{
    if (!m_bOpen)
        return false;
    GoTo(qMin(m_pos + 1, qsizetype(m_keys.size())));
    return OnRow();
}

bool CSpellingListDB::SetAbsolutePosition(int row)
{
    if (!m_bOpen)
        return false;
    if (row < 1) {
        m_pos = -1;
        LeaveRow();
        return false;
    }
    if (row > m_live) {
        m_pos = qsizetype(m_keys.size());
        LeaveRow();
        return false;
    }
    if (m_live == int(m_keys.size())) {
        GoTo(row - 1);  // nothing deleted: the row is its own index
        return true;
    }
    int seen = 0;
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (!m_keys[i].deleted && ++seen == row) {
            GoTo(qsizetype(i));
            return true;
        }
    }
    return false;
}

int CSpellingListDB::Order() const
{
    return m_nOrder;
}

QString CSpellingListDB::Word() const
{
    return m_strWord;
}

QString CSpellingListDB::CreatedBy() const
{
    if (m_strCreatedBy)
        return *m_strCreatedBy;
    if (!OnRow())
        return QString();
    CSqliteStatement& select = *m_selectCreatedBy;
    select.Reset();
    select.BindInt(1, m_keys[size_t(m_pos)].rowId);
    QString value;
    if (select.Next() == CSqliteStatement::Step::Row)
        value = select.Text(0);
    select.Reset();
    m_strCreatedBy = value;
    return value;
}

QByteArray CSpellingListDB::Sound() const
{
    if (m_sound)
        return *m_sound;
    if (m_mode == EditMode::AddNew || !OnRow())
        return QByteArray();
    CSqliteStatement& select = *m_selectSound;
    select.Reset();
    select.BindInt(1, m_keys[size_t(m_pos)].rowId);
    QByteArray value;
    if (select.Next() == CSqliteStatement::Step::Row)
        value = select.Blob(0);
    select.Reset();
    return value;
}

qint64 CSpellingListDB::SoundSize() const
{
    if (m_sound)
        return m_sound->size();
    if (m_mode == EditMode::AddNew || !OnRow())
        return 0;
    CSqliteStatement& select = *m_selectSoundSize;
    select.Reset();
    select.BindInt(1, m_keys[size_t(m_pos)].rowId);
    qint64 value = 0;
    if (select.Next() == CSqliteStatement::Step::Row)
        value = select.Int64(0);
    select.Reset();
    return value;
}

bool CSpellingListDB::AddNew()
{
    if (!m_bOpen)
        return false;
    LeaveRow();
    m_mode = EditMode::AddNew;
    m_nOrder = 0;
    m_strWord.clear();
    m_strCreatedBy = QString();
    return true;
}

bool CSpellingListDB::Edit()
{
    if (!OnRow())
        return false;
    LeaveRow();
    m_mode = EditMode::Edit;
    return true;
}

void CSpellingListDB::SetOrder(int order)
{
    m_nOrder = order;
    m_dirty |= kOrder;
}

void CSpellingListDB::SetCreatedBy(const QString& createdBy)
{
    m_strCreatedBy = createdBy;
    m_dirty |= kCreatedBy;
}

void CSpellingListDB::SetWord(const QString& word)
{
    m_strWord = word;
    m_dirty |= kWord;
}

void CSpellingListDB::SetSound(const QByteArray& sound)
{
    m_sound = sound;
    m_dirty |= kSound;
}

bool CSpellingListDB::Validate() const
{
    if ((m_dirty & kWord) && m_strWord.size() > CListDatabase::kMaxWordLength) {
        Messages::Show(ListMessages::WordTooLong(m_strWord, CListDatabase::kMaxWordLength), MessageIcon::Exclamation);
        return false;
    }
    if ((m_dirty & kCreatedBy) && m_strCreatedBy && m_strCreatedBy->size() > CListDatabase::kMaxCreatedByLength) {
        Messages::Show(ListMessages::CreatorTooLong(*m_strCreatedBy, CListDatabase::kMaxCreatedByLength),
                       MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool CSpellingListDB::Fail(const QString& reason)
{
    m_strError = reason;
    Messages::Show(ListMessages::CannotChange(m_database.Path(), reason), MessageIcon::Exclamation);
    return false;
}

CSqliteStatement& CSpellingListDB::UpdateStatement(unsigned fields)
{
    std::unique_ptr<CSqliteStatement>& statement = m_updates[fields];
    if (!statement) {
        QStringList sets;
        if (fields & kOrder)
            sets << QStringLiteral("[Order]=?1");
        if (fields & kCreatedBy)
            sets << QStringLiteral("CreatedBy=?2");
        if (fields & kWord)
            sets << QStringLiteral("Word=?3");
        if (fields & kSound)
            sets << QStringLiteral("Sound=?4");
        const QByteArray sql =
            QStringLiteral("UPDATE tblList SET %1 WHERE rowid=?5").arg(sets.join(QStringLiteral(", "))).toUtf8();
        statement = std::make_unique<CSqliteStatement>(m_database.Connection(), sql.constData());
    }
    return *statement;
}

bool CSpellingListDB::Update()
{
    if (!m_bOpen || m_mode == EditMode::None)
        return false;
    if (!Validate())
        return false;
    CSqliteDatabase& db = m_database.Connection();
    if (m_mode == EditMode::AddNew) {
        CSqliteStatement& insert = *m_insert;
        insert.Reset();
        // A value that was never set stays NULL.
        insert.BindNull(1);
        insert.BindNull(2);
        insert.BindNull(3);
        insert.BindNull(4);
        if (m_dirty & kOrder)
            insert.BindInt(1, m_nOrder);
        if (m_dirty & kCreatedBy)
            insert.BindText(2, m_strCreatedBy.value_or(QString()));
        if (m_dirty & kWord)
            insert.BindText(3, m_strWord);
        if (m_sound)
            insert.BindBlob(4, *m_sound);
        const bool done = insert.Run();
        insert.Reset();
        if (!done)
            return Fail(db.ErrorMessage());
        const bool atEnd = m_pos >= qsizetype(m_keys.size());
        m_keys.push_back({db.LastInsertRowId(), m_nOrder, m_strWord, false});
        ++m_live;
        if (atEnd)
            m_pos = qsizetype(m_keys.size());  // still EOF, not on the new row
        LeaveRow();
        return true;
    }

    if (m_dirty == 0) {
        LeaveRow();
        return true;
    }
    Key& key = m_keys[size_t(m_pos)];
    CSqliteStatement& update = UpdateStatement(m_dirty);
    if (!update.IsValid())
        return Fail(db.ErrorMessage());
    update.Reset();
    update.BindInt(1, m_nOrder);
    update.BindText(2, m_strCreatedBy.value_or(QString()));
    update.BindText(3, m_strWord);
    if (m_sound)
        update.BindBlob(4, *m_sound);
    update.BindInt(5, key.rowId);
    const bool done = update.Run();
    update.Reset();
    if (!done)
        return Fail(db.ErrorMessage());
    if (db.Changes() == 0) {
        // Another copy of the program removed the row meanwhile.
        key.deleted = true;
        --m_live;
        LeaveRow();
        return Fail(QStringLiteral("The word is no longer in the list."));
    }
    key.order = m_nOrder;
    key.word = m_strWord;
    LeaveRow();
    return true;
}

void CSpellingListDB::CancelUpdate()
{
    LeaveRow();
}

bool CSpellingListDB::Delete()
{
    if (!OnRow())
        return false;
    LeaveRow();
    Key& key = m_keys[size_t(m_pos)];
    CSqliteStatement& remove = *m_delete;
    remove.Reset();
    remove.BindInt(1, key.rowId);
    const bool done = remove.Run();
    remove.Reset();
    if (!done)
        return Fail(m_database.Connection().ErrorMessage());
    key.deleted = true;
    --m_live;
    LeaveRow();
    return true;
}

bool CSpellingListDB::Requery()
{
    if (!m_bOpen)
        return false;
    LeaveRow();
    if (!ReadKeyset()) {
        m_strError = m_database.Connection().ErrorMessage();
        return false;
    }
    GoTo(0);
    return true;
}

int CSpellingListDB::CountRows()
{
    if (!m_bOpen)
        return 0;
    int count = 0;
    if (!(IsBOF() && IsEOF())) {
        for (MoveFirst(); !IsEOF(); MoveNext())
            ++count;
    }
    return count;
}

std::optional<SWordRow> CSpellingListDB::ReadWord(int k)
{
    if (!m_bOpen || (IsBOF() && IsEOF()))
        return std::nullopt;
    SetAbsolutePosition(k);
    if (!OnRow())
        return std::nullopt;
    return SWordRow{Word(), Sound()};
}

QStringList CSpellingListDB::ListWords()
{
    QStringList words;
    if (!m_bOpen || (IsBOF() && IsEOF()))
        return words;
    for (MoveFirst(); !IsEOF(); MoveNext()) {
        if (!m_strWord.isEmpty())
            words << m_strWord;
    }
    return words;
}

bool CSpellingListDB::AppendWord(int order, const QString& createdBy, const QString& word, const QByteArray& sound)
{
    if (!AddNew())
        return false;
    SetOrder(order);
    SetCreatedBy(createdBy);
    SetWord(word);
    SetSound(sound);
    if (Update())
        return true;
    CancelUpdate();
    return false;
}

std::optional<int> CSpellingListDB::NextOrder()
{
    if (!m_bOpen)
        return std::nullopt;
    CSqliteDatabase& db = m_database.Connection();
    CSqliteStatement highest(db, kSqlHighestOrder);
    if (!highest.IsValid() || highest.Next() != CSqliteStatement::Step::Row) {
        Fail(db.ErrorMessage());
        return std::nullopt;
    }
    if (highest.IsNull(0))
        return 1;
    const qint64 order = highest.Int64(0);
    if (order >= std::numeric_limits<int>::max()) {
        Fail(ListMessages::NoOrderAfter(order));
        return std::nullopt;
    }
    return int(qMax<qint64>(order + 1, 1));
}

int CSpellingListDB::JoinRowsAddedElsewhere()
{
    if (!m_bOpen)
        return -1;
    std::optional<std::vector<Key>> keys = ReadKeys();
    if (!keys) {
        m_strError = m_database.Connection().ErrorMessage();
        return -1;
    }
    std::unordered_set<qint64> known;
    for (const Key& key : m_keys)
        known.insert(key.rowId);
    const bool atEnd = m_pos >= qsizetype(m_keys.size());
    int joined = 0;
    for (Key& key : *keys) {
        if (known.count(key.rowId) != 0)
            continue;
        m_keys.push_back(std::move(key));
        ++m_live;
        ++joined;
    }
    if (atEnd)
        m_pos = qsizetype(m_keys.size());
    return joined;
}
