#include "lists/wordlistsave.h"

#include "app/messages.h"
#include "lists/listtransaction.h"
#include "lists/spellinglistdb.h"

namespace {
// 1. Every row is numbered out of the way, after any number the words on screen will take.
bool numberOutOfTheWay(CSpellingListDB& list, int n)
{
    if (list.IsBOF() && list.IsEOF())
        return true;
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
        if (!list.Edit())
            return false;
        list.SetOrder(n + 10);
        if (!list.Update())
            return false;
    }
    return true;
}

// 2. Word i on screen gives number i + 1 to the first row with that word that has no new number
// yet (a row with a new number has one of 1..n; only the last word can take n itself).
bool numberByScreen(CSpellingListDB& list, const QStringList& words)
{
    const int n = int(words.size());
    if (list.IsBOF() && list.IsEOF())
        return true;
    for (int i = 0; i < n; ++i) {
        const QString& word = words.at(i);
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
            if (list.Order() < n || list.Word() != word)
                continue;
            if (!list.Edit())
                return false;
            list.SetOrder(i + 1);
            if (!list.Update())
                return false;
            break;
        }
    }
    return true;
}

// 3. The rows that kept the out-of-the-way number are the words taken off the screen.
bool deleteUnnumbered(CSpellingListDB& list, int n)
{
    if (list.IsBOF() && list.IsEOF())
        return true;
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
        if (list.Order() > n && !list.Delete())
            return false;
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
        saved = transaction.IsActive() && numberOutOfTheWay(list, n) && numberByScreen(list, words)
                && deleteUnnumbered(list, n) && transaction.Commit();
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
