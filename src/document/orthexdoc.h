#pragma once

#include "widgets/pagecommands.h"
#include "storage/listdatabase.h"
#include "storage/spellinglistdb.h"
#include "document/usersession.h"
#include "storage/resultlists.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class IDocumentHost;

// The one document: the open spelling list (its file connection and cursor), the logged-in
// user, the open list's creator, whether a test is running and the user's results.
// The words of the list are never copied: pages read and write rows through List(). The
// document has no file of its own to save; its file is the list database, written row by row.
class COrthexDoc : public QObject
{
    Q_OBJECT
public:
    // Logs a user in through the session (nobody when there is none) and loads their results.
    explicit COrthexDoc(std::unique_ptr<IUserSession> session = nullptr, QObject* parent = nullptr);
    // Writes the results back (when they changed), empties the lists and closes the list.
    ~COrthexDoc() override;

    // The program around the document; not owned. Without one there is no main window.
    void SetHost(IDocumentHost* host) { m_pHost = host; }
    IDocumentHost* Host() const { return m_pHost; }

    // --- Shared with the pages ---
    // Empty when nobody is logged in.
    QString CurrentUser() const { return m_strCurrentUser; }
    // Who is logged in, set without the session's log-in: for tools and tests that fill the
    // results themselves.
    void SetCurrentUser(const QString& user) { m_strCurrentUser = user; }
    // The creator of the open list.
    QString CreatedBy() const { return m_strCreatedBy; }
    bool IsTestRunning() const { return m_bTestRunning; }
    CResultLists& Results() { return m_results; }
    const CResultLists& Results() const { return m_results; }

    // --- The list ---
    // The open list's cursor; null until a list is opened.
    CSpellingListDB* List() { return m_pList.get(); }
    const CSpellingListDB* List() const { return m_pList.get(); }
    // The open list's file connection.
    const CListDatabase& Database() const { return m_database; }
    bool IsListOpen() const;
    // Opens the file: on success the list is open and its creator loaded. A failure has shown
    // its message; the previous list is closed either way.
    bool OpenList(const QString& path);
    // Closes any open list and makes a new, empty list file; false (no message) on failure.
    bool CreateList(const QString& path);
    void CloseList();
    // Rows of the open list (0 when none); the cursor is left past the last row.
    int GetWordCount();
    // The creator: the first row's [CreatedBy], or the current user for an empty list.
    bool LoadCreatedBy();
    // Row k (1-based): its word and recording; nothing when there is no such row or no list.
    std::optional<SWordRow> ReadWord(int k);
    // The list may have changed on disk since it was read: reads its rows again, and opens the
    // file anew, the way File Open does, when that fails.
    void RereadList();

    // --- Handlers of File New, File Open and File Save ---
    // Asks for a new list's path (not during start-up), opens an existing file of that name
    // after a message, or creates and opens a new one, then shows the words page.
    bool OnNewDocument();
    // Opens the list at the path and shows the start page; the result says whether it opened.
    bool OnOpenDocument(const QString& path);
    // Ctrl+S: there is nothing to save, and the list file stays as it is.
    bool OnSaveDocument() { return true; }

    // File New and File Open as a whole: the handler with the title, path name, recent-file
    // entry and the pages' initial update around it.
    void NewDocument();
    bool OpenDocumentFile(const QString& path);

    // "Log In as a Different User": saves the old user's results, logs in again, loads the new
    // user's results. The open list stays open.
    void ChangeUser();
    // Writes the user's results now (a finished or stopped test), so a crash later in the day
    // loses nothing; the session writes only when a user is logged in and the results changed.
    bool SaveResults() { return m_session ? m_session->SaveResults(*this) : true; }

    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path) { m_strPathName = path; }

    // The status bar's user pane: the user's name, or "No User Logged In".
    QString StatusUserText() const;

    void SetTestRunning(bool running);
    // Every page refreshes itself from the document (the sender, a page, may skip itself).
    void UpdateAllViews(QObject* sender = nullptr);

Q_SIGNALS:
    void ViewsUpdated(QObject* sender);
    // After File New and File Open: every page initialises itself again.
    void InitialUpdate();
    void TitleChanged(const QString& title);
    // The list was opened or closed, the user changed or a test started or stopped: the
    // main window works out which commands are enabled.
    void StateChanged();

private:
    void PostPageCommand(PageCommand command);

    std::unique_ptr<IUserSession> m_session;
    IDocumentHost* m_pHost = nullptr;
    bool m_bTestRunning = false;
    QString m_strCurrentUser;
    QString m_strCreatedBy;
    CResultLists m_results;
    CListDatabase m_database;
    std::unique_ptr<CSpellingListDB> m_pList;
    QString m_strTitle;
    QString m_strPathName;
};
