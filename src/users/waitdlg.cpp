#include "users/waitdlg.h"

#include "app/dialogunits.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CWaitDlg::CWaitDlg(QWidget* parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(TitleText());
    setFont(QFont(QStringLiteral("Arial"), 10));
    // While it shows, the program waits; no other window may take input.
    setWindowModality(Qt::ApplicationModal);

    auto* text = new QLabel(MessageText(), this);
    text->setObjectName(QStringLiteral("waitText"));
    text->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setVisible(false);
    cancel->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
    resize(CDialogUnits(font()).SizeRoundedDown(249, 68));
}

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
