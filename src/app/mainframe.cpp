#include "app/mainframe.h"

#include "base/appfolders.h"
#include "base/appsettings.h"
#include "app/helpwindow.h"
#include "base/messages.h"
#include "app/options.h"
#include "app/orthexview.h"
#include "app/recentfilelist.h"
#include "app/toolbaricons.h"
#include "document/orthexdoc.h"
#include "lists/savedlg.h"
#include "app/listprinting.h"
#include "lists/words.h"
#include "reports/classoverviewdlg.h"
#include "users/teachergate.h"
#include "reports/reports.h"
#include "testtaking/test.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QWhatsThis>

namespace {
struct PageInfo {
    PageCommand page;
    const char* caption;
    const char* prompt;
    const char* icon;
};

// Toolbar order; the View menu lists them in its own order.
constexpr PageInfo kPages[] = {
    {PageCommand::Start, "Start", "Return To The Start Page", "start"},
    {PageCommand::Words, "Words", "Go To Words Page To Enter and/or Edit Spelling Words", "words"},
    {PageCommand::Test, "Test", "Go To Test Page", "test"},
    {PageCommand::Reports, "Reports", "Go To Reports Page", "reports"},
    {PageCommand::Options, "Options", "Go To Options Page", "options"},
};
constexpr PageCommand kViewMenuOrder[] = {PageCommand::Reports, PageCommand::Options, PageCommand::Test,
                                          PageCommand::Words, PageCommand::Start};

const QString kIdleText = QStringLiteral("For Help, press F1");

QString runOpenDialog(QWidget* parent, const QString& folder)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), folder,
                                        QStringLiteral("Orthex Files (*.orthex);;All Files (*.*)"));
}

enum class EditCommand { Undo, Cut, Copy, Paste };

// Undo, cut, copy and paste act on the text field that has the focus.
void editFocused(EditCommand command)
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        focus = combo->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(focus)) {
        switch (command) {
        case EditCommand::Undo: if (!line->isReadOnly()) line->undo(); break;
        case EditCommand::Cut: if (!line->isReadOnly() && line->echoMode() == QLineEdit::Normal) line->cut(); break;
        case EditCommand::Copy: if (line->echoMode() == QLineEdit::Normal) line->copy(); break;
        case EditCommand::Paste: if (!line->isReadOnly()) line->paste(); break;
        }
    } else if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        switch (command) {
        case EditCommand::Undo: if (!text->isReadOnly()) text->undo(); break;
        case EditCommand::Cut: if (!text->isReadOnly()) text->cut(); break;
        case EditCommand::Copy: text->copy(); break;
        case EditCommand::Paste: if (!text->isReadOnly()) text->paste(); break;
        }
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        switch (command) {
        case EditCommand::Undo: if (!plain->isReadOnly()) plain->undo(); break;
        case EditCommand::Cut: if (!plain->isReadOnly()) plain->cut(); break;
        case EditCommand::Copy: plain->copy(); break;
        case EditCommand::Paste: if (!plain->isReadOnly()) plain->paste(); break;
        }
    }
}
}  // namespace

CMainFrame::CMainFrame(COrthexDoc& document, CAppSettings& settings, CAppFolders& folders, QWidget* parent)
    : QMainWindow(parent)
    , m_doc(document)
    , m_settings(settings)
    , m_folders(folders)
    , m_recentFiles(std::make_unique<CRecentFileList>(settings))
{
    setObjectName(QStringLiteral("mainFrame"));
    setAcceptDrops(true);
    setWindowTitle(TitleFor(m_doc.GetTitle()));

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();

    m_pStack = new QStackedWidget(this);
    m_pStack->setObjectName(QStringLiteral("pages"));
    setCentralWidget(m_pStack);
    // The start page comes with the window.
    CPageView* start = CreatePage(PageCommand::Start);
    m_pages[Index(PageCommand::Start)] = start;
    m_pStack->addWidget(start);
    m_pStack->setCurrentWidget(start);

    connect(&m_doc, &COrthexDoc::StateChanged, this, &CMainFrame::UpdateCommands);
    connect(&m_doc, &COrthexDoc::StateChanged, this, &CMainFrame::UpdateUserPane);
    connect(&m_doc, &COrthexDoc::TitleChanged, this, &CMainFrame::OnTitleChanged);
    connect(&m_doc, &COrthexDoc::InitialUpdate, this, &CMainFrame::InitialUpdateAllPages);
    connect(&m_doc, &COrthexDoc::ViewsUpdated, this, [this](QObject* sender) {
        for (CPageView* page : m_pages)
            if (page && page != sender)
                page->OnUpdate();
        UpdateUserPane();
        UpdateCommands();
    });
    // Like the idle-time update of the commands: after every click and key press the enabling
    // is worked out again, whatever a page changed in the document.
    qApp->installEventFilter(this);

    UpdateUserPane();
    UpdateCommands();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
}

QString CMainFrame::TitleFor(const QString& documentTitle)
{
    const QString title = documentTitle.isEmpty() ? QStringLiteral("Untitled") : documentTitle;
    return title + QStringLiteral(" - Orthex");
}

void CMainFrame::CreateActions()
{
    for (const PageInfo& info : kPages) {
        auto* action = new QAction(QString::fromLatin1(info.caption), this);
        action->setObjectName(QStringLiteral("actionView") + QString::fromLatin1(info.caption));
        action->setStatusTip(QString::fromLatin1(info.prompt));
        action->setToolTip(QString::fromLatin1(info.caption));
        action->setWhatsThis(QString::fromLatin1(info.prompt));
        action->setIcon(ToolbarIcons::Icon(QString::fromLatin1(info.icon)));
        const PageCommand page = info.page;
        connect(action, &QAction::triggered, this, [this, page] { OnViewPage(page); });
        m_pageActions[Index(page)] = action;
    }

    m_pNew = new QAction(QStringLiteral("&New"), this);
    m_pNew->setObjectName(QStringLiteral("actionNew"));
    m_pNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_pNew->setStatusTip(QStringLiteral("Create a new spelling list"));
    connect(m_pNew, &QAction::triggered, this, &CMainFrame::OnFileNew);

    m_pOpen = new QAction(QStringLiteral("&Open..."), this);
    m_pOpen->setObjectName(QStringLiteral("actionOpen"));
    m_pOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_pOpen->setStatusTip(QStringLiteral("Open an existing spelling list"));
    connect(m_pOpen, &QAction::triggered, this, &CMainFrame::OnFileOpen);

    // Ctrl+S: the list is written row by row as it changes, so there is nothing to save.
    m_pSave = new QAction(QStringLiteral("&Save"), this);
    m_pSave->setObjectName(QStringLiteral("actionSave"));
    m_pSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(m_pSave, &QAction::triggered, this, [this] { m_doc.OnSaveDocument(); });
    addAction(m_pSave);

    m_pExit = new QAction(QStringLiteral("E&xit"), this);
    m_pExit->setObjectName(QStringLiteral("actionExit"));
    m_pExit->setIconText(QStringLiteral("Exit"));
    m_pExit->setToolTip(QStringLiteral("Exit"));
    m_pExit->setStatusTip(QStringLiteral("Quit Orthex"));
    m_pExit->setWhatsThis(QStringLiteral("Quit Orthex"));
    m_pExit->setIcon(ToolbarIcons::Icon(QStringLiteral("exit")));
    connect(m_pExit, &QAction::triggered, this, &QWidget::close);

    m_pHelp = new QAction(QStringLiteral("&Help Topics"), this);
    m_pHelp->setObjectName(QStringLiteral("actionHelpTopics"));
    m_pHelp->setShortcut(QKeySequence(Qt::Key_F1));
    m_pHelp->setStatusTip(QStringLiteral("List Help topics"));
    connect(m_pHelp, &QAction::triggered, this, &CMainFrame::OnHelpTopics);

    QAction* whatsThis = QWhatsThis::createAction(this);
    whatsThis->setObjectName(QStringLiteral("actionWhatsThis"));
    whatsThis->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    addAction(whatsThis);

    m_pAbout = new QAction(QStringLiteral("&About Orthex..."), this);
    m_pAbout->setObjectName(QStringLiteral("actionAbout"));
    m_pAbout->setStatusTip(QStringLiteral("Display program information, version number and copyright"));
    connect(m_pAbout, &QAction::triggered, this, &CMainFrame::AboutRequested);

    const struct {
        EditCommand command;
        const char* name;
        QList<QKeySequence> keys;
    } edits[] = {
        {EditCommand::Undo, "actionUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {EditCommand::Cut, "actionCut", {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {EditCommand::Copy, "actionCopy", {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {EditCommand::Paste, "actionPaste", {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
    };
    for (const auto& edit : edits) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(edit.name));
        action->setShortcuts(edit.keys);
        const EditCommand command = edit.command;
        connect(action, &QAction::triggered, this, [command] { editFocused(command); });
        addAction(action);
    }
}

void CMainFrame::CreateMenus()
{
    m_pFileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_pFileMenu->addAction(m_pNew);
    m_pFileMenu->addAction(m_pOpen);
    // Word files go through the words page, where the imported words join the list.
    m_pFileMenu->addSeparator();
    for (const bool importing : {true, false}) {
        QAction* action = m_pFileMenu->addAction(importing ? QStringLiteral("&Import Words...")
                                                           : QStringLiteral("&Export Words..."));
        action->setObjectName(importing ? QStringLiteral("actionImportWords") : QStringLiteral("actionExportWords"));
        connect(action, &QAction::triggered, this, [this, importing] {
            UpdateCommands();
            if (!PageAction(PageCommand::Words)->isEnabled())
                return;
            OnViewPage(PageCommand::Words);
            if (auto* words = qobject_cast<CWords*>(Page(PageCommand::Words)); words && m_current == PageCommand::Words)
                importing ? words->ImportWords() : words->ExportWords();
        });
        connect(m_pFileMenu, &QMenu::aboutToShow, action,
                [this, action] {
                    UpdateCommands();
                    action->setEnabled(PageAction(PageCommand::Words)->isEnabled());
                });
    }
    QAction* printList = m_pFileMenu->addAction(QStringLiteral("&Print List..."));
    printList->setObjectName(QStringLiteral("actionPrintList"));
    printList->setStatusTip(QStringLiteral("Print the list, or a worksheet for a test on paper"));
    connect(printList, &QAction::triggered, this, [this] {
        CListPrinting::Run(this, m_doc, CListPrinting::DefaultKindQuestion(), CListPrinting::DefaultPreview());
    });
    connect(m_pFileMenu, &QMenu::aboutToShow, printList, [this, printList] { printList->setEnabled(m_doc.IsListOpen()); });
    m_pRecentSeparator = m_pFileMenu->addSeparator();
    for (int i = 0; i < CAppSettings::kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        action->setStatusTip(QStringLiteral("Open this spelling list"));
        connect(action, &QAction::triggered, this, [this, action] { OpenRecentFile(action->data().toString()); });
        m_pFileMenu->addAction(action);
        m_recentActions << action;
    }
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(m_pExit);
    connect(m_pFileMenu, &QMenu::aboutToShow, this, [this] {
        RebuildRecentFileMenu();
        UpdateCommands();
    });
    RebuildRecentFileMenu();

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    for (PageCommand page : kViewMenuOrder)
        view->addAction(PageAction(page));
    view->addSeparator();
    QAction* classOverview = view->addAction(QStringLiteral("&Class Overview..."));
    classOverview->setObjectName(QStringLiteral("actionClassOverview"));
    connect(classOverview, &QAction::triggered, this, [this] { CClassOverviewDlg::Open(m_folders.UserFolder(), this); });
    connect(view, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(m_pHelp);
    help->addSeparator();
    help->addAction(m_pAbout);
}

void CMainFrame::CreateToolBar()
{
    QToolBar* toolbar = addToolBar(QStringLiteral("Pages"));
    toolbar->setObjectName(QStringLiteral("pageToolBar"));
    toolbar->setIconSize(QSize(ToolbarIcons::kSize, ToolbarIcons::kSize));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const PageInfo& info : kPages)
        toolbar->addAction(PageAction(info.page));
    toolbar->addAction(m_pExit);
}

void CMainFrame::CreateStatusBar()
{
    m_pMessagePane = new QLabel(kIdleText, this);
    m_pMessagePane->setObjectName(QStringLiteral("messagePane"));
    m_pMessagePane->setAccessibleName(QStringLiteral("Status"));
    statusBar()->addWidget(m_pMessagePane, 1);

    m_pUserPane = new QLabel(QStringLiteral("no User                    "), this);
    m_pUserPane->setObjectName(QStringLiteral("userPane"));
    m_pUserPane->setAccessibleName(QStringLiteral("Logged-in user"));
    m_pUserPane->setFixedWidth(200);
    m_pUserPane->setFrameStyle(QFrame::Panel | QFrame::Raised);
    statusBar()->addPermanentWidget(m_pUserPane);
}

void CMainFrame::RebuildRecentFileMenu()
{
    const QStringList files = m_recentFiles->Files();
    const bool enabled = PageRules::AreDocumentCommandsEnabled(DocumentState());
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions.at(i);
        const bool used = i < files.size();
        action->setVisible(used);
        action->setEnabled(enabled);
        action->setData(used ? files.at(i) : QString());
        action->setText(used ? CRecentFileList::MenuText(i, files.at(i)) : QString());
    }
    m_pRecentSeparator->setVisible(!files.isEmpty());
}

QStringList CMainFrame::RecentFiles() const
{
    return m_recentFiles->Files();
}

CPageView* CMainFrame::CreatePage(PageCommand page)
{
    switch (page) {
    case PageCommand::Start: return new COrthexView(m_doc, *this, *this, m_pStack);
    case PageCommand::Words: return new CWords(m_doc, *this, m_settings, m_pStack);
    case PageCommand::Test: return new CTest(m_doc, *this, m_settings, m_pStack);
    case PageCommand::Reports: return new CReports(m_doc, *this, m_pStack);
    case PageCommand::Options: return new COptions(m_doc, *this, m_settings, m_folders, m_pStack);
    }
    return nullptr;
}

CPageView* CMainFrame::Page(PageCommand page) const
{
    return m_pages.at(Index(page));
}

QAction* CMainFrame::PageAction(PageCommand page) const
{
    return m_pageActions.at(Index(page));
}

void CMainFrame::SwitchToPage(PageCommand page)
{
    CPageView* next = Page(page);
    if (!next) {
        next = CreatePage(page);
        m_pages[Index(page)] = next;
        m_pStack->addWidget(next);
        next->OnInitialUpdate();
    }
    m_pStack->setCurrentWidget(next);
    m_current = page;
    UpdateCommands();
    FocusPage(next);
}

void CMainFrame::FocusPage(CPageView* page)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && page->isAncestorOf(focus))
        return;
    // The first control of the page that takes the focus with Tab.
    for (QWidget* widget = page->nextInFocusChain(); widget && widget != page; widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && widget->isEnabled() && widget->isVisibleTo(page)
            && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void CMainFrame::OnViewPage(PageCommand page)
{
    if (page == m_current)
        return;
    // With a teacher password, the options (the shared user folder among them) are the teacher's.
    if (page == PageCommand::Options && !TeacherGate::Allow(this, m_folders.UserFolder())) {
        UpdateCommands();
        return;
    }
    SwitchToPage(page);
}

void CMainFrame::InitialUpdateAllPages()
{
    for (CPageView* page : m_pages)
        if (page)
            page->OnInitialUpdate();
    UpdateUserPane();
    UpdateCommands();
}

void CMainFrame::PostPageCommand(PageCommand command)
{
    QMetaObject::invokeMethod(
        this,
        [this, command] {
            UpdateCommands();
            QAction* action = PageAction(command);
            if (action->isEnabled())
                action->trigger();
        },
        Qt::QueuedConnection);
}

void CMainFrame::PostFrameCommand(FrameCommand command)
{
    QMetaObject::invokeMethod(
        this,
        [this, command] {
            UpdateCommands();
            QAction* action = command == FrameCommand::FileNew ? m_pNew : m_pOpen;
            if (action->isEnabled())
                action->trigger();
        },
        Qt::QueuedConnection);
}

CPageState CMainFrame::DocumentState() const
{
    CPageState state;
    state.testRunning = m_doc.IsTestRunning();
    state.listOpen = m_doc.IsListOpen();
    state.currentUser = m_doc.CurrentUser();
    state.createdBy = m_doc.CreatedBy();
    // The cursor's row count, without walking it: a page may be positioned on a row.
    state.wordCount = state.listOpen ? m_doc.List()->RecordCount() : 0;
    return state;
}

void CMainFrame::UpdateCommands()
{
    const CPageState state = DocumentState();
    for (const PageInfo& info : kPages)
        PageAction(info.page)->setEnabled(PageRules::IsEnabled(info.page, m_current, state));
    m_pExit->setEnabled(PageRules::IsExitEnabled(state));
    const bool documentCommands = PageRules::AreDocumentCommandsEnabled(state);
    m_pNew->setEnabled(documentCommands);
    m_pOpen->setEnabled(documentCommands);
    for (QAction* action : m_recentActions)
        action->setEnabled(documentCommands);
}

void CMainFrame::ScheduleCommandUpdate()
{
    if (m_bUpdatePending)
        return;
    m_bUpdatePending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bUpdatePending = false;
            UpdateCommands();
        },
        Qt::QueuedConnection);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        ScheduleCommandUpdate();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateUserPane()
{
    m_pUserPane->setText(m_doc.StatusUserText());
}

void CMainFrame::OnTitleChanged()
{
    setWindowTitle(TitleFor(m_doc.GetTitle()));
}

void CMainFrame::OnFileNew()
{
    if (!PageRules::AreDocumentCommandsEnabled(DocumentState()))
        return;
    m_doc.NewDocument();
}

void CMainFrame::OnFileOpen()
{
    if (!PageRules::AreDocumentCommandsEnabled(DocumentState()))
        return;
    const QString path = m_openFile ? m_openFile(this) : runOpenDialog(this, m_folders.GetSaveFolder());
    if (!path.isEmpty())
        OpenFile(path);
}

bool CMainFrame::OpenFile(const QString& path)
{
    if (!PageRules::AreDocumentCommandsEnabled(DocumentState()))
        return false;
    return m_doc.OpenDocumentFile(path);
}

bool CMainFrame::OpenRecentFile(const QString& path)
{
    if (!PageRules::AreDocumentCommandsEnabled(DocumentState()))
        return false;
    if (!QFileInfo(path).isFile()) {
        m_recentFiles->Remove(path);
        RebuildRecentFileMenu();
        Messages::Show(QStringLiteral("The spelling list %1 cannot be found. It has been removed from the list of "
                                      "recent files.")
                           .arg(QDir::toNativeSeparators(path)),
                       MessageIcon::Exclamation);
        return false;
    }
    if (!OpenFile(path)) {
        // The open has said why; a list that does not open is not offered again.
        m_recentFiles->Remove(path);
        RebuildRecentFileMenu();
        return false;
    }
    return true;
}

std::optional<QString> CMainFrame::AskNewListPath()
{
    if (m_newListPath)
        return m_newListPath(m_folders, this);
    return CSaveDlg::AskPath(m_folders, this);
}

void CMainFrame::AddToRecentFileList(const QString& path)
{
    m_recentFiles->Add(path);
    RebuildRecentFileMenu();
}

CHelpWindow* CMainFrame::HelpWindow()
{
    if (!m_pHelpWindow)
        m_pHelpWindow = new CHelpWindow(this);
    return m_pHelpWindow;
}

void CMainFrame::OnHelpTopics()
{
    HelpWindow()->ShowGuide();
}

bool CMainFrame::RestoreWindowPlacement()
{
    const QByteArray geometry = m_settings.WindowGeometry();
    return !geometry.isEmpty() && restoreGeometry(geometry);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    m_bShown = true;
    QMainWindow::showEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // A running test is stopped first, as "Stop" does, so that its grade is kept.
    if (m_doc.IsTestRunning())
        for (CPageView* page : m_pages)
            if (page)
                page->OnFrameClosing();
    if (m_pHelpWindow)
        m_pHelpWindow->close();
    // The next start opens the window where the user left it.
    m_settings.SetWindowGeometry(saveGeometry());
    event->accept();
    QMainWindow::closeEvent(event);
}

QStringList CMainFrame::DroppedLists(const QMimeData* data)
{
    QStringList lists;
    if (!data || !data->hasUrls())
        return lists;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (path.endsWith(QStringLiteral(".orthex"), Qt::CaseInsensitive) && QFileInfo(path).isFile())
            lists << path;
    }
    return lists;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedLists(event->mimeData()).isEmpty() && PageRules::AreDocumentCommandsEnabled(DocumentState()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList lists = DroppedLists(event->mimeData());
    if (lists.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // One document: the first list dropped is the one opened.
    const QString path = lists.first();
    QMetaObject::invokeMethod(this, [this, path] { OpenFile(path); }, Qt::QueuedConnection);
}
