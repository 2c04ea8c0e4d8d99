#include "users/teachergate.h"

#include "base/messages.h"
#include "users/teacherpassword.h"

#include <QCoreApplication>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TeacherGate", text);
}

std::optional<QString> runAsk(QWidget* parent, const QString& prompt)
{
    bool ok = false;
    const QString typed =
        QInputDialog::getText(parent, tr("Teacher Password"), prompt, QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return typed;
}

TeacherGate::AskFunction& askFunction()
{
    static TeacherGate::AskFunction function;
    return function;
}

std::optional<QString> ask(QWidget* parent, const QString& prompt)
{
    return askFunction() ? askFunction()(parent, prompt) : runAsk(parent, prompt);
}

}  // namespace

namespace TeacherGate {

AskFunction SetAskFunction(AskFunction function)
{
    AskFunction previous = askFunction();
    askFunction() = std::move(function);
    return previous;
}

bool Allow(QWidget* parent, const QString& userFolder)
{
    const CTeacherPassword password(userFolder);
    if (!password.IsSet())
        return true;
    const std::optional<QString> typed = ask(parent, tr("This needs the teacher password:"));
    if (!typed)
        return false;
    if (password.Matches(*typed))
        return true;
    Messages::Show(tr("That is not the teacher password."), MessageIcon::Exclamation);
    return false;
}

QString SystemWideText(const QString& path)
{
    return tr("The teacher password of this computer is kept in %1, where only an administrator can change "
              "it.\nTo change it, an administrator removes that file, the new password is set here, and the "
              "administrator moves the %2 of the user folder to its place.")
        .arg(QDir::toNativeSeparators(path), CTeacherPassword::FileName());
}

bool Change(QWidget* parent, const QString& userFolder)
{
    if (const CTeacherPassword password(userFolder); password.IsSystemWide()) {
        Messages::Show(SystemWideText(password.Path()), MessageIcon::Information);
        return false;
    }
    if (!Allow(parent, userFolder))
        return false;
    const std::optional<QString> first =
        ask(parent, tr("New teacher password (leave it empty to have none):"));
    if (!first)
        return false;
    const std::optional<QString> second = ask(parent, tr("Type the new teacher password again:"));
    if (!second)
        return false;
    if (*first != *second) {
        Messages::Show(tr("The two passwords differ; the teacher password is not changed."), MessageIcon::Exclamation);
        return false;
    }
    QString error;
    if (!CTeacherPassword(userFolder).Set(*first, &error)) {
        Messages::Show(tr("The teacher password could not be stored in %1: %2")
                           .arg(QDir::toNativeSeparators(CTeacherPassword::PathIn(userFolder)), error),
                       MessageIcon::Stop);
        return false;
    }
    return true;
}

}  // namespace TeacherGate
