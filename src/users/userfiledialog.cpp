#include "users/userfiledialog.h"

#include "widgets/simplecombo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CUserFileDialog::CUserFileDialog(const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_waiter(this)
{
    setWindowTitle(title);
    setModal(true);
    setFont(QFont(QStringLiteral("Arial"), 12));
    m_userFile.SetWaiter(&m_waiter);
}

CUserFileDialog::~CUserFileDialog() = default;

void CUserFileDialog::SetUserFolder(const QString& userFolder)
{
    m_userFile.SetUserFolder(userFolder);
}

void CUserFileDialog::SetWaiting(int tries, int pauseMs)
{
    m_userFile.SetWaiting(tries, pauseMs);
}

void CUserFileDialog::showEvent(QShowEvent* event)
{
    if (!m_bInitialised)
        InitDialog();
    QDialog::showEvent(event);
}

void CUserFileDialog::InitDialog()
{
    m_bInitialised = true;
    UpdateData(false);
    m_userFile.OpenUserFile();
    if (m_userFile.IsOpen() && m_userFile.LoadUsers()) {
        for (const CUser& user : m_userFile.Users())
            m_pNameBox->AddString(user.GetName());
    }
    m_pNameBox->Edit()->setFocus();
}

QLabel* CUserFileDialog::MakeNameBox(const QString& label)
{
    auto* nameLabel = new QLabel(label, this);
    m_pNameBox = new CSimpleComboBox(this);
    m_pNameBox->setObjectName(QStringLiteral("nameBox"));
    m_pNameBox->SetAccessibleLabel(nameLabel->text());
    nameLabel->setBuddy(m_pNameBox->Edit());
    return nameLabel;
}

QHBoxLayout* CUserFileDialog::MakeOkCancel()
{
    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));
    m_pCancel->setAutoDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, &CUserFileDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CUserFileDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    return buttons;
}
