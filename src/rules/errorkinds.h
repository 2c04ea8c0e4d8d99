#pragma once

#include "rules/spellingrules.h"

#include <QList>
#include <QString>

#include <optional>

// The kinds of spelling error a report groups misspellings by, each a group of the analyser's
// checks (numbered 1 to 24 in the order they run). The enumerators are in the kinds' fixed
// order, which is also the order of kinds that occur equally often in a profile.
enum class EErrorKind : int {
    IeEi,          // "ie/ei": check 1
    IeY,           // "ie/y": check 4
    FinalY,        // "final y": check 2
    FinalE,        // "final e": checks 3 and 21
    Plurals,       // "plurals": check 6
    WordEndings,   // "word endings tch, dge, ve, ze": checks 7 to 10
    Capitals,      // "capital letters": check 11
    SoundAlike,    // "sound-alike letters": checks 5 and 12 to 16
    Doubled,       // "doubled letters": check 17
    Suffixes,      // "suffixes": check 18
    LetterGroups,  // "letter groups": checks 19 and 20
    Wrong,         // "wrong letters": check 22
    Missing,       // "missing letters": check 23
    Extra,         // "extra letters": check 24
};

namespace ErrorKinds {

constexpr int kCount = 14;

// Every kind, in the kinds' order.
QList<EErrorKind> All();
// "ie/ei", "plurals", "sound-alike letters" and so on.
QString Name(EErrorKind kind);
// The kind whose name this is, if any.
std::optional<EErrorKind> FromName(const QString& name);
// The checks of a kind, ascending.
QList<int> Checks(EErrorKind kind);
// The kind a check belongs to; nothing for a number outside 1 to 24.
std::optional<EErrorKind> OfCheck(int check);
// The kinds a misspelling shows, each once, in the kinds' order; none for "?" (no findings).
QList<EErrorKind> Of(const QList<CRuleFinding>& findings);

}  // namespace ErrorKinds
