#include "widgets/pageview.h"

CPageView::CPageView(COrthexDoc& document, IPageCommandTarget& commands, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_commands(commands)
{
}
