#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Asks for the teacher password of a user folder before what only a teacher may do (deleting
// results, the options page, the class overview). Without a teacher password nothing is asked.
namespace TeacherGate {

// The password dialog: what was typed, or nothing when it was cancelled.
using AskFunction = std::function<std::optional<QString>(QWidget* parent, const QString& prompt)>;
// Replaces the dialog for the whole program (an empty function restores the real one);
// returns the one it replaces.
AskFunction SetAskFunction(AskFunction function);

// True when the folder has no teacher password or the one typed is it; a wrong one is told.
bool Allow(QWidget* parent, const QString& userFolder);
// Sets, changes or (typed empty) removes the teacher password: the present one first, then the
// new one twice. True when it changed; every failure is told. An administrator's password is
// not changed here: that is told (SystemWideText) and nothing is asked.
bool Change(QWidget* parent, const QString& userFolder);
// What the teacher is told when the password is the administrator's file at path.
QString SystemWideText(const QString& path);

}  // namespace TeacherGate
