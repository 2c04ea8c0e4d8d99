#pragma once

#include "users/userfile.h"
#include "users/waitdlgwaiter.h"

#include <QDialog>

class CSimpleComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

// What the log-in and change-password dialogs share: the user information file, opened and held
// from the first showing until the dialog ends (waiting, with the wait dialog, for another copy
// that holds it), the name box filled from it, and OK and Cancel.
class CUserFileDialog : public QDialog
{
    Q_OBJECT
public:
    ~CUserFileDialog() override;

    void SetUserFolder(const QString& userFolder);
    QString UserFolder() const { return m_userFile.UserFolder(); }
    // How long the dialog waits for a user file that another copy holds (36 tries, 5000 ms).
    void SetWaiting(int tries, int pauseMs);

    // Opens the user file and fills the name box; done by the first showing.
    virtual void InitDialog();

    CSimpleComboBox* NameBox() const { return m_pNameBox; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    const CUserFile& UserFile() const { return m_userFile; }

protected:
    CUserFileDialog(const QString& title, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    // Controls into the members (save) or members into the controls.
    virtual void UpdateData(bool save) = 0;

    // The name box, and its label, which names it for a screen reader.
    QLabel* MakeNameBox(const QString& label);
    // OK (the default button) and Cancel, at the right of the row returned.
    QHBoxLayout* MakeOkCancel();

    CUserFile& File() { return m_userFile; }

private:
    CUserFile m_userFile;
    CWaitDlgWaiter m_waiter;
    bool m_bInitialised = false;

    CSimpleComboBox* m_pNameBox = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};
