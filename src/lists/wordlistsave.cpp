#include "lists/wordlistsave.h"

#include "app/messages.h"
#include "lists/listtransaction.h"
#include "lists/spellinglistdb.h"

#include <QHash>

#include <deque>
#include <vector>

namespace {
// The rows as the cursor walks them: their numbers now, and what the passes give them.
struct Plan {
    std::vector<int> current;
    std::vector<int> planned;
};

// The three passes, worked out on the cursor's rows before anything is written. Each row then
// gets at most one change, so a row is rewritten (with its whole recording) only when its
// number really changes.
Plan planPasses(CSpellingListDB& list, const QStringList& words)
{
    const int n = int(words.size());
    Plan plan;
    // Pass 1: every row is numbered out of the way, after any number a word on screen takes.
    // The rows of each word, in the cursor's order, wait for the words on screen.
    QHash<QString, std::deque<size_t>> rowsOfWord;
    if (!(list.IsBOF() && list.IsEOF())) {
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
            rowsOfWord[list.Word()].push_back(plan.current.size());
            plan.current.push_back(list.Order());
            plan.planned.push_back(n + 10);
        }
    }
    // Pass 2: word i on screen gives number i + 1 to the first row with that word that has no
    // new number yet.
    for (int i = 0; i < n; ++i) {
        const auto found = rowsOfWord.find(words.at(i));
        if (found == rowsOfWord.end() || found->empty())
            continue;
        plan.planned[found->front()] = i + 1;
        found->pop_front();
    }
    return plan;
}

// Writes the plan: pass 3 deletes the rows still numbered out of the way (the words taken off
// the screen); every other row whose number changed gets its new one.
bool applyPlan(CSpellingListDB& list, const Plan& plan, int n)
{
    if (list.IsBOF() && list.IsEOF())
        return true;
    size_t row = 0;
    for (list.MoveFirst(); !list.IsEOF() && row < plan.planned.size(); list.MoveNext(), ++row) {
        const int planned = plan.planned[row];
        if (planned > n) {
            if (!list.Delete())
                return false;
        } else if (planned != plan.current[row]) {
            if (!list.Edit())
                return false;
            list.SetOrder(planned);
            if (!list.Update())
                return false;
        }
    }
    return true;
}
}  // namespace

QString CWordListSave::NotSavedMessage()
{
    return QStringLiteral("Your changes to the list were not saved: the list file is just as it was before.\n\n"
                          "The words on the page are kept as you arranged them, so you can press "
                          "\"Save Changes\" again, or \"Cancel Changes\" to go back to the saved list.");
}

bool CWordListSave::Save(CSpellingListDB& list, const QStringList& words)
{
    if (!list.IsOpen())
        return true;
    const int n = int(words.size());
    bool saved = false;
    {
        CListTransaction transaction(list);
        saved = transaction.IsActive() && applyPlan(list, planPasses(list, words), n) && transaction.Commit();
        // Leaving the scope rolls back whatever was not committed and reads the file again.
    }
    if (!saved) {
        Messages::Show(NotSavedMessage(), MessageIcon::Exclamation);
        return false;
    }
    // The cursor reads the rows in their new order, as every page expects it.
    list.Requery();
    return true;
}
