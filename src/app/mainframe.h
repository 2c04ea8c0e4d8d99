#pragma once

#include "app/framecommands.h"
#include "app/pagerules.h"
#include "document/documenthost.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>

class CAppFolders;
class CAppSettings;
class CHelpWindow;
class COrthexDoc;
class CPageView;
class CRecentFileList;
class QLabel;
class QMenu;
class QMimeData;
class QStackedWidget;

// The main window: the toolbar of page buttons, the menus, the status bar and one visible page
// out of five. It creates each page the first time it is asked for and keeps it; it enables the
// commands from the document's state, and runs the File commands for the document.
class CMainFrame : public QMainWindow, public IDocumentHost, public IFrameCommandTarget
{
    Q_OBJECT
public:
    // The dialogs the commands run; tests put their own in place so that none blocks them.
    // Open: the chosen file, or empty text when cancelled.
    using OpenFileFunction = std::function<QString(QWidget* parent)>;
    // New: the new list's path ("Next"), or nothing when cancelled.
    using NewListPathFunction = std::function<std::optional<QString>(CAppFolders& folders, QWidget* parent)>;

    CMainFrame(COrthexDoc& document, CAppSettings& settings, CAppFolders& folders, QWidget* parent = nullptr);
    ~CMainFrame() override;

    COrthexDoc& GetDocument() const { return m_doc; }

    // --- Pages ---
    PageCommand CurrentPage() const { return m_current; }
    // The page object, or null when it has not been asked for yet.
    CPageView* Page(PageCommand page) const;
    CPageView* ActivePage() const { return Page(m_current); }
    // Every page that exists gets its initial update (at start and after each New and Open).
    void InitialUpdateAllPages();

    // Puts back the size and place the window had when the program last ended; false (and the
    // window as it is) when none is stored or it cannot be used.
    bool RestoreWindowPlacement();

    // --- Commands ---
    // Posted: the command runs from the event loop, and only if it is enabled then.
    void PostPageCommand(PageCommand command) override;
    void PostFrameCommand(FrameCommand command) override;
    QAction* PageAction(PageCommand page) const;
    QAction* ExitAction() const { return m_pExit; }
    QAction* NewAction() const { return m_pNew; }
    QAction* OpenAction() const { return m_pOpen; }
    QAction* HelpAction() const { return m_pHelp; }
    // Works out again which commands are enabled from the document's state.
    void UpdateCommands();
    CPageState DocumentState() const;

    // File Open with a path, as from the Open dialog, a dropped file or the command line.
    bool OpenFile(const QString& path);
    // A recent-file entry: a file that is gone is said so and taken off the list.
    bool OpenRecentFile(const QString& path);
    QStringList RecentFiles() const;

    void SetOpenFileFunction(OpenFileFunction function) { m_openFile = std::move(function); }
    void SetNewListPathFunction(NewListPathFunction function) { m_newListPath = std::move(function); }

    // The help window (made on first use).
    CHelpWindow* HelpWindow();

    // Status bar panes: the message pane's idle text and the user pane.
    QLabel* MessagePane() const { return m_pMessagePane; }
    QLabel* UserPane() const { return m_pUserPane; }

    // --- IDocumentHost ---
    bool HasMainWindow() const override { return m_bShown; }
    std::optional<QString> AskNewListPath() override;
    void AddToRecentFileList(const QString& path) override;

    static QString TitleFor(const QString& documentTitle);

Q_SIGNALS:
    void AboutRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The one place that makes the page objects: each page's own class by its number. (The
    // start page comes with the window, made while it is constructed.)
    virtual CPageView* CreatePage(PageCommand page);

private:
    void SwitchToPage(PageCommand page);
    void OnViewPage(PageCommand page);
    void OnFileNew();
    void OnFileOpen();
    void OnHelpTopics();

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RebuildRecentFileMenu();
    void OnTitleChanged();
    void UpdateUserPane();
    void ScheduleCommandUpdate();
    void FocusPage(CPageView* page);
    static QStringList DroppedLists(const QMimeData* data);
    static int Index(PageCommand page) { return int(page) - 1; }

    COrthexDoc& m_doc;
    CAppSettings& m_settings;
    CAppFolders& m_folders;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    OpenFileFunction m_openFile;
    NewListPathFunction m_newListPath;

    PageCommand m_current = PageCommand::Start;
    bool m_bShown = false;
    bool m_bUpdatePending = false;
    QStackedWidget* m_pStack = nullptr;
    std::array<CPageView*, 5> m_pages{};
    std::array<QAction*, 5> m_pageActions{};
    QAction* m_pNew = nullptr;
    QAction* m_pOpen = nullptr;
    QAction* m_pSave = nullptr;
    QAction* m_pExit = nullptr;
    QAction* m_pHelp = nullptr;
    QAction* m_pAbout = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentSeparator = nullptr;
    QList<QAction*> m_recentActions;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pUserPane = nullptr;
    CHelpWindow* m_pHelpWindow = nullptr;
};
