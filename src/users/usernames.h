#pragma once

#include <QString>

// A user name is also the first part of the user's result file names, so a new name must be
// one that every file system takes: at most 25 characters (a list's creator column holds 25),
// not "." or "..", and none of \ / : * ? " < > | or a control character.
namespace UserNames {
constexpr qsizetype kMaxLength = 25;

bool IsValidNewName(const QString& name);
// What a name may hold, shown when a new name is refused.
QString RuleText();
}  // namespace UserNames
