#pragma once

#include "users/userfile.h"
#include "users/waitdlg.h"

#include <QDialog>

class CSimpleComboBox;
class QLineEdit;
class QPushButton;

// "Change Password": choose a user, type the old password and the new one twice. The user
// information file is opened and held from the first showing until the dialog ends; a change is
// written at once, and the dialog ends with OK only when it was written.
class CChangePWDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CChangePWDlg(QWidget* parent = nullptr);
    ~CChangePWDlg() override;

    void SetUserFolder(const QString& userFolder);
    QString UserFolder() const { return m_userFile.UserFolder(); }
    void SetWaiting(int tries, int pauseMs);

    // Opens the user file and fills the name box; done by the first showing.
    void InitDialog();

    static QString TitleText() { return QStringLiteral("Change Password"); }
    static QString IncorrectUserNameText() { return QStringLiteral("Incorrect User Name"); }
    static QString IncorrectPasswordText() { return QStringLiteral("Incorrect PassWord"); }
    static QString MismatchText() { return QStringLiteral("The New Password is not the same as the Retyped Password"); }

    CSimpleComboBox* NameBox() const { return m_pNameBox; }
    QLineEdit* OldPasswordEdit() const { return m_pOldPassword; }
    QLineEdit* NewPasswordEdit() const { return m_pNewPassword; }
    QLineEdit* RetypedPasswordEdit() const { return m_pRetyped; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    const CUserFile& UserFile() const { return m_userFile; }

public Q_SLOTS:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateData(bool save);

    CUserFile m_userFile;
    CWaitDlgWaiter m_waiter;
    bool m_bInitialised = false;
    bool m_bChanged = false;
    QString m_strName;
    QString m_strOldPassword;
    QString m_strNewPassword;
    QString m_strRetyped;

    CSimpleComboBox* m_pNameBox;
    QLineEdit* m_pOldPassword;
    QLineEdit* m_pNewPassword;
    QLineEdit* m_pRetyped;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
};
