#pragma once

#include <QDialog>

// "Orthex Loading...": shown, modeless, while a dialog waits for the user information file.
// It deletes itself when closed; whoever shows it keeps a guarded pointer.
class CWaitDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CWaitDlg(QWidget* parent = nullptr);

    static QString TitleText() { return QStringLiteral("Orthex Loading..."); }
    static QString MessageText()
    {
        return QStringLiteral("Orthex is waiting for the user information file(up to 3 minutes).");
    }
};
