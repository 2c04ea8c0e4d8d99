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

// Runs a log-in dialog on a user folder, showing name when one is given (the automatic log-in of a
// user who has a password); no value when it was cancelled. The program runs the real dialog;
// tests put a function in its place so that nothing blocks.
using LogInDialogRunner = std::function<std::optional<SLogInChoice>(const QString& userFolder, const QString& name)>;

// The two log-in runs of the program and their rules for the automatic log-in ("Auto").
class CLogInRuns
{
public:
    explicit CLogInRuns(CAppFolders& folders, LogInDialogRunner runner = RunLogInDialog);

    // At start: the "Auto" name without a dialog when it needs no password (a blank one, or a
    // name the user file does not hold); a user with a password, or one the file cannot tell
    // about, gets the dialog with the name filled in and the box ticked, and "Auto" becomes the
    // dialog's name when the box stays ticked, empty when it is cleared. Without "Auto" (or
    // with a name that cannot be a user name) the dialog's name, writing it to "Auto" when the
    // box is ticked. Cancel: nobody, and "Auto" stays as it was.
    QString LogInAtStart();
    // "Log In as a Different User": the dialog's name, and "Auto" becomes that name when the
    // box is ticked, empty when not. Cancel: nobody, and "Auto" stays as it was.
    QString LogInAgain();

    // The real log-in dialog, modal, with the given user folder and name.
    static std::optional<SLogInChoice> RunLogInDialog(const QString& userFolder, const QString& name = QString());

private:
    QString LogInAgain(const QString& name);

    CAppFolders& m_folders;
    LogInDialogRunner m_runner;
};
