#pragma once

#include "users/userfile.h"

#include <QDialog>
#include <QPointer>

// "Quenwick Loading...": shown, modeless, while a dialog waits for the user information file.
// It deletes itself when closed; whoever shows it keeps a guarded pointer.
class CWaitDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CWaitDlg(QWidget* parent = nullptr);

    static QString TitleText() { return QStringLiteral("Quenwick Loading..."); }
    static QString MessageText()
    {
        return QStringLiteral("Orthex is waiting for the user information file(up to 3 minutes).");
    }
};

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
