#pragma once

#include "base/messages.h"

#include <QObject>

class QWidget;

// Asks a yes-or-no question in a box titled "Orthex", with No the default, so that Enter never
// does what cannot be undone; true for Yes.
bool AskYesNo(QWidget* parent, const QString& text);

// Shows the program's messages in message boxes titled "Orthex". A message sent from another
// thread (the recorder's worker) is handed to the user-interface thread.
class CMessageBoxSink : public QObject, public IMessageSink
{
    Q_OBJECT
public:
    explicit CMessageBoxSink(QObject* parent = nullptr);
    void ShowMessage(const QString& text, MessageIcon icon) override;

private:
    void ShowNow(const QString& text, MessageIcon icon);
};
