#pragma once

#include "lists/wordfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

class COrthexDoc;

// Importing a word file into the open list: the words a list already has are left out, the
// rest are spoken (in any thread; the words page runs it in the background) and then stored at
// the list's end in one transaction, so the list gets all of them or none.
namespace WordImport {
// The parsed file without the words the list already holds; each of those becomes a problem
// (InList) in line order.
void LeaveOutListed(WordFile::SResult& parsed, const QStringList& listed);

struct SSpoken {
    int line = 0;
    QString word;
    QByteArray sound;
};
struct SSpeech {
    std::vector<SSpoken> spoken;
    std::vector<WordFile::SProblem> failed;  // CouldNotSpeak, one per word the engine refused
    bool cancelled = false;                  // stopped before the last word
};
// Speaks each entry in the voice and at the rate of the settings; progress(done) after each.
// Stops between two words once cancel is set.
SSpeech Speak(const std::vector<WordFile::SEntry>& entries, const std::atomic_bool& cancel,
              const std::function<void(int done)>& progress = {});

// Stores the words at the end of the document's list, created by its user, all in one
// transaction; false (after the message) when the file refused them, and then none is stored.
bool Store(COrthexDoc& doc, const std::vector<SSpoken>& words);
}  // namespace WordImport
