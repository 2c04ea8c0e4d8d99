#pragma once

#include <QString>

#include <memory>

class CAppFolders;
class CAppSettings;
class CMainFrame;
class COrthexDoc;
class IUserSession;
struct CCommandLine;

// The program's one document and its main window, started in the order the program has always
// had: the document first (its construction logs a user in, so the log-in dialog is on screen
// before the main window), then the main window, the command line, and the window shown.
class COrthexShell
{
public:
    COrthexShell(CAppSettings& settings, CAppFolders& folders);
    // The main window goes first, then the document, which writes the user's results back.
    ~COrthexShell();
    COrthexShell(const COrthexShell&) = delete;
    COrthexShell& operator=(const COrthexShell&) = delete;

    // Makes the document with the session (logging in), the main window, runs the command line
    // (no list, or open the named one; a list that cannot be opened has said why and the
    // program goes on without one) and shows the window whatever the log-in's result.
    void Start(const CCommandLine& line, std::unique_ptr<IUserSession> session);

    COrthexDoc* Document() const { return m_doc.get(); }
    CMainFrame* MainFrame() const { return m_frame.get(); }

private:
    CAppSettings& m_settings;
    CAppFolders& m_folders;
    std::unique_ptr<COrthexDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};
