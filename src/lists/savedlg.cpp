#include "lists/savedlg.h"

#include "base/appfolders.h"
#include "widgets/browsefolder.h"
#include "widgets/dialogunits.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* addField(QGroupBox* group, const QString& caption, const QString& objectName, bool readOnly)
{
    auto* layout = new QVBoxLayout(group);
    auto* label = new QLabel(caption, group);
    auto* edit = new QLineEdit(group);
    edit->setObjectName(objectName);
    edit->setReadOnly(readOnly);
    edit->setAccessibleName(caption);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    return edit;
}
}  // namespace

CSaveDlg::CSaveDlg(CAppFolders& folders, QWidget* parent)
    : QDialog(parent)
    , m_folders(folders)
{
    setWindowTitle(QStringLiteral("Creating a new Spelling List ..."));
    setModal(true);
    setFont(QFont(QStringLiteral("Arial"), 12));

    auto* nameGroup = new QGroupBox(this);
    m_nameEdit = addField(nameGroup, QStringLiteral("Enter a name for your spelling list:"),
                          QStringLiteral("listNameEdit"), false);

    auto* folderGroup = new QGroupBox(this);
    m_folderEdit = addField(folderGroup, QStringLiteral("Current save folder:"), QStringLiteral("saveFolderEdit"), true);
    m_changeFolderButton = new QPushButton(QStringLiteral("Click to change save folder."), folderGroup);
    m_changeFolderButton->setObjectName(QStringLiteral("changeFolderButton"));
    m_changeFolderButton->setAutoDefault(false);
    folderGroup->layout()->addWidget(m_changeFolderButton);

    auto* pathGroup = new QGroupBox(this);
    m_pathEdit = addField(pathGroup, QStringLiteral("Your spelling list will be saved to:"), QStringLiteral("pathEdit"),
                          true);

    m_nextButton = new QPushButton(QStringLiteral("Next"), this);
    m_nextButton->setObjectName(QStringLiteral("nextButton"));
    m_nextButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_nextButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameGroup);
    layout->addWidget(folderGroup);
    layout->addWidget(pathGroup);
    // Extra height goes below the fields, not into them.
    layout->addStretch(1);
    layout->addLayout(buttons);
    // The path is read whole at the least width; a minimum on the dialog itself would take the
    // layout's least height away.
    m_pathEdit->setMinimumWidth(CDialogUnits(font()).X(220));

    m_strSaveFolder = m_folders.GetSaveFolder();
    WriteControls();

    connect(m_nameEdit, &QLineEdit::textChanged, this, &CSaveDlg::OnNameChanged);
    connect(m_changeFolderButton, &QPushButton::clicked, this, &CSaveDlg::OnChangeFolder);
    connect(m_nextButton, &QPushButton::clicked, this, [this] {
        ReadControls();
        accept();
    });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CSaveDlg::ReadControls()
{
    m_strListName = m_nameEdit->text();
    m_strSaveFolder = m_folderEdit->text();
    m_strPath = m_pathEdit->text();
}

void CSaveDlg::WriteControls()
{
    // Setting a text only when it differs keeps the name's cursor where the user typed.
    if (m_nameEdit->text() != m_strListName)
        m_nameEdit->setText(m_strListName);
    m_folderEdit->setText(m_strSaveFolder);
    m_pathEdit->setText(m_strPath);
}

void CSaveDlg::ComposePath()
{
    m_strPath = m_strSaveFolder + QLatin1Char('/') + m_strListName + QStringLiteral(".orthex");
}

void CSaveDlg::OnNameChanged()
{
    ReadControls();
    ComposePath();
    WriteControls();
}

void CSaveDlg::OnChangeFolder()
{
    ReadControls();
    const QString chosen = CBrowseFolder(this).BrowseForFolder();
    if (chosen.isEmpty() || chosen == m_strSaveFolder)
        return;
    m_folders.SetSaveFolder(chosen);
    m_strSaveFolder = chosen;
    ComposePath();
    WriteControls();
}

std::optional<QString> CSaveDlg::AskPath(CAppFolders& folders, QWidget* parent)
{
    CSaveDlg dialog(folders, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Path();
}
