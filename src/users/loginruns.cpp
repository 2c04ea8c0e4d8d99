#include "users/loginruns.h"

#include "base/appfolders.h"
#include "users/logindlg.h"
#include "users/userfile.h"
#include "users/usernames.h"
#include "users/waitdlgwaiter.h"

#include <QApplication>

CLogInRuns::CLogInRuns(CAppFolders& folders, LogInDialogRunner runner)
    : m_folders(folders)
    , m_runner(runner ? std::move(runner) : RunLogInDialog)
{
}

std::optional<SLogInChoice> CLogInRuns::RunLogInDialog(const QString& userFolder, const QString& name)
{
    CLogInDlg dialog(QApplication::activeWindow());
    dialog.SetUserFolder(userFolder);
    dialog.SetName(name);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return SLogInChoice{dialog.Name(), dialog.AutoLogIn()};
}

QString CLogInRuns::LogInAtStart()
{
    const QString automatic = m_folders.GetAutoLogInName();
    // The name is also the name of the result files, so one that no file can have is not used.
    if (!automatic.isEmpty() && UserNames::IsValidNewName(automatic)) {
        CUserFile users(m_folders.UserFolder());
        CWaitDlgWaiter waiter(QApplication::activeWindow());
        users.SetWaiter(&waiter);
        if (!users.NeedsPassword(automatic))
            return automatic;
        return LogInAgain(automatic);
    }
    const std::optional<SLogInChoice> choice = m_runner(m_folders.UserFolder(), QString());
    if (!choice)
        return QString();
    if (choice->autoLogIn)
        m_folders.SetAutoLogInName(choice->name);
    return choice->name;
}

QString CLogInRuns::LogInAgain()
{
    return LogInAgain(QString());
}

QString CLogInRuns::LogInAgain(const QString& name)
{
    const std::optional<SLogInChoice> choice = m_runner(m_folders.UserFolder(), name);
    if (!choice)
        return QString();
    m_folders.SetAutoLogInName(choice->autoLogIn ? choice->name : QString());
    return choice->name;
}
