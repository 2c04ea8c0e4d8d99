#include "widgets/pageview.h"

#include "widgets/dialogunits.h"

CPageView::CPageView(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent, QSize formUnits)
    : QWidget(parent)
    , m_document(document)
    , m_commands(commands)
    , m_formUnits(formUnits)
{
}

QSize CPageView::FormSize() const
{
    return CDialogUnits(font()).Size(m_formUnits.width(), m_formUnits.height());
}
