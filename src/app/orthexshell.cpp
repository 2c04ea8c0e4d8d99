#include "app/orthexshell.h"

#include "app/commandline.h"
#include "app/mainframe.h"
#include "document/orthexdoc.h"
#include "document/usersession.h"

COrthexShell::COrthexShell(CAppSettings& settings, CAppFolders& folders)
    : m_settings(settings)
    , m_folders(folders)
{
}

COrthexShell::~COrthexShell()
{
    m_frame.reset();
    m_doc.reset();
}

void COrthexShell::Start(const CCommandLine& line, std::unique_ptr<IUserSession> session)
{
    m_doc = std::make_unique<COrthexDoc>(std::move(session));
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_settings, m_folders);
    m_doc->SetHost(m_frame.get());

    // Opening a list that fails leaves the program running with no list, as after a New.
    if (line.action != CCommandLine::Action::Open || !m_frame->OpenFile(line.file))
        m_doc->NewDocument();

    // The first start keeps the start page's fitted, centred window.
    m_frame->RestoreWindowPlacement();
    m_frame->show();
    m_frame->UpdateCommands();
}
