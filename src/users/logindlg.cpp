#include "users/logindlg.h"

#include "app/messages.h"
#include "users/dialogunits.h"
#include "users/simplecombo.h"
#include "users/usernames.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CLogInDlg::CLogInDlg(QWidget* parent)
    : QDialog(parent)
    , m_waiter(this)
{
    setWindowTitle(TitleText());
    setModal(true);
    setFont(QFont(QStringLiteral("Arial"), 12));
    m_userFile.SetWaiter(&m_waiter);

    auto* intro = new QLabel(QStringLiteral("Log in to keep a record of your work.\n\rA blank password is OK."), this);
    intro->setAlignment(Qt::AlignCenter);
    auto* nameLabel = new QLabel(QStringLiteral("Enter a new name or select one:"), this);
    m_pNameBox = new CSimpleComboBox(this);
    m_pNameBox->setObjectName(QStringLiteral("nameBox"));
    m_pNameBox->SetAccessibleLabel(nameLabel->text());
    nameLabel->setBuddy(m_pNameBox->Edit());
    m_pDeleteName = new QPushButton(QStringLiteral("Delete Name"), this);
    m_pDeleteName->setObjectName(QStringLiteral("deleteNameButton"));
    m_pDeleteName->setAutoDefault(false);
    auto* passwordLabel = new QLabel(QStringLiteral("Password:"), this);
    m_pPassword = new QLineEdit(this);
    m_pPassword->setObjectName(QStringLiteral("passwordEdit"));
    m_pPassword->setEchoMode(QLineEdit::Password);
    m_pPassword->setAccessibleName(passwordLabel->text());
    passwordLabel->setBuddy(m_pPassword);
    m_pAutoLogIn = new QCheckBox(QStringLiteral("Log in automatically next time."), this);
    m_pAutoLogIn->setObjectName(QStringLiteral("autoLogInCheck"));
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));
    m_pCancel->setAutoDefault(false);

    connect(m_pDeleteName, &QPushButton::clicked, this, &CLogInDlg::OnDeleteName);
    connect(m_pOk, &QPushButton::clicked, this, &CLogInDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CLogInDlg::reject);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_pNameBox, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pDeleteName);
    side->addStretch(1);
    nameRow->addLayout(side);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(passwordLabel);
    passwordRow->addWidget(m_pPassword, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(nameLabel);
    layout->addLayout(nameRow, 1);
    layout->addLayout(passwordRow);
    layout->addWidget(m_pAutoLogIn);
    layout->addLayout(buttons);

    setTabOrder(m_pNameBox->Edit(), m_pNameBox->List());
    setTabOrder(m_pNameBox->List(), m_pDeleteName);
    setTabOrder(m_pDeleteName, m_pPassword);
    setTabOrder(m_pPassword, m_pAutoLogIn);
    setTabOrder(m_pAutoLogIn, m_pOk);
    setTabOrder(m_pOk, m_pCancel);
    resize(DialogUnits::ToPixels(font(), QSize(320, 200)));
}

CLogInDlg::~CLogInDlg() = default;

void CLogInDlg::SetUserFolder(const QString& userFolder)
{
    m_userFile.SetUserFolder(userFolder);
}

void CLogInDlg::SetWaiting(int tries, int pauseMs)
{
    m_userFile.SetWaiting(tries, pauseMs);
}

void CLogInDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised)
        InitDialog();
    QDialog::showEvent(event);
}

void CLogInDlg::InitDialog()
{
    m_bInitialised = true;
    UpdateData(false);
    m_userFile.OpenUserFile();
    if (m_userFile.IsOpen())
        FillNames(m_userFile.LoadUsers());
    m_bChanged = false;
    m_nAutoLogIn = 0;
    m_pAutoLogIn->setChecked(false);
    m_pNameBox->Edit()->setFocus();
}

void CLogInDlg::FillNames(bool loaded)
{
    if (!loaded)
        return;
    for (const CUser& user : m_userFile.Users())
        m_pNameBox->AddString(user.GetName());
}

void CLogInDlg::UpdateData(bool save)
{
    if (save) {
        m_strName = m_pNameBox->Text();
        m_strPassword = m_pPassword->text();
        m_nAutoLogIn = m_pAutoLogIn->isChecked() ? 1 : 0;
    } else {
        m_pNameBox->SetText(m_strName);
        m_pPassword->setText(m_strPassword);
        m_pAutoLogIn->setChecked(m_nAutoLogIn != 0);
    }
}

void CLogInDlg::OnDeleteName()
{
    UpdateData(true);
    const qsizetype index = m_userFile.IndexOf(m_strName);
    if (index < 0)
        return;
    if (!CUserFile::PasswordMatches(m_userFile.Users().at(index), m_strPassword)) {
        Messages::Show(IncorrectPasswordText());
        return;
    }
    // The entry of exactly this name: anna and Anna are two users.
    const int entry = m_pNameBox->FindStringExact(m_strName);
    if (entry < 0)
        return;
    m_pNameBox->DeleteString(entry);
    m_bChanged = true;
    m_userFile.Users().RemoveAt(index);
    m_strName.clear();
    m_strPassword.clear();
    UpdateData(false);
}

void CLogInDlg::accept()
{
    UpdateData(true);
    bool close = true;
    if (const CUser* user = m_userFile.FindUser(m_strName)) {
        if (!CUserFile::PasswordMatches(*user, m_strPassword)) {
            Messages::Show(IncorrectPasswordText());
            close = false;
        }
    } else if (!m_strName.isEmpty()) {
        // The name becomes the name of the user's result files.
        if (!UserNames::IsValidNewName(m_strName)) {
            Messages::Show(UserNames::RuleText());
            close = false;
        } else {
            auto user = std::make_unique<CUser>();
            user->SetName(m_strName);
            user->SetPassword(m_strPassword.isEmpty() ? QStringLiteral(" ") : m_strPassword);
            m_userFile.Users().AddTail(std::move(user));
            m_pNameBox->AddString(m_strName);
            m_bChanged = true;
        }
    }
    if (m_bChanged && m_userFile.SaveUsers())
        m_bChanged = false;
    if (close)
        QDialog::accept();
}
