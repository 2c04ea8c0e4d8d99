#pragma once

#include "users/userfiledialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Log In To Orthex": pick or type a name and a password. A new name creates the user at
// once, an existing one needs its password; "Delete Name" removes a user whose password is
// typed. The user information file is opened and held from the first showing of the dialog
// until it ends, and written after each change.
class CLogInDlg : public CUserFileDialog
{
    Q_OBJECT
public:
    explicit CLogInDlg(QWidget* parent = nullptr);
    ~CLogInDlg() override;

    // After OK: the name logged in (empty: nobody) and the state of "Log in automatically next
    // time.".
    QString Name() const { return m_strName; }
    bool AutoLogIn() const { return m_nAutoLogIn != 0; }

    void InitDialog() override;

    static QString TitleText() { return QStringLiteral("Log In To Orthex"); }
    static QString IncorrectPasswordText() { return QStringLiteral("InCorrect PassWord"); }

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
