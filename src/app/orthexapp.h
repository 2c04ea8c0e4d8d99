#pragma once

#include "app/appfolders.h"
#include "app/appsettings.h"
#include "app/messageboxsink.h"

#include <QApplication>

#include <memory>

class CMainFrame;

// The application object: the settings and folders every part of the program uses, the
// message boxes, and the start-up sequence.
class COrthexApp : public QApplication
{
    Q_OBJECT
public:
    COrthexApp(int& argc, char** argv);
    ~COrthexApp() override;

    static COrthexApp* Instance();

    // Runs start-up; false when the program must end.
    bool InitInstance();

    CAppSettings& Settings() { return m_settings; }
    CAppFolders& Folders() { return m_folders; }

    void ShowAbout();

private:
    CAppSettings m_settings;
    CAppFolders m_folders;
    CMessageBoxSink m_messageSink;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
