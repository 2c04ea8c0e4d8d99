#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

#include <QString>

// The reports the reports page can show, by the number of their radio button. The error
// profile is made from the misspelled words and only read.
enum class EReportKind : int { Grades = 0, Missed = 1, Vocabulary = 2, Profile = 3 };

constexpr EReportKind kReportKinds[] = {EReportKind::Grades, EReportKind::Missed, EReportKind::Vocabulary,
                                        EReportKind::Profile};

// The logged-in user's three result lists, as the document holds them (not owned).
struct SReportLists {
    CRecordList<CGrade>* grades = nullptr;
    CRecordList<CMissed>* missed = nullptr;
    CRecordList<CVocabulary>* vocabulary = nullptr;

    bool IsSet() const { return grades && missed && vocabulary; }
    // Records in the list of that kind (0 while the lists are not set); for the error profile,
    // the misspelled words it is made from.
    qsizetype Count(EReportKind kind) const;
};
