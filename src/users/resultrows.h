#pragma once

#include "users/resultfiles.h"

#include <QList>
#include <QStringList>

// Rebuilding a result list from the rows the reports page shows, top row first. Each row is the
// texts of its columns:
// - grades: list name, date text, correct count, word count;
// - misspelled words: list name, date text, word, misspelling (an errors column is not read);
// - vocabulary: list name, extra text, date text, word.
// Missing columns count as empty text.
namespace ResultRows {

// A count column read as the C library's wcstol in base 10 reads it: leading white space, an
// optional sign, then decimal digits up to the first other character; no digits give 0, and a
// number beyond the 32-bit range gives the nearest end of the range.
qint32 ParseCount(const QString& text);

void RebuildGrades(CRecordList<CGrade>& list, const QList<QStringList>& rows);
void RebuildMissed(CRecordList<CMissed>& list, const QList<QStringList>& rows);
void RebuildVocabulary(CRecordList<CVocabulary>& list, const QList<QStringList>& rows);

// Replaces every record of the list of that kind by records made from the rows.
void RebuildList(EResultKind kind, const QList<QStringList>& rows, SResultLists lists);

}  // namespace ResultRows
