#pragma once

#include "lists/wordfile.h"
#include "storage/stagedwords.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class COrthexDoc;

// Importing a word file into the open list: the words a list already has are left out, the
// rest are spoken (in any thread; the words page runs it in the background) into a temporary
// store, one recording in memory at a time, and then copied to the list's end in one
// transaction, so the list gets all of them or none.
namespace WordImport {
// The parsed file without the words the list already holds (compared in composed form, as
// stored); each of those becomes a problem (InList) in line order.
void LeaveOutListed(WordFile::SResult& parsed, const QStringList& listed);

struct SSpeech {
    std::unique_ptr<StagedWords> spoken = std::make_unique<StagedWords>();
    std::vector<WordFile::SProblem> failed;  // CouldNotSpeak or SpokenTooLong, one per word
    bool cancelled = false;                  // stopped before the last word
    bool notKept = false;                    // the temporary store refused a word (it said why)
};
// Speaks each entry in the voice and at the rate of the settings; progress(done) after each.
// Stops between two words once cancel is set, and at once when a word cannot be kept.
SSpeech Speak(const std::vector<WordFile::SEntry>& entries, const std::atomic_bool& cancel,
              const std::function<void(int done)>& progress = {});

// Stores the words at the end of the document's list, created by its user, all in one
// transaction; false (after the message) when the file refused them, and then none is stored.
bool Store(COrthexDoc& doc, StagedWords& words);
}  // namespace WordImport
