#include "app/orthexapp.h"

#include "app/aboutdlg.h"
#include "app/mainframe.h"

#include <QIcon>

COrthexApp::COrthexApp(int& argc, char** argv)
    : QApplication(argc, argv)
    , m_folders(m_settings)
{
    setApplicationName(QStringLiteral("Orthex"));
    setOrganizationName(QStringLiteral("Vellomar"));
    setApplicationVersion(QStringLiteral("4.2.0.0"));
    setWindowIcon(QIcon(QStringLiteral(":/app/orthex.svg")));
    Messages::SetSink(&m_messageSink);
}

COrthexApp::~COrthexApp()
{
    m_mainFrame.reset();
    Messages::SetSink(nullptr);
}

COrthexApp* COrthexApp::Instance()
{
    return qobject_cast<COrthexApp*>(QCoreApplication::instance());
}

bool COrthexApp::InitInstance()
{
    m_folders.SetUserFolder(m_folders.GetDefaultUserFolder());
    m_mainFrame = std::make_unique<CMainFrame>();
    connect(m_mainFrame.get(), &CMainFrame::AboutRequested, this, &COrthexApp::ShowAbout);
    m_mainFrame->show();
    return true;
}

void COrthexApp::ShowAbout()
{
    CAboutDlg dialog(m_mainFrame.get());
    dialog.exec();
}
