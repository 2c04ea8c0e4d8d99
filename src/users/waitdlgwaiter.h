#pragma once

#include "users/userfile.h"
#include "widgets/waitdlg.h"

#include <QPointer>

// Shows the wait dialog while a user file is waited for. The pauses run an event loop that
// keeps the wait dialog painted but delivers no user input, so no window takes any meanwhile.
class CWaitDlgWaiter : public IUserFileWaiter
{
public:
    explicit CWaitDlgWaiter(QWidget* owner);
    ~CWaitDlgWaiter() override;
    CWaitDlgWaiter(const CWaitDlgWaiter&) = delete;
    CWaitDlgWaiter& operator=(const CWaitDlgWaiter&) = delete;

    void BeginWaiting() override;
    void Pause(int milliseconds) override;
    void EndWaiting() override;

    CWaitDlg* WaitDialog() const { return m_pWaitDlg; }

private:
    QPointer<QWidget> m_pOwner;
    QPointer<CWaitDlg> m_pWaitDlg;
};
