#include "users/appusersession.h"

#include "base/appfolders.h"
#include "document/orthexdoc.h"
#include "widgets/waitcursor.h"

CAppUserSession::CAppUserSession(CAppFolders& folders, LogInDialogRunner runner)
    : m_folders(folders)
    , m_runs(folders, std::move(runner))
{
}

QString CAppUserSession::LogInAtStart()
{
    return m_runs.LogInAtStart();
}

QString CAppUserSession::LogInAgain()
{
    return m_runs.LogInAgain();
}

bool CAppUserSession::LoadResults(COrthexDoc& doc)
{
    if (doc.CurrentUser().isEmpty())
        return true;
    const CWaitCursor wait;
    m_results.SetUserFolder(m_folders.UserFolder());
    return m_results.LoadResults(doc.CurrentUser(), doc.Results().Lists());
}

bool CAppUserSession::SaveResults(COrthexDoc& doc)
{
    // Results an earlier save could not write are tried again even when nothing changed now.
    if (doc.CurrentUser().isEmpty() && m_results.UnsavedUsers().isEmpty())
        return true;
    if (!doc.Results().IsChanged() && m_results.UnsavedUsers().isEmpty())
        return true;
    const CWaitCursor wait;
    m_results.SetUserFolder(m_folders.UserFolder());
    return m_results.SaveResults(doc.CurrentUser(), doc.Results().IsChanged(),
                                 doc.Results().Lists());
}
