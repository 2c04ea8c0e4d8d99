#pragma once

#include "users/userfile.h"
#include "users/waitdlg.h"

#include <QDialog>

class CSimpleComboBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Log In To Quenwick": pick or type a name and a password. A new name creates the user at
// once, an existing one needs its password; "Delete Name" removes a user whose password is
// typed. The user information file is opened and held from the first showing of the dialog
// until it ends, and written after each change.
class CLogInDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CLogInDlg(QWidget* parent = nullptr);
    ~CLogInDlg() override;

    void SetUserFolder(const QString& userFolder);
    QString UserFolder() const { return m_userFile.UserFolder(); }
    // How long the dialog waits for a user file that another copy holds (36 tries, 5000 ms).
    void SetWaiting(int tries, int pauseMs);

    // After OK: the name logged in (empty: nobody) and the state of "Log in automatically next
    // time.".
    QString Name() const { return m_strName; }
    bool AutoLogIn() const { return m_nAutoLogIn != 0; }

    // Opens the user file and fills the name box; done by the first showing.
    void InitDialog();

    static QString TitleText() { return QStringLiteral("Log In To Quenwick"); }
    static QString IncorrectPasswordText() { return QStringLiteral("InCorrect PassWord"); }

    CSimpleComboBox* NameBox() const { return m_pNameBox; }
    QLineEdit* PasswordEdit() const { return m_pPassword; }
    QCheckBox* AutoLogInCheck() const { return m_pAutoLogIn; }
    QPushButton* DeleteNameButton() const { return m_pDeleteName; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    const CUserFile& UserFile() const { return m_userFile; }

public Q_SLOTS:
    void accept() override;
    void OnDeleteName();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Controls into the members (save) or members into the controls.
    void UpdateData(bool save);
    void FillNames(bool loaded);

    CUserFile m_userFile;
    CWaitDlgWaiter m_waiter;
    bool m_bInitialised = false;
    bool m_bChanged = false;
    QString m_strName;
    QString m_strPassword;
    int m_nAutoLogIn = 0;

    CSimpleComboBox* m_pNameBox;
    QLineEdit* m_pPassword;
    QCheckBox* m_pAutoLogIn;
    QPushButton* m_pDeleteName;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
};
