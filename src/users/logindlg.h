#pragma once

#include "users/userfiledialog.h"

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Log In To Orthex": pick or type a name and a password. A new name creates the user at
// once, an existing one needs its password; "Delete Name" removes a user whose password is
// typed, after the teacher password (when one is set) and a question. The user information file
// is opened and held from the first showing of the dialog until it ends, and written after each
// change.
class CLogInDlg : public CUserFileDialog
{
    Q_OBJECT
public:
    // The question asked before a name is deleted: true for Yes.
    using QuestionFunction = std::function<bool(QWidget* parent, const QString& text)>;

    explicit CLogInDlg(QWidget* parent = nullptr);
    ~CLogInDlg() override;

    // A name to show when the dialog opens (the automatic log-in of a user with a password),
    // with "Log in automatically next time." ticked; the password box then has the focus.
    void SetName(const QString& name);

    // After OK: the name logged in (empty: nobody) and the state of "Log in automatically next
    // time.".
    QString Name() const { return m_strName; }
    bool AutoLogIn() const { return m_nAutoLogIn != 0; }

    void InitDialog() override;

    static QString TitleText() { return QStringLiteral("Log In To Orthex"); }
    static QString IncorrectPasswordText() { return QStringLiteral("InCorrect PassWord"); }
    // Said on OK with a name while the user information file at path is there but not read.
    static QString CannotCheckText(const QString& path);
    static QString DeleteQuestionText(const QString& name);

    // Replaces the question for the whole program (an empty function restores the real one,
    // whose default answer is No); returns the one it replaces.
    static QuestionFunction SetDeleteQuestionFunction(QuestionFunction function);

    QLineEdit* PasswordEdit() const { return m_pPassword; }
    QCheckBox* AutoLogInCheck() const { return m_pAutoLogIn; }
    QPushButton* DeleteNameButton() const { return m_pDeleteName; }

public Q_SLOTS:
    void accept() override;
    void OnDeleteName();

protected:
    void UpdateData(bool save) override;

private:
    bool m_bChanged = false;
    QString m_strName;
    QString m_strPassword;
    int m_nAutoLogIn = 0;

    QLineEdit* m_pPassword;
    QCheckBox* m_pAutoLogIn;
    QPushButton* m_pDeleteName;
};
