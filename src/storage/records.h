#pragma once

#include <QString>
#include <QtGlobal>

class CArchive;

// The result records a test leaves for the logged-in user. Every field starts empty or zero;
// Serialize stores or loads the stored fields, by the archive's mode. Loading reads every field
// before changing the record, so a failed read leaves the record as it was.

// One finished or stopped test.
class CGrade
{
public:
    static constexpr const char* kClassName = "CGrade";
    static constexpr quint16 kSchema = 0;

    QString GetListName() const { return m_strListName; }
    void SetListName(const QString& listName) { m_strListName = listName; }
    QString GetDateText() const { return m_strDateText; }
    void SetDateText(const QString& dateText) { m_strDateText = dateText; }
    qint32 GetCorrectCount() const { return m_nCorrectCount; }
    void SetCorrectCount(qint32 correctCount) { m_nCorrectCount = correctCount; }
    qint32 GetWordCount() const { return m_nWordCount; }
    void SetWordCount(qint32 wordCount) { m_nWordCount = wordCount; }

    // Stored as: correct count, word count, date text, list name.
    void Serialize(CArchive& ar);

    bool operator==(const CGrade&) const = default;

private:
    QString m_strListName;
    QString m_strDateText;
    qint32 m_nCorrectCount = 0;
    qint32 m_nWordCount = 0;
};

// One misspelled word. The errors text is the analyser's label, set by whoever orders or prints
// the words; it is never stored, and loading empties it.
class CMissed
{
public:
    static constexpr const char* kClassName = "CMissed";
    static constexpr quint16 kSchema = 0;

    QString GetListName() const { return m_strListName; }
    void SetListName(const QString& listName) { m_strListName = listName; }
    QString GetDateText() const { return m_strDateText; }
    void SetDateText(const QString& dateText) { m_strDateText = dateText; }
    QString GetWord() const { return m_strWord; }
    void SetWord(const QString& word) { m_strWord = word; }
    QString GetMisspelling() const { return m_strMisspelling; }
    void SetMisspelling(const QString& misspelling) { m_strMisspelling = misspelling; }
    QString GetErrors() const { return m_strErrors; }
    void SetErrors(const QString& errors) { m_strErrors = errors; }

    // Stored as: list name, date text, word, misspelling.
    void Serialize(CArchive& ar);

    bool operator==(const CMissed&) const = default;

private:
    QString m_strListName;
    QString m_strDateText;
    QString m_strWord;
    QString m_strMisspelling;
    QString m_strErrors;
};

// One skipped word. The extra text is never filled by the program but is kept as stored.
class CVocabulary
{
public:
    static constexpr const char* kClassName = "CVocabulary";
    static constexpr quint16 kSchema = 1;

    QString GetListName() const { return m_strListName; }
    void SetListName(const QString& listName) { m_strListName = listName; }
    QString GetDateText() const { return m_strDateText; }
    void SetDateText(const QString& dateText) { m_strDateText = dateText; }
    QString GetWord() const { return m_strWord; }
    void SetWord(const QString& word) { m_strWord = word; }
    QString GetExtra() const { return m_strExtra; }
    void SetExtra(const QString& extra) { m_strExtra = extra; }

    // Stored as: list name, date text, word, extra text.
    void Serialize(CArchive& ar);

    bool operator==(const CVocabulary&) const = default;

private:
    QString m_strListName;
    QString m_strDateText;
    QString m_strWord;
    QString m_strExtra;
};
