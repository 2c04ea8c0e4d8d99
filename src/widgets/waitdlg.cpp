#include "widgets/waitdlg.h"

#include "widgets/dialogunits.h"
#include "widgets/pagecontrols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CWaitDlg::CWaitDlg(QWidget* parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(TitleText());
    setFont(QFont(QStringLiteral("Arial"), 10));
    // While it shows, the program waits; no other window may take input.
    setWindowModality(Qt::ApplicationModal);

    auto* text = new QLabel(MessageText(), this);
    text->setObjectName(QStringLiteral("waitText"));
    text->setWordWrap(true);
    PageControls::HoldWrappedText(text, CDialogUnits(font()).X(160));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setVisible(false);
    cancel->setVisible(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
    resize(CDialogUnits(font()).SizeRoundedDown(249, 68));
}
