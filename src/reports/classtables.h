#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CClassResults;

// The tables of the class overview, shown by its window and printed by orthex-cli class. An
// empty list name means every list; otherwise only the tests and misspelled words of that list
// (its stored name without the ending of a repeated or stopped test) count. Grades are per cent
// with one decimal, the same in every locale. A damaged pupil counts nowhere but in the status.
namespace ClassTables {

// User, Tests, Newest, Average, Trend, Status: one row per pupil in the results' order. Tests
// counts the pupil's tests; Newest is the grade of the newest test (first in the file), Average
// the mean of the newest five, Trend that average minus the mean of the five before it (of as
// many as there are, blank when there are none); a test without words has no grade and is left
// out of these three. Status is "ok" or "damaged".
QStringList OverviewHeader();
QList<QStringList> OverviewRows(const CClassResults& results, const QString& list = QString());

// Word, Pupils, Times: one row per word missed, Pupils how many pupils missed it, Times how
// often; most pupils first, then most often, then the word (case first ignored).
QStringList WordsHeader();
QList<QStringList> WordRows(const CClassResults& results, const QString& list = QString());

// Kind, Count, Share, Pupils, Names: the error analysis of each pupil's misspelled words added
// up: how many misspellings show each kind, their share of all the class's misspelled words,
// how many pupils make it and who (in the results' order). Most frequent first.
QStringList ProfileHeader();
QList<QStringList> ProfileRows(const CClassResults& results, const QString& list = QString());

// Which table of the class overview, for the window and the command line.
enum class ETable { Overview, Words, Profile };
QStringList Header(ETable table);
QList<QStringList> Rows(ETable table, const CClassResults& results, const QString& list = QString());

}  // namespace ClassTables
