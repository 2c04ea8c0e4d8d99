#pragma once

#include "reports/practicesource.h"

#include <QList>
#include <QString>
#include <QStringList>

// A word of a practice list and the lists it was tested from, in the order its rows came.
struct SPracticeWord {
    QString word;
    QStringList listNames;

    friend bool operator==(const SPracticeWord&, const SPracticeWord&) = default;
};

// The words a practice list is made of, from the rows the reports page gives.
struct SPracticeWords {
    QList<SPracticeWord> words;  // each word once, in the order it first came
    QStringList tooLong;         // words longer than a list can hold, each once

    bool IsEmpty() const { return words.isEmpty(); }
};

namespace PracticeListWords {
// Each word once, where it first came. Words are told apart exactly, case included, because
// a test checks the answer exactly: "Paris" and "paris" are two words to practise. Empty words
// are dropped; words longer than a list word can be are set aside.
SPracticeWords Collect(const PracticeSources& sources);
}  // namespace PracticeListWords
