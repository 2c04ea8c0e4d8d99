#include "app/aboutdlg.h"

#include "widgets/dialogunits.h"
#include "widgets/pagecontrols.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Orthex"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/app/orthex.svg")).pixmap(48, 48));
    icon->setAccessibleName(QStringLiteral("Orthex icon"));

    auto* version = new QLabel(VersionText(), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* about = new QLabel(AboutText(), this);
    about->setObjectName(QStringLiteral("aboutLabel"));
    about->setWordWrap(true);
    // Whole however small the dialog is made.
    PageControls::HoldWrappedText(about, CDialogUnits(font()).X(160));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(about);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionText()
{
    return QStringLiteral("Orthex, Version 4.2.0.0");
}

QString CAboutDlg::AboutText()
{
    return QStringLiteral("Spelling tests to practise at home and at school.");
}
