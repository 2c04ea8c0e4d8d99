#include "users/changepwdlg.h"

#include "widgets/dialogunits.h"
#include "base/messages.h"
#include "widgets/simplecombo.h"

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
    : CUserFileDialog(TitleText(), parent)
{
    auto* intro = new QLabel(QStringLiteral("Select the User Name,\n\rType Old and New Passwords to Change Password"), this);
    intro->setAlignment(Qt::AlignCenter);
    QLabel* nameLabel = MakeNameBox(QStringLiteral("User Name:"));
    auto* oldLabel = new QLabel(QStringLiteral("Old Password:"), this);
    m_pOldPassword = passwordEdit(this, "oldPasswordEdit", oldLabel->text());
    oldLabel->setBuddy(m_pOldPassword);
    auto* newLabel = new QLabel(QStringLiteral("New Password:"), this);
    m_pNewPassword = passwordEdit(this, "newPasswordEdit", newLabel->text());
    newLabel->setBuddy(m_pNewPassword);
    // The second new-password field has no label of its own; a screen reader names it.
    m_pRetyped = passwordEdit(this, "retypedPasswordEdit", QStringLiteral("Retype New Password:"));
    QHBoxLayout* buttons = MakeOkCancel();

    auto* passwords = new QFormLayout;
    passwords->addRow(oldLabel, m_pOldPassword);
    passwords->addRow(newLabel, m_pNewPassword);
    passwords->addRow(QString(), m_pRetyped);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(nameLabel);
    layout->addWidget(NameBox(), 1);
    layout->addLayout(passwords);
    layout->addLayout(buttons);

    setTabOrder(NameBox()->Edit(), NameBox()->List());
    setTabOrder(NameBox()->List(), m_pOldPassword);
    setTabOrder(m_pOldPassword, m_pNewPassword);
    setTabOrder(m_pNewPassword, m_pRetyped);
    setTabOrder(m_pRetyped, OkButton());
    setTabOrder(OkButton(), CancelButton());
    resize(CDialogUnits(font()).SizeRoundedDown(300, 180));
}

CChangePWDlg::~CChangePWDlg() = default;

void CChangePWDlg::UpdateData(bool save)
{
    if (save) {
        m_strName = NameBox()->Text();
        m_strOldPassword = m_pOldPassword->text();
        m_strNewPassword = m_pNewPassword->text();
        m_strRetyped = m_pRetyped->text();
    } else {
        NameBox()->SetText(m_strName);
        m_pOldPassword->setText(m_strOldPassword);
        m_pNewPassword->setText(m_strNewPassword);
        m_pRetyped->setText(m_strRetyped);
    }
}

void CChangePWDlg::accept()
{
    UpdateData(true);
    CUser* user = File().FindUser(m_strName);
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
    // "Password Changed." must never follow a change that did not reach the file: a failed
    // write (already reported) keeps the dialog open.
    if (!File().SaveUsers())
        return;
    QDialog::accept();
}
