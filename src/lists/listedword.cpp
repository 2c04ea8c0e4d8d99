#include "lists/listedword.h"

#include "base/messages.h"
#include "storage/listtransaction.h"
#include "storage/spellinglistdb.h"

namespace {
// Puts the cursor on the row; false when there is none.
bool moveTo(CSpellingListDB& list, const QString& word, int occurrence)
{
    if (!list.IsOpen() || occurrence < 0 || !list.MoveFirst())
        return false;
    for (; !list.IsEOF(); list.MoveNext())
        if (!list.IsDeleted() && list.Word() == word && occurrence-- == 0)
            return true;
    return false;
}
}  // namespace

std::optional<QByteArray> ListedWord::Sound(CSpellingListDB& list, const QString& word, int occurrence)
{
    if (!moveTo(list, word, occurrence))
        return std::nullopt;
    return list.Sound();
}

bool ListedWord::Replace(CSpellingListDB& list, const QString& word, int occurrence, const QString& newWord,
                         const QByteArray& sound)
{
    CListTransaction transaction(list);
    if (!transaction.IsActive())
        return false;
    if (!moveTo(list, word, occurrence)) {
        Messages::Show(QStringLiteral("\"%1\" is no longer in the list file, so it cannot be corrected.").arg(word));
        return false;
    }
    if (!list.Edit())
        return false;
    list.SetWord(newWord);
    list.SetSound(sound);
    if (!list.Update()) {
        list.CancelUpdate();
        return false;
    }
    return transaction.Commit();
}
