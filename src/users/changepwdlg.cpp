#include "users/changepwdlg.h"

#include "app/messages.h"
#include "users/dialogunits.h"
#include "users/simplecombo.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* passwordEdit(QWidget* parent, const char* objectName, const QString& accessibleName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    edit->setEchoMode(QLineEdit::Password);
    edit->setAccessibleName(accessibleName);
    return edit;
}
}  // namespace

CChangePWDlg::CChangePWDlg(QWidget* parent)
    : QDialog(parent)
    , m_waiter(this)
{
    setWindowTitle(TitleText());
    setModal(true);
    setFont(QFont(QStringLiteral("Arial"), 12));
    m_userFile.SetWaiter(&m_waiter);

    auto* intro = new QLabel(QStringLiteral("Select the User Name,\n\rType Old and New Passwords to Change Password"), this);
    intro->setAlignment(Qt::AlignCenter);
    auto* nameLabel = new QLabel(QStringLiteral("User Name:"), this);
    m_pNameBox = new CSimpleComboBox(this);
    m_pNameBox->setObjectName(QStringLiteral("nameBox"));
    m_pNameBox->SetAccessibleLabel(nameLabel->text());
    nameLabel->setBuddy(m_pNameBox->Edit());
    auto* oldLabel = new QLabel(QStringLiteral("Old Password:"), this);
    m_pOldPassword = passwordEdit(this, "oldPasswordEdit", oldLabel->text());
    oldLabel->setBuddy(m_pOldPassword);
    auto* newLabel = new QLabel(QStringLiteral("New Password:"), this);
    m_pNewPassword = passwordEdit(this, "newPasswordEdit", newLabel->text());
    newLabel->setBuddy(m_pNewPassword);
    // The second new-password field has no label of its own; a screen reader names it.
    m_pRetyped = passwordEdit(this, "retypedPasswordEdit", QStringLiteral("Retype New Password:"));
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));
    m_pCancel->setAutoDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, &CChangePWDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CChangePWDlg::reject);

    auto* passwords = new QFormLayout;
    passwords->addRow(oldLabel, m_pOldPassword);
    passwords->addRow(newLabel, m_pNewPassword);
    passwords->addRow(QString(), m_pRetyped);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(nameLabel);
    layout->addWidget(m_pNameBox, 1);
    layout->addLayout(passwords);
    layout->addLayout(buttons);

    setTabOrder(m_pNameBox->Edit(), m_pNameBox->List());
    setTabOrder(m_pNameBox->List(), m_pOldPassword);
    setTabOrder(m_pOldPassword, m_pNewPassword);
    setTabOrder(m_pNewPassword, m_pRetyped);
    setTabOrder(m_pRetyped, m_pOk);
    setTabOrder(m_pOk, m_pCancel);
    resize(DialogUnits::ToPixels(font(), QSize(300, 180)));
}

CChangePWDlg::~CChangePWDlg() = default;

void CChangePWDlg::SetUserFolder(const QString& userFolder)
{
    m_userFile.SetUserFolder(userFolder);
}

void CChangePWDlg::SetWaiting(int tries, int pauseMs)
{
    m_userFile.SetWaiting(tries, pauseMs);
}

void CChangePWDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised)
        InitDialog();
    QDialog::showEvent(event);
}

void CChangePWDlg::InitDialog()
{
    m_bInitialised = true;
    UpdateData(false);
    m_userFile.OpenUserFile();
    if (m_userFile.IsOpen() && m_userFile.LoadUsers()) {
        for (const CUser& user : m_userFile.Users())
            m_pNameBox->AddString(user.GetName());
    }
    m_bChanged = false;
    m_pNameBox->Edit()->setFocus();
}

void CChangePWDlg::UpdateData(bool save)
{
    if (save) {
        m_strName = m_pNameBox->Text();
        m_strOldPassword = m_pOldPassword->text();
        m_strNewPassword = m_pNewPassword->text();
        m_strRetyped = m_pRetyped->text();
    } else {
        m_pNameBox->SetText(m_strName);
        m_pOldPassword->setText(m_strOldPassword);
        m_pNewPassword->setText(m_strNewPassword);
        m_pRetyped->setText(m_strRetyped);
    }
}

void CChangePWDlg::accept()
{
    UpdateData(true);
    CUser* user = m_userFile.FindUser(m_strName);
    if (!user) {
        Messages::Show(IncorrectUserNameText());
        return;
    }
    if (!CUserFile::PasswordMatches(*user, m_strOldPassword)) {
        Messages::Show(IncorrectPasswordText());
        return;
    }
    if (m_strNewPassword != m_strRetyped) {
        Messages::Show(MismatchText());
        return;
    }
    user->SetPassword(m_strNewPassword);
    m_bChanged = true;
    // "Password Changed." must never follow a change that did not reach the file: a failed
    // write (already reported) keeps the dialog open.
    if (!m_userFile.SaveUsers())
        return;
    m_bChanged = false;
    QDialog::accept();
}
