#include "widgets/waitcursor.h"

#include <QCursor>
#include <QGuiApplication>

CWaitCursor::CWaitCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_bShown = true;
    }
}

CWaitCursor::~CWaitCursor()
{
    if (m_bShown)
        QGuiApplication::restoreOverrideCursor();
}
