#pragma once

#include "app/pageview.h"

// Stands in for a page that is not built yet: its heading and a line saying so.
class CPlaceholderPage : public CPageView
{
    Q_OBJECT
public:
    CPlaceholderPage(COrthexDoc& document, IPageCommandTarget& commands, const QString& heading,
                     QWidget* parent = nullptr);
};
