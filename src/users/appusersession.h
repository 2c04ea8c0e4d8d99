#pragma once

#include "document/usersession.h"
#include "users/loginruns.h"
#include "users/userresults.h"

class CAppFolders;

// The program's user session for the document: log-in through the log-in runs, results in the
// files of the application's user folder (taken afresh at each load and save, since the options
// page may change it).
class CAppUserSession : public IUserSession
{
public:
    explicit CAppUserSession(CAppFolders& folders, LogInDialogRunner runner = CLogInRuns::RunLogInDialog);

    QString LogInAtStart() override;
    QString LogInAgain() override;
    bool LoadResults(COrthexDoc& doc) override;
    bool SaveResults(COrthexDoc& doc) override;

    const CUserResults& Results() const { return m_results; }

private:
    CAppFolders& m_folders;
    CLogInRuns m_runs;
    CUserResults m_results;
};
