#pragma once

#include <QDialog>
#include <QString>

#include <optional>

class CAppFolders;
class QLineEdit;
class QPushButton;

// "Creating a new Spelling List ...": names a new list and places it in the save folder. The
// resulting path follows every keystroke of the name; choosing another folder stores it as the
// save folder at once. The dialog validates nothing: the document decides what the path means.
class CSaveDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CSaveDlg(CAppFolders& folders, QWidget* parent = nullptr);

    // The resulting path: save folder + "/" + list name + ".orthex", or empty while no name was
    // ever typed.
    QString Path() const { return m_strPath; }
    QString ListName() const { return m_strListName; }
    QString SaveFolder() const { return m_strSaveFolder; }

    // Runs the dialog; the path on "Next", nothing on "Cancel".
    static std::optional<QString> AskPath(CAppFolders& folders, QWidget* parent = nullptr);

private Q_SLOTS:
    void OnNameChanged();
    void OnChangeFolder();

private:
    void ReadControls();
    void WriteControls();
    void ComposePath();

    CAppFolders& m_folders;
    QString m_strListName;
    QString m_strSaveFolder;
    QString m_strPath;

    QLineEdit* m_nameEdit;
    QLineEdit* m_folderEdit;
    QLineEdit* m_pathEdit;
    QPushButton* m_changeFolderButton;
    QPushButton* m_nextButton;
    QPushButton* m_cancelButton;
};
