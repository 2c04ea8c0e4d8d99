#include "app/placeholderpage.h"

#include "app/dialogunits.h"

#include <QFrame>
#include <QLabel>

CPlaceholderPage::CPlaceholderPage(COrthexDoc& document, IPageCommandTarget& commands, const QString& heading,
                                   QWidget* parent)
    : CPageView(document, commands, parent)
{
    setFont(CDialogUnits::FormFont());
    const CDialogUnits du(font());
    auto* title = new QLabel(heading, this);
    title->setAlignment(Qt::AlignCenter);
    du.Place(title, 7, 7, 306, 11);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    du.Place(line, 8, 18, 306, 1);
    auto* note = new QLabel(QStringLiteral("This page is not available in this version."), this);
    note->setAlignment(Qt::AlignCenter);
    du.Place(note, 7, 90, 306, 11);
    setMinimumSize(du.Size(320, 200));
}
