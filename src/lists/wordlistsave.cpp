#include "lists/wordlistsave.h"

#include "base/messages.h"
#include "storage/listdatabase.h"
#include "storage/listmessages.h"
#include "storage/listtransaction.h"
#include "storage/spellinglistdb.h"

#include <QHash>

#include <deque>
#include <optional>
#include <vector>

namespace {
// The rows as the cursor walks them: their numbers now, and what the passes give them (nothing:
// the row is deleted).
struct Plan {
    std::vector<int> current;
    std::vector<std::optional<int>> planned;
};

// The three passes, worked out on the cursor's rows before anything is written. Each row then
// gets at most one change, so a row is rewritten (with its whole recording) only when its
// number really changes. The last `joined` rows are those another copy of the program added
// since the page read the list: never on screen, they are kept, numbered after the words on
// screen in their order.
Plan planPasses(CSpellingListDB& list, const QStringList& words, int joined)
{
    const int n = int(words.size());
    const int known = list.RecordCount() - joined;
    Plan plan;
    // Pass 1: every row is numbered out of the way, after any number a word on screen takes.
    // The rows of each word, in the cursor's order, wait for the words on screen.
    QHash<QString, std::deque<size_t>> rowsOfWord;
    if (!(list.IsBOF() && list.IsEOF())) {
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
            const int row = int(plan.current.size());
            plan.current.push_back(list.Order());
            if (row < known) {
                rowsOfWord[list.Word()].push_back(size_t(row));
                plan.planned.push_back(std::nullopt);
            } else {
                plan.planned.push_back(n + 1 + row - known);
            }
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
bool applyPlan(CSpellingListDB& list, const Plan& plan)
{
    if (list.IsBOF() && list.IsEOF())
        return true;
    size_t row = 0;
    for (list.MoveFirst(); !list.IsEOF() && row < plan.planned.size(); list.MoveNext(), ++row) {
        const std::optional<int> planned = plan.planned[row];
        if (!planned) {
            if (!list.Delete())
                return false;
        } else if (*planned != plan.current[row]) {
            if (!list.Edit())
                return false;
            list.SetOrder(*planned);
            if (!list.Update())
                return false;
        }
    }
    return true;
}
}  // namespace

QString CWordListSave::NotSavedMessage()
{
    return QStringLiteral("Your change to the list was not saved: the list file is just as it was before, "
                          "and the page shows it again.");
}

bool CWordListSave::Save(CSpellingListDB& list, const QStringList& words)
{
    if (!list.IsOpen())
        return true;
    bool saved = false;
    {
        // Under the write lock no other copy can add or renumber rows until the commit.
        CListTransaction transaction(list);
        int joined = -1;
        if (transaction.IsActive()) {
            joined = list.JoinRowsAddedElsewhere();
            if (joined < 0)
                Messages::Show(ListMessages::CannotChange(list.Database().Path(), list.ErrorMessage()),
                               MessageIcon::Exclamation);
        }
        saved = joined >= 0 && applyPlan(list, planPasses(list, words, joined)) && transaction.Commit();
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
