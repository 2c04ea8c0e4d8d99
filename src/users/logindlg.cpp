#include "users/logindlg.h"

#include "widgets/dialogunits.h"
#include "widgets/messageboxsink.h"
#include "base/messages.h"
#include "widgets/simplecombo.h"
#include "users/teachergate.h"
#include "users/usernames.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
CLogInDlg::QuestionFunction& deleteQuestionFunction()
{
    static CLogInDlg::QuestionFunction function;
    return function;
}
}  // namespace

QString CLogInDlg::DeleteQuestionText(const QString& name)
{
    return tr("Delete %1 and keep their results?").arg(name);
}

CLogInDlg::QuestionFunction CLogInDlg::SetDeleteQuestionFunction(QuestionFunction function)
{
    QuestionFunction previous = deleteQuestionFunction();
    deleteQuestionFunction() = std::move(function);
    return previous;
}

CLogInDlg::CLogInDlg(QWidget* parent)
    : CUserFileDialog(TitleText(), parent)
{
    auto* intro = new QLabel(QStringLiteral("Log in to keep a record of your work.\nA blank password is OK."), this);
    intro->setAlignment(Qt::AlignCenter);
    QLabel* nameLabel = MakeNameBox(QStringLiteral("Enter a new name or select one:"));
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
    QHBoxLayout* buttons = MakeOkCancel();

    connect(m_pDeleteName, &QPushButton::clicked, this, &CLogInDlg::OnDeleteName);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(NameBox(), 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pDeleteName);
    side->addStretch(1);
    nameRow->addLayout(side);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(passwordLabel);
    passwordRow->addWidget(m_pPassword, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(nameLabel);
    layout->addLayout(nameRow, 1);
    layout->addLayout(passwordRow);
    layout->addWidget(m_pAutoLogIn);
    layout->addLayout(buttons);

    setTabOrder(NameBox()->Edit(), NameBox()->List());
    setTabOrder(NameBox()->List(), m_pDeleteName);
    setTabOrder(m_pDeleteName, m_pPassword);
    setTabOrder(m_pPassword, m_pAutoLogIn);
    setTabOrder(m_pAutoLogIn, OkButton());
    setTabOrder(OkButton(), CancelButton());
    resize(CDialogUnits(font()).SizeRoundedDown(320, 200));
}

CLogInDlg::~CLogInDlg() = default;

void CLogInDlg::SetName(const QString& name)
{
    m_strName = name;
}

void CLogInDlg::InitDialog()
{
    CUserFileDialog::InitDialog();
    m_bChanged = false;
    // A name given before the dialog came from the automatic log-in, which stays on unless
    // the box is cleared.
    m_nAutoLogIn = m_strName.isEmpty() ? 0 : 1;
    m_pAutoLogIn->setChecked(m_nAutoLogIn != 0);
    if (!m_strName.isEmpty())
        m_pPassword->setFocus();
}

void CLogInDlg::UpdateData(bool save)
{
    if (save) {
        m_strName = NameBox()->Text();
        m_strPassword = m_pPassword->text();
        m_nAutoLogIn = m_pAutoLogIn->isChecked() ? 1 : 0;
    } else {
        NameBox()->SetText(m_strName);
        m_pPassword->setText(m_strPassword);
        m_pAutoLogIn->setChecked(m_nAutoLogIn != 0);
    }
}

void CLogInDlg::OnDeleteName()
{
    UpdateData(true);
    const qsizetype index = File().IndexOf(m_strName);
    if (index < 0)
        return;
    if (!CUserFile::PasswordMatches(File().Users().at(index), m_strPassword)) {
        Messages::Show(IncorrectPasswordText());
        return;
    }
    // The entry of exactly this name: anna and Anna are two users.
    const int entry = NameBox()->FindStringExact(m_strName);
    if (entry < 0)
        return;
    if (!TeacherGate::Allow(this, UserFolder()))
        return;
    const QuestionFunction& ask =
        deleteQuestionFunction() ? deleteQuestionFunction() : QuestionFunction(&AskYesNo);
    if (!ask(this, DeleteQuestionText(m_strName)))
        return;
    {
        // The list would move on to the next name, which a second click would then delete.
        const QSignalBlocker blocker(NameBox()->List());
        NameBox()->DeleteString(entry);
        NameBox()->List()->setCurrentRow(-1);
        NameBox()->List()->clearSelection();
    }
    m_bChanged = true;
    File().Users().RemoveAt(index);
    m_strName.clear();
    m_strPassword.clear();
    UpdateData(false);
}

QString CLogInDlg::CannotCheckText(const QString& path)
{
    return tr("Orthex cannot check names and passwords now: the user information file %1 is in use or "
              "cannot be read. Try again in a moment, or press Cancel to go on without logging in.")
        .arg(QDir::toNativeSeparators(path));
}

void CLogInDlg::accept()
{
    UpdateData(true);
    bool close = true;
    // A file that is there but could not be read may hold this name with a password: no name
    // is let in unchecked (holding the file open elsewhere must not open every account).
    if (!m_strName.isEmpty() && !File().IsOpen() && QFileInfo::exists(File().Path())) {
        Messages::Show(CannotCheckText(File().Path()), MessageIcon::Exclamation);
        return;
    }
    if (const CUser* user = File().FindUser(m_strName)) {
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
            File().Users().AddTail(std::move(user));
            NameBox()->AddString(m_strName);
            m_bChanged = true;
        }
    }
    if (m_bChanged && File().SaveUsers())
        m_bChanged = false;
    if (close)
        QDialog::accept();
}
