#include "document/orthexdoc.h"

#include "base/messages.h"
#include "document/documenthost.h"
#include "document/usersession.h"
#include "widgets/waitcursor.h"

#include <QFile>
#include <QFileInfo>

namespace {
// The part of a path after its last slash or backslash.
QString nameOfPath(const QString& path)
{
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}
}  // namespace

COrthexDoc::COrthexDoc(std::unique_ptr<IUserSession> session, QObject* parent)
    : QObject(parent)
    , m_session(session ? std::move(session) : std::make_unique<CNoUserSession>())
{
    m_strCurrentUser = m_session->LogInAtStart();
    m_strCreatedBy.clear();
    m_session->LoadResults(*this);
    m_results.SetChanged(false);
}

COrthexDoc::~COrthexDoc()
{
    m_session->SaveResults(*this);
    m_results.Clear();
    m_pList.reset();
    m_database.Close();
}

bool COrthexDoc::IsListOpen() const
{
    return m_database.IsOpen() && m_pList && m_pList->IsOpen();
}

void COrthexDoc::CloseList()
{
    const bool wasOpen = m_database.IsOpen() || m_pList;
    m_pList.reset();
    m_database.Close();
    if (wasOpen)
        Q_EMIT StateChanged();
}

bool COrthexDoc::CreateList(const QString& path)
{
    CloseList();
    return CListDatabase::Create(path);
}

bool COrthexDoc::OpenList(const QString& path)
{
    CWaitCursor wait;
    CloseList();
    if (!m_database.Open(path))
        return false;
    // A cursor that does not open stays attached, with the connection open, until the next
    // close: the words page tells that state apart.
    m_pList = std::make_unique<CSpellingListDB>(m_database);
    const bool opened = m_pList->Open();
    if (opened)
        LoadCreatedBy();
    Q_EMIT StateChanged();
    return opened;
}

int COrthexDoc::GetWordCount()
{
    if (!IsListOpen())
        return 0;
    return m_pList->CountRows();
}

bool COrthexDoc::LoadCreatedBy()
{
    if (!IsListOpen())
        return false;
    if (m_pList->IsBOF() && m_pList->IsEOF()) {
        m_strCreatedBy = m_strCurrentUser;
    } else {
        m_pList->MoveFirst();
        m_strCreatedBy = m_pList->CreatedBy();
    }
    return true;
}

std::optional<SWordRow> COrthexDoc::ReadWord(int k)
{
    if (!IsListOpen())
        return std::nullopt;
    return m_pList->ReadWord(k);
}

void COrthexDoc::RereadList()
{
    if (m_pList && m_pList->CanRestart() && !m_pList->Requery())
        OnOpenDocument(GetPathName());
}

void COrthexDoc::PostPageCommand(PageCommand command)
{
    if (m_pHost && m_pHost->HasMainWindow())
        m_pHost->PostPageCommand(command);
}

bool COrthexDoc::OnNewDocument()
{
    CloseList();
    // The first, automatic new document at start-up starts with no list.
    if (!m_pHost || !m_pHost->HasMainWindow())
        return true;
    const std::optional<QString> chosen = m_pHost->AskNewListPath();
    if (!chosen)
        return true;
    const QString path = *chosen;
    const QString name = nameOfPath(path);

    QFile existing(path);
    if (QFileInfo(path).isFile() && existing.open(QIODevice::ReadOnly)) {
        existing.close();
        // An existing list is never overwritten: it is opened instead.
        Messages::Show(QStringLiteral("A list with that name already exists in your save folder,\r\nopening.."));
    } else {
        const bool created = CreateList(path);
        SetTitle(name);
        if (!created)
            return true;
    }

    if (OpenList(path)) {
        PostPageCommand(PageCommand::Words);
        SetTitle(name);
        // The path name follows the open list, so that reopening it after a failed re-read
        // finds the same file.
        SetPathName(path);
        if (m_pHost)
            m_pHost->AddToRecentFileList(path);
    }
    return true;
}

bool COrthexDoc::OnOpenDocument(const QString& path)
{
    CloseList();
    const bool opened = OpenList(path);
    PostPageCommand(PageCommand::Start);
    return opened;
}

void COrthexDoc::NewDocument()
{
    SetTitle(QStringLiteral("Untitled"));
    SetPathName(QString());
    OnNewDocument();
    Q_EMIT InitialUpdate();
}

bool COrthexDoc::OpenDocumentFile(const QString& path)
{
    if (!OnOpenDocument(path)) {
        // The previous list is closed now: the pages must not go on showing it.
        UpdateAllViews();
        return false;
    }
    SetPathName(path);
    SetTitle(QFileInfo(path).fileName());
    if (m_pHost)
        m_pHost->AddToRecentFileList(path);
    Q_EMIT InitialUpdate();
    return true;
}

void COrthexDoc::ChangeUser()
{
    m_session->SaveResults(*this);
    m_strCurrentUser = m_session->LogInAgain();
    m_results.Clear();
    m_session->LoadResults(*this);
    m_results.SetChanged(false);
    Q_EMIT StateChanged();
    UpdateAllViews();
}

void COrthexDoc::SetTitle(const QString& title)
{
    if (title == m_strTitle)
        return;
    m_strTitle = title;
    Q_EMIT TitleChanged(title);
}

QString COrthexDoc::StatusUserText() const
{
    return m_strCurrentUser.isEmpty() ? QStringLiteral("No User Logged In") : m_strCurrentUser;
}

void COrthexDoc::SetTestRunning(bool running)
{
    if (m_bTestRunning == running)
        return;
    m_bTestRunning = running;
    Q_EMIT StateChanged();
}

void COrthexDoc::UpdateAllViews(QObject* sender)
{
    Q_EMIT ViewsUpdated(sender);
}
