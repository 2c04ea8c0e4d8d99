#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

#include <QStringList>

#include <memory>

namespace TestRecords {
// A grade list from "list|date|correct|words" lines, in that order (a pupil's list runs newest
// first).
inline CRecordList<CGrade> Grades(const QStringList& lines)
{
    CRecordList<CGrade> list;
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        auto grade = std::make_unique<CGrade>();
        grade->SetListName(f.at(0));
        grade->SetDateText(f.at(1));
        grade->SetCorrectCount(f.at(2).toInt());
        grade->SetWordCount(f.at(3).toInt());
        list.AddTail(std::move(grade));
    }
    return list;
}

// A misspelled-word list from "list|date|word|misspelling" lines, in that order.
inline CRecordList<CMissed> Missed(const QStringList& lines)
{
    CRecordList<CMissed> list;
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        auto missed = std::make_unique<CMissed>();
        missed->SetListName(f.at(0));
        missed->SetDateText(f.at(1));
        missed->SetWord(f.at(2));
        missed->SetMisspelling(f.at(3));
        list.AddTail(std::move(missed));
    }
    return list;
}
}  // namespace TestRecords
