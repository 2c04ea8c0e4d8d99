#include "widgets/messageboxsink.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

CMessageBoxSink::CMessageBoxSink(QObject* parent)
    : QObject(parent)
{
}

void CMessageBoxSink::ShowMessage(const QString& text, MessageIcon icon)
{
    if (QThread::currentThread() == thread()) {
        ShowNow(text, icon);
        return;
    }
    QMetaObject::invokeMethod(this, [this, text, icon] { ShowNow(text, icon); }, Qt::QueuedConnection);
}

void CMessageBoxSink::ShowNow(const QString& text, MessageIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None: boxIcon = QMessageBox::NoIcon; break;
    case MessageIcon::Information: boxIcon = QMessageBox::Information; break;
    case MessageIcon::Exclamation: boxIcon = QMessageBox::Warning; break;
    case MessageIcon::Stop: boxIcon = QMessageBox::Critical; break;
    }
    QMessageBox box(boxIcon, QStringLiteral("Orthex"), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QStringLiteral("Orthex"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}
