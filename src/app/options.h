#pragma once

#include "app/optionssettings.h"
#include "app/pageview.h"

#include <functional>

class CAppFolders;
class CAppSettings;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The options page: the default user folder, automatic log-in, random order and repeat during
// tests, the recording rate, and the change-password dialog. Edits stay on the page until
// "Apply" writes what changed; "Restore" reads the stored values again.
class COptions : public CPageView
{
    Q_OBJECT
public:
    // Runs the change-password dialog on the user folder; true when it ended with OK. Tests put
    // their own in place so that no dialog blocks them.
    using ChangePasswordFunction = std::function<bool(QWidget* parent, const QString& userFolder)>;

    COptions(COrthexDoc& document, IPageCommandTarget& commands, CAppSettings& settings, CAppFolders& folders,
             QWidget* parent = nullptr);

    void OnUpdate() override;

    // The values the controls show, and putting values into them.
    COptionsValues Values() const;
    void SetValues(const COptionsValues& values);

    void OnChooseFolder();
    void OnApply();
    void OnRestore() { OnUpdate(); }
    void OnChangePassword();

    // Replaces the dialog for the whole program (an empty function restores the real one);
    // returns the one it replaces.
    static ChangePasswordFunction SetChangePasswordFunction(ChangePasswordFunction function);

    QLineEdit* FolderEdit() const { return m_pFolder; }
    QPushButton* BrowseButton() const { return m_pBrowse; }
    QCheckBox* RepeatCheck() const { return m_pRepeat; }
    QCheckBox* AutoLogInCheck() const { return m_pAutoLogIn; }
    QCheckBox* RandomizeCheck() const { return m_pRandomize; }
    QPushButton* ChangePasswordButton() const { return m_pChangePassword; }
    QRadioButton* RateButton(int index) const;
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* RestoreButton() const { return m_pRestore; }

private:
    CAppFolders& m_folders;
    COptionsSettings m_options;
    COptionsValues m_values;

    QLineEdit* m_pFolder;
    QPushButton* m_pBrowse;
    QCheckBox* m_pRepeat;
    QCheckBox* m_pAutoLogIn;
    QCheckBox* m_pRandomize;
    QPushButton* m_pChangePassword;
    QButtonGroup* m_pRates;
    QPushButton* m_pApply;
    QPushButton* m_pRestore;
};
