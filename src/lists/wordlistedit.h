#pragma once

#include <QStringList>

// The words page's on-screen list is a working copy of the open list's words; only "Save
// Changes" writes its order back to the file.
namespace WordListEdit {
// Sorts A to Z: the words compare by their UTF-16 code units once the letters A-Z are folded to
// a-z (no other letter is folded), and words that compare equal keep their order.
void SortAToZ(QStringList& words);
}  // namespace WordListEdit
