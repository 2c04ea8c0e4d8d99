#pragma once

#include <QString>

#include <functional>

class QWidget;

// The folder picker of the options page and the new-list dialog.
class CBrowseFolder
{
public:
    // Shows a folder dialog and returns the chosen folder, or empty text when cancelled. Tests
    // put their own in place so that no dialog ever blocks them.
    using DialogFunction = std::function<QString(QWidget* parent, const QString& title, const QString& startFolder)>;

    explicit CBrowseFolder(QWidget* parent = nullptr);

    // The full path of the folder the user chose, or empty text when the user cancelled or the
    // choice is not a folder of the file system.
    QString BrowseForFolder() const;

    static QString Title();  // "Choose a Directory"

    // Replaces the dialog for the whole program (an empty function restores the real one);
    // returns the one it replaces.
    static DialogFunction SetDialogFunction(DialogFunction function);

private:
    QWidget* m_parent;
};
