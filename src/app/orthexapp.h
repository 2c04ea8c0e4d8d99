#pragma once

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "widgets/enterpressesbutton.h"
#include "widgets/messageboxsink.h"
#include "sound/audiobackend.h"

#include <QApplication>

#include <functional>
#include <memory>

class CMainFrame;
class COrthexShell;
class IUserSession;

// The application object: the settings and folders every part of the program uses, the
// message boxes, and the start-up sequence.
class COrthexApp : public QApplication
{
    Q_OBJECT
public:
    // Makes the log-in runs and result files of the document, given the application (by
    // default the real log-in dialog and the result files of the user folder).
    using SessionFactory = std::function<std::unique_ptr<IUserSession>(COrthexApp& app)>;

    COrthexApp(int& argc, char** argv);
    ~COrthexApp() override;

    static COrthexApp* Instance();

    // Runs start-up: the user folder, the desktop registration, then the command line: a print
    // run prints and ends; otherwise the document (log-in), the main window and the list named
    // on the command line. False when the program ends without its window; ExitCode() is then
    // its status.
    bool InitInstance();
    int ExitCode() const { return m_nExitCode; }

    CAppSettings& Settings() { return m_settings; }
    CAppFolders& Folders() { return m_folders; }
    CMainFrame* MainFrame() const;

    void SetSessionFactory(SessionFactory factory) { m_sessionFactory = std::move(factory); }

    void ShowAbout();

private:
    // Goes after every other member (the main window and its pages with their recorders and
    // players), and before the application object.
    CAudioBackendScope m_audioBackend;
    CAppSettings m_settings;
    CAppFolders m_folders;
    CMessageBoxSink m_messageSink;
    CEnterPressesButton m_enterPressesButton;
    SessionFactory m_sessionFactory;
    std::unique_ptr<COrthexShell> m_shell;
    int m_nExitCode = 0;
};
