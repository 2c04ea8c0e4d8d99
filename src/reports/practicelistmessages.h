#pragma once

#include <QString>

// The counts of a practice list that was made.
struct SPracticeListCounts {
    int copied = 0;   // words whose recording was copied from the list they came from
    int spoken = 0;   // words spoken by the speech engine
    int skipped = 0;  // words left out, too long for a spelling list

    int Words() const { return copied + spoken; }
    friend bool operator==(const SPracticeListCounts&, const SPracticeListCounts&) = default;
};

// The texts the user sees while a practice list is made from a pupil's results.
namespace PracticeListMessages {
QString NothingToPractise();
QString NoWordFits(int maximum);
QString NoName();
QString AlreadyExists(const QString& path);
QString CannotMake(const QString& path, const QString& reason);
QString NotSpoken(const QString& word);
QString NotMade(const QString& path);
// "The practice list has 5 words: 3 recordings copied from their lists, 2 spoken.", and the
// words left out when there were any.
QString Summary(const SPracticeListCounts& counts, int maximumWordLength);
}  // namespace PracticeListMessages
