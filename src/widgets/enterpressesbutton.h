#pragma once

#include <QObject>

class QPushButton;

// Enter (or the keypad's Enter) on a focused push button presses that button, on every page and
// in every dialog, as Windows users expect; Qt alone leaves Enter to the page or to the dialog's
// default button. The application installs one on itself. A page that routes Enter itself for
// some of its buttons marks them with LeaveEnterToPage(); Enter on those goes on to the page.
class CEnterPressesButton : public QObject
{
    Q_OBJECT
public:
    explicit CEnterPressesButton(QObject* parent = nullptr);

    static void LeaveEnterToPage(QPushButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
