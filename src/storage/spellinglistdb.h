#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class CListDatabase;
class CSqliteStatement;

// One row's word with its recording, as read for a test.
struct SWordRow {
    QString word;
    QByteArray sound;
};

// The cursor over the rows of an open list file's table tblList, in ascending [Order] (rows with
// equal [Order] in the order they were added). The set of rows is taken when the cursor opens
// and at each Requery; a row deleted since is skipped by moves and counts, and a row added with
// AddNew joins the end until the next Requery. The cursor keeps each row's [Order] and [Word],
// so walking the rows reads nothing; [CreatedBy] and [Sound] are read from the file when they
// are asked for.
//
// Changes follow the edit-buffer pattern: AddNew or Edit, the setters, then Update (or
// CancelUpdate; any move cancels a pending change too). Failures to change the file show a
// message naming it, and leave the file as it was.
class CSpellingListDB
{
public:
    enum class EditMode { None, AddNew, Edit };

    explicit CSpellingListDB(CListDatabase& database);
    ~CSpellingListDB();
    CSpellingListDB(const CSpellingListDB&) = delete;
    CSpellingListDB& operator=(const CSpellingListDB&) = delete;

    // Reads the rows and goes to the first one. On failure shows the database's message and
    // returns false.
    bool Open();
    void Close();
    bool IsOpen() const { return m_bOpen; }

    // Position. An empty cursor is at BOF and EOF at once.
    bool IsBOF() const;
    bool IsEOF() const;
    bool IsDeleted() const;  // the current row was deleted through this cursor
    bool MoveFirst();        // false when there is no row
    bool MoveNext();         // false when it arrives at (or already was at) EOF
    // Goes to the row-th row (1-based); past the last row is EOF, 0 or less is BOF.
    bool SetAbsolutePosition(int row);
    int RecordCount() const { return m_live; }  // rows not deleted, without moving

    // The current row's values (the edit buffer during AddNew/Edit); 0 and empty texts when
    // the cursor is not on a row.
    int Order() const;
    QString Word() const;
    QString CreatedBy() const;
    QByteArray Sound() const;
    qint64 SoundSize() const;  // bytes of [Sound] without reading them

    // Changing rows.
    bool AddNew();  // empty buffer for a new row
    bool Edit();    // the current row's values in the buffer
    void SetOrder(int order);
    void SetCreatedBy(const QString& createdBy);
    void SetWord(const QString& word);
    void SetSound(const QByteArray& sound);
    // Writes the buffer: a new row goes to the end of the cursor, which stays where it was;
    // an edited row keeps its place. A word over 50 characters or a creator over 25 is refused
    // with a message, and the buffer stays for CancelUpdate or another try.
    bool Update();
    void CancelUpdate();
    EditMode GetEditMode() const { return m_mode; }
    // Deletes the current row from the file; the cursor stays on it until it moves.
    bool Delete();

    bool CanRestart() const { return m_bOpen; }
    // Reads the rows again and goes to the first. False, without a message, when the file
    // cannot be read; the caller decides how to recover (the document reopens the file).
    bool Requery();
    QString ErrorMessage() const { return m_strError; }

    CListDatabase& Database() { return m_database; }

    // Row operations of the pages.
    // Walks from the first row to EOF counting the rows; the cursor is left at EOF.
    int CountRows();
    // Goes to row k (1-based); when that is a row, its [Word] and its whole [Sound]. Nothing
    // otherwise.
    std::optional<SWordRow> ReadWord(int k);
    // Every non-empty [Word], in row order.
    QStringList ListWords();
    // Adds a row with all four values.
    bool AppendWord(int order, const QString& createdBy, const QString& word, const QByteArray& sound);

    // The [Order] after the highest in the file (1 for a list without words), read from the file
    // rather than the cursor so that words another copy of the program added count too. Asked
    // inside a write transaction, it stays free until the commit. Nothing, after the message,
    // when the file cannot be read or no word may be numbered higher.
    std::optional<int> NextOrder();
    // Adds to the cursor's end the rows another copy of the program added to the file since the
    // cursor read it, in their order; the number of rows added, or -1 when the file cannot be
    // read. Inside a write transaction no more can appear until the commit.
    int JoinRowsAddedElsewhere();

private:
    struct Key {
        qint64 rowId = 0;
        int order = 0;
        QString word;
        bool deleted = false;
    };
    enum Field : unsigned { kOrder = 1, kCreatedBy = 2, kWord = 4, kSound = 8 };

    bool OnRow() const;
    void LeaveRow();
    void GoTo(qsizetype index);
    std::optional<std::vector<Key>> ReadKeys();
    bool ReadKeyset();
    bool Validate() const;
    bool Fail(const QString& reason);
    CSqliteStatement& UpdateStatement(unsigned fields);

    CListDatabase& m_database;
    bool m_bOpen = false;
    std::vector<Key> m_keys;
    int m_live = 0;
    qsizetype m_pos = -1;  // -1: BOF; m_keys.size(): EOF

    // The current row's values, read on demand, and the edit buffer.
    EditMode m_mode = EditMode::None;
    unsigned m_dirty = 0;
    int m_nOrder = 0;
    QString m_strWord;
    mutable std::optional<QString> m_strCreatedBy;
    std::optional<QByteArray> m_sound;  // set only by SetSound

    std::unique_ptr<CSqliteStatement> m_selectCreatedBy;
    std::unique_ptr<CSqliteStatement> m_selectSound;
    std::unique_ptr<CSqliteStatement> m_selectSoundSize;
    std::unique_ptr<CSqliteStatement> m_insert;
    std::unique_ptr<CSqliteStatement> m_delete;
    std::array<std::unique_ptr<CSqliteStatement>, 16> m_updates;
    QString m_strError;
};
