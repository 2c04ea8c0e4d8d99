#pragma once

#include "storage/recordlist.h"
#include "storage/records.h"

#include <QString>

// The order of the misspelled words on the reports page: by error label, compared in lower
// case code unit by code unit; words with equal keys keep the order they had.
namespace MissedOrder {

// The key a label sorts by: each code unit mapped to lower case on its own.
QString SortKey(const QString& errorLabel);
// True when key a sorts before key b: by UTF-16 code units, a prefix first.
bool KeyLess(const QString& a, const QString& b);

// Gives every record its error label (one analyser for the whole list) and orders the list by
// it, stably. The results-changed flag is not touched: the order alone is no change.
void SortMissedByErrors(CRecordList<CMissed>& list);

}  // namespace MissedOrder
