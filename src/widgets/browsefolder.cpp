#include "widgets/browsefolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace {
QString realDialog(QWidget* parent, const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
}

CBrowseFolder::DialogFunction& dialogFunction()
{
    static CBrowseFolder::DialogFunction function = realDialog;
    return function;
}
}  // namespace

CBrowseFolder::CBrowseFolder(QWidget* parent)
    : m_parent(parent)
{
}

QString CBrowseFolder::Title()
{
    return QStringLiteral("Choose a Directory");
}

QString CBrowseFolder::BrowseForFolder() const
{
    // The picker starts at the top of the computer's file system, with nothing chosen.
    const QString chosen = dialogFunction()(m_parent, Title(), QDir::rootPath());
    if (chosen.isEmpty())
        return QString();
    // Only a real folder of the file system counts (a dialog may hand back a URL or a place
    // such as "Computer").
    const QUrl url(chosen);
    const QString local = url.isLocalFile() ? url.toLocalFile() : chosen;
    if (!QFileInfo(local).isAbsolute() || !QFileInfo(local).isDir())
        return QString();
    return local;
}

CBrowseFolder::DialogFunction CBrowseFolder::SetDialogFunction(DialogFunction function)
{
    DialogFunction previous = dialogFunction();
    dialogFunction() = function ? std::move(function) : DialogFunction(realDialog);
    return previous;
}
