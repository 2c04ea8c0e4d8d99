#include "lists/wordimport.h"

#include "base/messages.h"
#include "document/orthexdoc.h"
#include "lists/wordspeaker.h"
#include "storage/listmessages.h"
#include "storage/listtransaction.h"
#include "storage/spellinglistdb.h"

#include <QSet>

#include <algorithm>
#include <limits>

void WordImport::LeaveOutListed(WordFile::SResult& parsed, const QStringList& listed)
{
    QSet<QString> have;
    for (const QString& word : listed)
        have.insert(WordFile::Normalized(word));
    std::vector<WordFile::SEntry> kept;
    for (WordFile::SEntry& entry : parsed.entries) {
        if (have.contains(entry.word))
            parsed.problems.push_back({entry.line, WordFile::SProblem::EKind::InList, 0, 0, entry.word});
        else
            kept.push_back(std::move(entry));
    }
    parsed.entries = std::move(kept);
    std::stable_sort(parsed.problems.begin(), parsed.problems.end(),
                     [](const WordFile::SProblem& a, const WordFile::SProblem& b) { return a.line < b.line; });
}

WordImport::SSpeech WordImport::Speak(const std::vector<WordFile::SEntry>& entries, const std::atomic_bool& cancel,
                                      const std::function<void(int)>& progress)
{
    SSpeech speech;
    CWordSpeaker speaker;
    int done = 0;
    for (const WordFile::SEntry& entry : entries) {
        if (cancel) {
            speech.cancelled = true;
            break;
        }
        bool tooLong = false;
        if (std::optional<QByteArray> sound = speaker.Speak(entry.word, entry.sentence, &tooLong)) {
            if (!speech.spoken->add(entry.word, *sound)) {
                speech.notKept = true;
                break;
            }
        } else {
            using Kind = WordFile::SProblem::EKind;
            speech.failed.push_back({entry.line, tooLong ? Kind::SpokenTooLong : Kind::CouldNotSpeak, 0, 0, {}});
        }
        if (progress)
            progress(++done);
    }
    return speech;
}

bool WordImport::Store(COrthexDoc& doc, StagedWords& words)
{
    if (words.count() == 0)
        return true;
    CSpellingListDB* list = doc.List();
    if (!list)
        return false;
    CListTransaction transaction(*list);
    if (!transaction.IsActive())
        return false;
    const std::optional<int> first = list->NextOrder();
    if (!first)
        return false;
    const qint64 last = qint64(*first) + qint64(words.count()) - 1;
    if (last > std::numeric_limits<int>::max()) {
        Messages::Show(ListMessages::CannotChange(doc.GetPathName(), ListMessages::NoOrderAfter(*first - 1)));
        return false;
    }
    int order = *first;
    const QString creator = doc.CurrentUser();
    if (!words.forEach([&](const QString& word, const QByteArray& sound) {
            return list->AppendWord(order++, creator, word, sound);
        }))
        return false;  // rolled back
    return transaction.Commit();
}
