#pragma once

#include <QString>

#include <functional>
#include <optional>

class CAppFolders;

// What a log-in dialog yields on OK: the name logged in (empty: nobody) and whether "Log in
// automatically next time." was ticked.
struct SLogInChoice {
    QString name;
    bool autoLogIn = false;
};

// Runs a log-in dialog on a user folder; no value when it was cancelled. The program runs the
// real dialog; tests put a function in its place so that nothing blocks.
using LogInDialogRunner = std::function<std::optional<SLogInChoice>(const QString& userFolder)>;

// The two log-in runs of the program and their rules for the automatic log-in ("Auto").
class CLogInRuns
{
public:
    explicit CLogInRuns(CAppFolders& folders, LogInDialogRunner runner = RunLogInDialog);

    // At start: the "Auto" name without a dialog and without a password, whether or not the
    // user file knows it (but a name that cannot be a user name shows the dialog instead);
    // otherwise the dialog's name, writing it to "Auto" when the box is ticked. Cancel: nobody.
    QString LogInAtStart();
    // "Log In as a Different User": the dialog's name, and "Auto" becomes that name when the
    // box is ticked, empty when not. Cancel: nobody, and "Auto" stays as it was.
    QString LogInAgain();

    // The real log-in dialog, modal, with the given user folder.
    static std::optional<SLogInChoice> RunLogInDialog(const QString& userFolder);

private:
    CAppFolders& m_folders;
    LogInDialogRunner m_runner;
};
