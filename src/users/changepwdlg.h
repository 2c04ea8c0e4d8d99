#pragma once

#include "users/userfiledialog.h"

class QLineEdit;

// "Change Password": choose a user, type the old password and the new one twice. The user
// information file is opened and held from the first showing until the dialog ends; a change is
// written at once, and the dialog ends with OK only when it was written.
class CChangePWDlg : public CUserFileDialog
{
    Q_OBJECT
public:
    explicit CChangePWDlg(QWidget* parent = nullptr);
    ~CChangePWDlg() override;

    static QString TitleText() { return QStringLiteral("Change Password"); }
    static QString IncorrectUserNameText() { return QStringLiteral("Incorrect User Name"); }
    static QString IncorrectPasswordText() { return QStringLiteral("Incorrect PassWord"); }
    static QString MismatchText() { return QStringLiteral("The New Password is not the same as the Retyped Password"); }

    QLineEdit* OldPasswordEdit() const { return m_pOldPassword; }
    QLineEdit* NewPasswordEdit() const { return m_pNewPassword; }
    QLineEdit* RetypedPasswordEdit() const { return m_pRetyped; }

public Q_SLOTS:
    void accept() override;

protected:
    void UpdateData(bool save) override;

private:
    QString m_strName;
    QString m_strOldPassword;
    QString m_strNewPassword;
    QString m_strRetyped;

    QLineEdit* m_pOldPassword;
    QLineEdit* m_pNewPassword;
    QLineEdit* m_pRetyped;
};
