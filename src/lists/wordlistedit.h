#pragma once

#include <QStringList>

// The words page's on-screen list is a working copy of the open list's words; only "Save
// Changes" writes its order back to the file.
namespace WordListEdit {
// Sorts A to Z: the words compare by their UTF-16 code units once the letters A-Z are folded to
// a-z (no other letter is folded), and words that compare equal keep their order.
void SortAToZ(QStringList& words);

// The list's buttons, each enabled only when it can act: A..Z on two words or more, Up and Down
// when the current word has a neighbour that way, Delete on a selection.
struct SListButtons {
    bool sort = false;
    bool up = false;
    bool down = false;
    bool remove = false;
    bool operator==(const SListButtons&) const = default;
};
SListButtons EnabledButtons(int count, int currentRow, int selectedCount);
}  // namespace WordListEdit
