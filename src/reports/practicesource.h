#pragma once

#include <QList>
#include <QString>

// A word to practise again and the spelling list it was tested from (the list name a result
// record carries), so that its recording can be found in that list.
struct SPracticeSource {
    QString word;
    QString listName;

    friend bool operator==(const SPracticeSource&, const SPracticeSource&) = default;
};

using PracticeSources = QList<SPracticeSource>;
