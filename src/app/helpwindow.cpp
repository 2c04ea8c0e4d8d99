#include "app/helpwindow.h"

CHelpWindow::CHelpWindow(QWidget* parent)
    : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Orthex Help"));
    setAccessibleName(QStringLiteral("Orthex Help"));
    setOpenExternalLinks(false);
    resize(640, 560);
}

QUrl CHelpWindow::GuideUrl()
{
    return QUrl(QStringLiteral("qrc:/app/help/guide.html"));
}

void CHelpWindow::ShowGuide()
{
    if (source() != GuideUrl())
        setSource(GuideUrl());
    show();
    raise();
    activateWindow();
}
