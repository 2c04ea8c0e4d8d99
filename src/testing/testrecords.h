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
}  // namespace TestRecords
