#include "app/orthexapp.h"

#include "app/aboutdlg.h"
#include "app/commandline.h"
#include "app/mainframe.h"
#include "app/orthexshell.h"
#include "app/printrun.h"
#include "app/shellregistration.h"
#include "users/appusersession.h"

#include <QFile>
#include <QIcon>

COrthexApp::COrthexApp(int& argc, char** argv)
    : QApplication(argc, argv)
    , m_folders(m_settings)
{
    setApplicationName(QStringLiteral("Orthex"));
    setOrganizationName(QStringLiteral("Vellomar"));
    setApplicationVersion(QStringLiteral("4.2.0.0"));
    // Wayland and the desktop match the window to the installed entry by this id.
    setDesktopFileName(QLatin1String(CShellRegistration::kAppId));
    setWindowIcon(QIcon(QStringLiteral(":/app/orthex.svg")));
    Messages::SetSink(&m_messageSink);
    installEventFilter(&m_enterPressesButton);
}

COrthexApp::~COrthexApp()
{
    // The main window and the document (which writes the results back) go before the
    // message boxes and the settings they use.
    m_shell.reset();
    Messages::SetSink(nullptr);
}

COrthexApp* COrthexApp::Instance()
{
    return qobject_cast<COrthexApp*>(QCoreApplication::instance());
}

CMainFrame* COrthexApp::MainFrame() const
{
    return m_shell ? m_shell->MainFrame() : nullptr;
}

bool COrthexApp::InitInstance()
{
    m_folders.SetUserFolder(m_folders.GetDefaultUserFolder());

    QFile icon(QStringLiteral(":/app/orthex.svg"));
    icon.open(QIODevice::ReadOnly);
    CShellRegistration::Register(QCoreApplication::applicationFilePath(), icon.readAll());

    const CCommandLine line = CCommandLine::Parse(arguments().mid(1));
    if (line.IsPrintRun()) {
        m_nExitCode = CPrintRun::Run(line);
        return false;
    }

    m_shell = std::make_unique<COrthexShell>(m_settings, m_folders);
    std::unique_ptr<IUserSession> session =
        m_sessionFactory ? m_sessionFactory(*this) : std::make_unique<CAppUserSession>(m_folders);
    m_shell->Start(line, std::move(session));
    connect(m_shell->MainFrame(), &CMainFrame::AboutRequested, this, &COrthexApp::ShowAbout);
    return true;
}

void COrthexApp::ShowAbout()
{
    CAboutDlg dialog(MainFrame());
    dialog.exec();
}
