#pragma once

#include "rules/errorkinds.h"
#include "storage/recordlist.h"
#include "storage/records.h"

#include <QList>
#include <QString>
#include <QStringList>

// One kind of error in a pupil's misspelled words.
struct SErrorProfileRow {
    EErrorKind kind = EErrorKind::IeEi;
    // The misspellings that show this kind, as indexes into the missed-word list, in list order.
    QList<qsizetype> records;
    // The date text of the newest of them (the first of the newest when several are as new).
    QString newest;
    // Up to three different misspellings of this kind as "word (misspelling)", newest first.
    QStringList examples;

    qsizetype Count() const { return records.size(); }
};

// The error profile: for each kind of error that the pupil's misspelled words show, how many of
// them show it, its share of all misspelled words, the newest date and a few examples. A
// misspelling that shows two kinds counts in both; one the analyser names "?" counts in none,
// but in the total. Rows come most frequent first, kinds as frequent as each other in the kinds'
// order (ErrorKinds::All).
//
// Dates are read with ReportDate: a date text that cannot be read is older than all that can.
class CErrorProfile
{
public:
    static constexpr int kMaxExamples = 3;

    CErrorProfile() = default;
    // Analyses every record of the list once.
    explicit CErrorProfile(const CRecordList<CMissed>& missed);

    // Misspelled words in the list the profile was made from.
    qsizetype Total() const { return m_nTotal; }
    const QList<SErrorProfileRow>& Rows() const { return m_rows; }
    bool IsEmpty() const { return m_rows.isEmpty(); }

    // The texts of a row: kind, count, share, newest date, the examples joined with ", ".
    QStringList RowTexts(const SErrorProfileRow& row) const;
    QList<QStringList> AllRowTexts() const;

    // A share of the total in per cent with one decimal ("33.3 %"), the same in every locale;
    // "0.0 %" for a total of 0.
    static QString ShareText(qsizetype count, qsizetype total);
    // "word (misspelling)".
    static QString ExampleText(const CMissed& missed);

private:
    qsizetype m_nTotal = 0;
    QList<SErrorProfileRow> m_rows;
};
