#pragma once

#include "app/optionssettings.h"
#include "widgets/pageview.h"

#include <functional>

class CAppFolders;
class CAppSettings;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The options page: the default user folder, automatic log-in, random order, repeat and
// automatic playing during tests, the recording rate, the voice and speaking rate of the words
// spoken without a microphone, larger text on the test page, Enter speaking and adding a word on
// the words page, and the change-password dialog. Edits stay on the page until
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
    QCheckBox* AutoPlayCheck() const { return m_pAutoPlay; }
    QPushButton* ChangePasswordButton() const { return m_pChangePassword; }
    QPushButton* TeacherPasswordButton() const { return m_pTeacherPassword; }
    QRadioButton* RateButton(int index) const;
    QComboBox* VoiceCombo() const { return m_pVoice; }
    QSpinBox* SpeechRateSpin() const { return m_pSpeechRate; }
    QCheckBox* LargerTextCheck() const { return m_pLargerText; }
    QCheckBox* EnterSpeaksAndAddsCheck() const { return m_pEnterSpeaksAndAdds; }
    QPushButton* ApplyButton() const { return m_pApply; }
    QPushButton* RestoreButton() const { return m_pRestore; }

private:
    // The entry of the voice combo that shows this stored voice: its own, else the default
    // voice's, else the first; -1 when there is none.
    int VoiceIndex(const QString& voiceId) const;

    CAppFolders& m_folders;
    COptionsSettings m_options;
    COptionsValues m_values;

    QLineEdit* m_pFolder;
    QPushButton* m_pBrowse;
    QCheckBox* m_pRepeat;
    QCheckBox* m_pAutoLogIn;
    QCheckBox* m_pRandomize;
    QCheckBox* m_pAutoPlay;
    QPushButton* m_pChangePassword;
    QPushButton* m_pTeacherPassword;
    QButtonGroup* m_pRates;
    QComboBox* m_pVoice;
    QSpinBox* m_pSpeechRate;
    QCheckBox* m_pLargerText;
    QCheckBox* m_pEnterSpeaksAndAdds;
    QPushButton* m_pApply;
    QPushButton* m_pRestore;
};
