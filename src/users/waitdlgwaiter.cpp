#include "users/waitdlgwaiter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

CWaitDlgWaiter::CWaitDlgWaiter(QWidget* owner)
    : m_pOwner(owner)
{
}

CWaitDlgWaiter::~CWaitDlgWaiter()
{
    EndWaiting();
}

void CWaitDlgWaiter::BeginWaiting()
{
    if (m_pWaitDlg) {
        m_pWaitDlg->raise();
        m_pWaitDlg->activateWindow();
        return;
    }
    m_pWaitDlg = new CWaitDlg(m_pOwner);
    m_pWaitDlg->show();
    m_pWaitDlg->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CWaitDlgWaiter::Pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void CWaitDlgWaiter::EndWaiting()
{
    if (m_pWaitDlg)
        m_pWaitDlg->close();  // deletes itself
}
